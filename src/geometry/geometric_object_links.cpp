// The default object links: no objects at all, until the object subsystem installs its own.
#include <varnex/geometry/entity.h>
#include <varnex/geometry/geometric_object_links.h>

namespace {

GeometricObjectLinks& DefaultLinks() {
  static auto* links = new GeometricObjectLinks();
  return *links;
}

// Borrowed from the model, which installs its links once and keeps them for the process.
GeometricObjectLinks* gInstalled = nullptr;

}  // namespace

GeometricObjectLinks::~GeometricObjectLinks() = default;

PVMStrg GeometricObjectLinks::FullName(const rumpf*) const {
  return PVMStrg();
}
PVMStrg GeometricObjectLinks::ShortName(const rumpf*) const {
  return PVMStrg();
}
XBOOL GeometricObjectLinks::IsGeometric(const rumpf*) const {
  return FALSE;
}
list* GeometricObjectLinks::EntityList(rumpf*) const {
  return nullptr;
}

void GeometricObjectLinks::AddEntity(rumpf* object, ENTITY* entity) const {
  if (list* entities = EntityList(object)) {
    entities->add(entity);
  }
}

void GeometricObjectLinks::RemoveEntity(rumpf* object, ENTITY* entity) const {
  if (list* entities = EntityList(object)) {
    entities->remove(entity);
  }
}

rumpf* GeometricObjectLinks::Search(const char*) const {
  return nullptr;
}
PVMStrg GeometricObjectLinks::ConvertRestoreName(const PVMStrg& name) const {
  return name;
}
XBOOL GeometricObjectLinks::OldNameIntoNewName(const PVMStrg&, PVMStrg&) const {
  return FALSE;
}
XBOOL GeometricObjectLinks::SATFileOperation() const {
  return FALSE;
}
void GeometricObjectLinks::NodesOfObject(rumpf*, std::vector<PDTnode*>&) const {}
int GeometricObjectLinks::CreateGeometricObjects(
    rumpf*, const std::vector<std::pair<std::string, ENTITY*>>&) const {
  return 0;
}

GeometricObjectLinks& ObjectLinks() {
  return gInstalled != nullptr ? *gInstalled : DefaultLinks();
}

GeometricObjectLinks* SetGeometricObjectLinks(GeometricObjectLinks* links) {
  GeometricObjectLinks* previous = gInstalled;
  gInstalled = links;
  return previous;
}
