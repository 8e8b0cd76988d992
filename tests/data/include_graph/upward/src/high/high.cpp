#include <varnex/low/low.h>
#include "low/internal.h"
#include <vector>
