// Everything a host includes to embed the engine.
#pragma once

#include <varnex/base/configuration.h>
#include <varnex/base/messages.h>
#include <varnex/base/rvoid_list.h>
#include <varnex/base/strg.h>
#include <varnex/base/string_list.h>
#include <varnex/base/timer.h>
#include <varnex/base/transaction.h>
#include <varnex/base/value_list.h>
#include <varnex/base/version.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/tokens.h>
