// Installs the object layer's GeometricObjectLinks, through which the kernel layer reaches named
// objects (entity lists of geometric objects, full names, lookups).
#pragma once

namespace varnex::model {

/// Installs the links once; later calls do nothing.
void InstallGeometricObjectLinks();

}  // namespace varnex::model
