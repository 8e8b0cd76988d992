// The feature library's public headers.
#pragma once

#include <varnex/library/conversion_list.h>
#include <varnex/library/para_feature.h>
#include <varnex/library/tree_element.h>
