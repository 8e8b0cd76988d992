// The foundation's public headers.
#pragma once

#include <varnex/base/configuration.h>
#include <varnex/base/file_io.h>
#include <varnex/base/messages.h>
#include <varnex/base/pointer_index.h>
#include <varnex/base/rvoid_list.h>
#include <varnex/base/strg.h>
#include <varnex/base/string_list.h>
#include <varnex/base/timer.h>
#include <varnex/base/transaction.h>
#include <varnex/base/value_list.h>
#include <varnex/base/version.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
