// The feature generator's public headers.
#pragma once

#include <varnex/generator/part_tree.h>
