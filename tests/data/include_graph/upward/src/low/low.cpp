#include <varnex/low/low.h>
#include <varnex/high/high.h>
#include "high/helpers.h"
