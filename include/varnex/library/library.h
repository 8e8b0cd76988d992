// The feature library's public headers.
#pragma once

#include <varnex/library/conversion_list.h>
#include <varnex/library/feature_element.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/library/library_hooks.h>
#include <varnex/library/modeller.h>
#include <varnex/library/para_feature.h>
#include <varnex/library/part_tree.h>
#include <varnex/library/tree_element.h>
#include <varnex/library/variable_table.h>
