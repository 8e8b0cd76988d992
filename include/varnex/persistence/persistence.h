// The persistence layer's public headers.
#pragma once

#include <varnex/persistence/bin_block.h>
#include <varnex/persistence/binary_file.h>
#include <varnex/persistence/block_stream.h>
#include <varnex/persistence/entity_connection_set.h>
#include <varnex/persistence/entity_connections.h>
#include <varnex/persistence/entity_list_file.h>
#include <varnex/persistence/file_stream.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/model_registry.h>
#include <varnex/persistence/sat_stream.h>
#include <varnex/persistence/stream.h>
#include <varnex/persistence/stream_format.h>
#include <varnex/persistence/string_stream.h>
