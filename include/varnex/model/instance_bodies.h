// The bodies a feature instance built: what a host shows, measures or exports of an instance.
#pragma once

#include <varnex/export.h>

class rumpf;
class ENTITY_LIST;

/// Appends to `bodies` the bodies that own an entity held by a geometric object of the
/// instance's world or of the instances nested in it (world order, depth first; each body once).
/// A null instance stands for the current world. Returns the number of bodies appended.
VARNEX_API int PVFCollectInstanceBodies(rumpf* instance, ENTITY_LIST& bodies);
