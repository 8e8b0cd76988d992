// The model store's public headers.
#pragma once

#include <varnex/modelstore/model_load.h>
#include <varnex/modelstore/packages.h>
#include <varnex/modelstore/restore.h>
#include <varnex/modelstore/tree_file.h>
