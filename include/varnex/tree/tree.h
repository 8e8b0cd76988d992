// The dependency tree's public headers.
#pragma once

#include <varnex/tree/comb.h>
#include <varnex/tree/mem_body.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/ordering.h>
#include <varnex/tree/persistent_messages.h>
#include <varnex/tree/tree_functions.h>
#include <varnex/tree/update.h>
#include <varnex/tree/value_access.h>
