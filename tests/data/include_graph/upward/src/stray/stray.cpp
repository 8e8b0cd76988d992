#include <varnex/varnex.h>
