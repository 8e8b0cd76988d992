// The attribute classes body files can restore, by identifier chain.
#include "geometry/attribute_registry.h"

#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/attributes.h>

namespace {

template <class T>
void Register() {
  T probe(nullptr);
  RegisterAttribClass(probe.identifier(), [](ENTITY* owner) -> ATTRIB* { return new T(owner); });
}

}  // namespace

void RegisterBuiltInAttribClasses() {
  Register<ATTRIB_GEN_NAME>();
  Register<ATTRIB_UXA>();
  Register<ATTRIB_FN>();
  Register<ATTRIB_DS>();
  Register<ATTRIB_MEM_DS>();
  Register<ATTRIB_MOD>();
  Register<ATTRIB_OfBodyConnect2d>();
  Register<PVFAttribMaster>();
  Register<PVFAttribSolidFaceName>();
  Register<PVFAttribReproFaceName>();
  Register<PVFAttribRGBColor>();
}
