// The engine's kernel attributes tied to objects: ATTRIB_UXA and its classes.
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/geometry/topology.h>

namespace {

constexpr const char* kUnknownFeature = "UNKNOWN";

bool HasFeatureAttrib(const ENTITY* entity, rumpf* feature) {
  for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(entity)) {
    if (attrib->feature() == feature) {
      return true;
    }
  }
  return false;
}

// Gives `entity` the feature attribute of `feature` and puts it into the object's list.
void JoinFeature(ENTITY* entity, rumpf* feature) {
  if (entity == nullptr) {
    return;
  }
  if (!HasFeatureAttrib(entity, feature)) {
    new ATTRIB_DS(entity, feature);
  }
  if (feature != nullptr) {
    ObjectLinks().AddEntity(feature, entity);
  }
}

}  // namespace

void ATTRIB_UXA::append_identity(std::vector<const char*>& chain) const {
  ATTRIB::append_identity(chain);
  chain.push_back("uxa");
}

void ATTRIB_FN::append_identity(std::vector<const char*>& chain) const {
  ATTRIB_UXA::append_identity(chain);
  chain.push_back("face_name");
}

// ---- ATTRIB_DS ----

void ATTRIB_DS::append_identity(std::vector<const char*>& chain) const {
  ATTRIB_UXA::append_identity(chain);
  chain.push_back("feature");
}

void ATTRIB_DS::split_owner(ENTITY* new_piece) {
  JoinFeature(new_piece, feature_);
}

void ATTRIB_DS::merge_owner(ENTITY* other, XBOOL delete_owner) {
  if (delete_owner) {
    JoinFeature(other, feature_);
  }
}

void ATTRIB_DS::lose() {
  if (feature_ != nullptr && entity() != nullptr) {
    ObjectLinks().RemoveEntity(feature_, entity());
  }
}

void ATTRIB_DS::copy_owner(ENTITY* copy) const {
  if (copy != nullptr && !HasFeatureAttrib(copy, feature_)) {
    new ATTRIB_DS(copy, feature_);
  }
}

void ATTRIB_DS::save(AttribWriter& out) const {
  const GeometricObjectLinks& links = ObjectLinks();
  if (links.SATFileOperation()) {
    out.write_string(kUnknownFeature);
  } else if (feature_ != nullptr) {
    out.write_string(links.FullName(feature_).GetpStr());
  } else {
    out.write_string(unresolved_.empty() ? kUnknownFeature : unresolved_.c_str());
  }
}

void ATTRIB_DS::restore(AttribReader& in) {
  std::string stored = in.read_string();
  feature_ = nullptr;
  const GeometricObjectLinks& links = ObjectLinks();
  if (links.SATFileOperation()) {
    return;
  }
  PVMStrg name = links.ConvertRestoreName(PVMStrg(stored));
  unresolved_ = stored == kUnknownFeature ? "" : name.GetpStr();
  Resolve();
}

XBOOL ATTRIB_DS::Resolve() {
  if (feature_ != nullptr || unresolved_.empty()) {
    return ToXBool(feature_ != nullptr);
  }
  const GeometricObjectLinks& links = ObjectLinks();
  PVMStrg name(unresolved_.c_str());
  feature_ = links.Search(name);
  PVMStrg converted;
  if (feature_ == nullptr && links.OldNameIntoNewName(name, converted)) {
    feature_ = links.Search(converted);
  }
  if (feature_ != nullptr) {
    unresolved_.clear();
  }
  return ToXBool(feature_ != nullptr);
}

int PVFRelinkFeatureFaces(ENTITY* body) {
  ENTITY_LIST faces;
  if (!is_BODY(body) || !api_get_faces(body, faces).ok()) {
    return 0;
  }
  ENTITY_LIST restored = faces;
  restored.add(body);
  ENTITY_LIST edges;
  if (api_get_edges(body, edges).ok()) {
    restored.add(edges);
  }
  for (int i = 0; i < restored.count(); ++i) {
    for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(restored[i])) {
      attrib->Resolve();
    }
  }
  const GeometricObjectLinks& links = ObjectLinks();
  for (int i = 0; i < faces.count(); ++i) {
    for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(faces[i])) {
      if (attrib->feature() != nullptr) {
        links.AddEntity(attrib->feature(), faces[i]);
      }
    }
  }
  return faces.count();
}

// ---- ATTRIB_MEM_DS ----

ATTRIB_MEM_DS::ATTRIB_MEM_DS(ENTITY* owner, rumpf* feature) : ATTRIB_UXA(owner) {
  if (feature != nullptr) {
    const GeometricObjectLinks& links = ObjectLinks();
    name_ = links.FullName(feature).GetpStr();
    names_face_ = links.ShortName(feature).StartsWith("f_") == TRUE;
  }
}

void ATTRIB_MEM_DS::append_identity(std::vector<const char*>& chain) const {
  ATTRIB_UXA::append_identity(chain);
  chain.push_back("ATTRIB_MemDS");
}

rumpf* ATTRIB_MEM_DS::feature() const {
  return name_.empty() ? nullptr : ObjectLinks().Search(name_.c_str());
}

void ATTRIB_MEM_DS::copy_owner(ENTITY* copy) const {
  if (copy != nullptr) {
    auto* twin = new ATTRIB_MEM_DS(copy);
    twin->name_ = name_;
    twin->names_face_ = names_face_;
  }
}

void ATTRIB_MEM_DS::save(AttribWriter& out) const {
  rumpf* found = feature();
  out.write_string(found != nullptr ? ObjectLinks().FullName(found).GetpStr() : kUnknownFeature);
}

void ATTRIB_MEM_DS::restore(AttribReader& in) {
  const GeometricObjectLinks& links = ObjectLinks();
  PVMStrg name = links.ConvertRestoreName(PVMStrg(in.read_string()));
  if (links.Search(name) != nullptr) {
    name_ = name.GetpStr();
  }
}

// ---- ATTRIB_MOD, ATTRIB_OfBodyConnect2d ----

void ATTRIB_MOD::append_identity(std::vector<const char*>& chain) const {
  ATTRIB_UXA::append_identity(chain);
  chain.push_back("model");
}

void ATTRIB_OfBodyConnect2d::append_identity(std::vector<const char*>& chain) const {
  ATTRIB_UXA::append_identity(chain);
  chain.push_back("Connect2dBody");
}
