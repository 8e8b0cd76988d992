// Entity connections: recording the host's connections before a rebuild (face names and a
// characteristic point per connected entity) and finding their entities again afterwards.
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/topology.h>
#include <varnex/persistence/entity_connections.h>

#include <limits>
#include <string>
#include <unordered_set>
#include <utility>

IfcSaveConnections* pIfcSaveConnections = nullptr;
PVFSaveAllEntityConnections* pPVFSaveAllEntityConnections = nullptr;

namespace {

PVFConnectionNodeBody node_body = nullptr;
PVFConnectionNodeName node_name = nullptr;

ENTITY* BodyOfNode(PDTnode* node) {
  return node != nullptr && node_body != nullptr ? node_body(node) : nullptr;
}

const char* NameOfNode(PDTnode* node) {
  return node != nullptr && node_name != nullptr ? node_name(node) : nullptr;
}

// The faces the record's names find now (in `body` only, when given), each once.
ENTITY_LIST NamedFaces(const PVFSaveEntityConnection& record, ENTITY* body) {
  ENTITY_LIST faces;
  const PVFRStringList& names = record.GetFaceNames();
  for (int i = 0; i < names.Count(); ++i) {
    PVMStrg name(names[i]);
    ENTITY* face = FindFaceByFullName(name);
    if (is_FACE(face) && (body == nullptr || face->owning_body() == body)) {
      faces.add(face);
    }
  }
  return faces;
}

// The edges (or vertices) every one of `faces` bounds (FillAndCompareLists).
ENTITY_LIST SharedByAll(const ENTITY_LIST& faces, outcome (*walk)(ENTITY*, ENTITY_LIST&)) {
  ENTITY_LIST shared;
  for (int i = 0; i < faces.count(); ++i) {
    ENTITY_LIST own;
    walk(faces[i], own);
    if (i == 0) {
      shared = own;
      continue;
    }
    ENTITY_LIST kept;
    for (int j = 0; j < shared.count(); ++j) {
      if (own.lookup(shared[j]) >= 0) {
        kept.add(shared[j]);
      }
    }
    shared = kept;
  }
  return shared;
}

// The candidate whose characteristic point is the recorded one, else the nearest
// (PositionAnalyze); the first when the record has no point or no candidate gives one.
ENTITY* PositionAnalyze(const ENTITY_LIST& candidates, const PVFSaveEntityConnection& record) {
  if (candidates.count() == 0) {
    return nullptr;
  }
  if (!record.ePointValid() || candidates.count() == 1) {
    return candidates[0];
  }
  ENTITY* nearest = nullptr;
  double best = std::numeric_limits<double>::infinity();
  for (int i = 0; i < candidates.count(); ++i) {
    SPAposition point;
    if (!PVFSaveEntityConnection::CharacteristicPoint(candidates[i], point)) {
      continue;
    }
    if (same_point(point, record.GetPoint())) {
      return candidates[i];
    }
    double distance = distance_to_point(point, record.GetPoint());
    if (distance < best) {
      best = distance;
      nearest = candidates[i];
    }
  }
  return nearest != nullptr ? nearest : candidates[0];
}

// Whether the record sits on `body`: its entity is in it, or a face its names find is.
bool OnBody(const PVFSaveEntityConnection& record, ENTITY* body) {
  ENTITY* entity = record.GetEntity();
  if (entity != nullptr && entity->owning_body() == body) {
    return true;
  }
  return NamedFaces(record, body).count() > 0;
}

// "OLD.rest" -> "NEW.rest" (also "OLD" -> "NEW"); false when `name` is not of that instance.
bool Renamed(const std::string& name, const std::string& old_name, const std::string& new_name,
             std::string& out) {
  if (name.compare(0, old_name.size(), old_name) != 0 ||
      (name.size() > old_name.size() && name[old_name.size()] != '.')) {
    return false;
  }
  out = new_name + name.substr(old_name.size());
  return true;
}

}  // namespace

PVFEntityConnection::~PVFEntityConnection() = default;

// ---- the host's defaults ----

IfcSaveConnections::~IfcSaveConnections() = default;
XBOOL IfcSaveConnections::GetDataToSave(GENERIC_LIST<PVFEntityConnection>*, XBOOL) {
  return FALSE;
}
XBOOL IfcSaveConnections::GetBodyDataToSave(ENTITY*, GENERIC_LIST<PVFEntityConnection>*, PDTnode*) {
  return FALSE;
}
XBOOL IfcSaveConnections::GetBodyDataToSaveByType(ENTITY*, GENERIC_LIST<PVFEntityConnection>*,
                                                  PDTnode*, PDTnode*) {
  return FALSE;
}
XBOOL IfcSaveConnections::SetRestoreData(ENTITY*, void*, unsigned short) {
  return FALSE;
}
XBOOL IfcSaveConnections::DeleteConnection(void*, unsigned short) {
  return FALSE;
}
XBOOL IfcSaveConnections::DeleteNoInstConnection(ENTITY*, void*, unsigned short) {
  return FALSE;
}
XBOOL IfcSaveConnections::DoMergeObjects(rvoid_list*, rvoid_list*) {
  return FALSE;
}

void PVFCreateEntityConnections() {
  delete pPVFSaveAllEntityConnections;
  pPVFSaveAllEntityConnections = new PVFSaveAllEntityConnections();
}

void PVFDeleteEntityConnections() {
  delete pPVFSaveAllEntityConnections;
  pPVFSaveAllEntityConnections = nullptr;
}

void SetConnectionNodeAccess(PVFConnectionNodeBody body, PVFConnectionNodeName name) {
  node_body = body;
  node_name = name;
}

// ---- one record ----

PVFSaveEntityConnection::PVFSaveEntityConnection(ENTITY* entity, void* connection,
                                                 unsigned short type)
    : connect_(connection), type_(type) {
  SetEntity(entity);
  SaveEntityData(entity);
}

void PVFSaveEntityConnection::SetEntity(ENTITY* entity) {
  entity_.clear();
  entity_.add(entity);
}

void PVFSaveEntityConnection::SetSecondEntity(ENTITY* entity) {
  second_.clear();
  second_.add(entity);
}

XBOOL PVFSaveEntityConnection::CharacteristicPoint(ENTITY* entity, SPAposition& point) {
  if (is_FACE(entity)) {
    double x = 0, y = 0, z = 0;
    if (!fm_face_position(entity, 0.0, 0.0, x, y, z)) {
      return FALSE;
    }
    point = SPAposition(x, y, z);
    return TRUE;
  }
  if (is_EDGE(entity)) {
    return fm_edge_position(entity, 0.0, point);
  }
  if (is_VERTEX(entity)) {
    point = vertex_position(entity);
    return TRUE;
  }
  return FALSE;
}

void PVFSaveEntityConnection::SaveEntityData(ENTITY* entity) {
  kind_ = is_FACE(entity)     ? kFace
          : is_EDGE(entity)   ? kEdge
          : is_VERTEX(entity) ? kVertex
                              : kInvalid;
  if (kind_ == kInvalid) {
    return;
  }
  point_valid_ = CharacteristicPoint(entity, point_);
  ENTITY_LIST faces;
  if (kind_ == kFace) {
    faces.add(entity);
  } else {
    api_get_faces(entity, faces);  // GetFacesOfEnt
  }
  for (int i = 0; i < faces.count(); ++i) {
    PVMStrg name;
    if (FindFaceFullName(faces[i], name) != nullptr) {
      names_.Add(name.GetpStr());
    }
  }
  if (!point_valid_ && names_.Count() == 0) {
    kind_ = kInvalid;
  }
}

// ---- the record set ----

PVFSaveAllEntityConnections::~PVFSaveAllEntityConnections() = default;

PVFSaveEntityConnection* PVFSaveAllEntityConnections::operator[](int index) const {
  return index >= 0 && index < Count() ? records_[static_cast<std::size_t>(index)].get() : nullptr;
}

XBOOL PVFSaveAllEntityConnections::Holds(void* connection, unsigned short type) const {
  for (const auto& record : records_) {
    if (record->pConnect() == connection && record->GetConType() == type) {
      return TRUE;
    }
  }
  return FALSE;
}

void PVFSaveAllEntityConnections::Reset() {
  records_.clear();
  node_ = nullptr;
}

void PVFSaveAllEntityConnections::CreateSaveObjects(
    GENERIC_LIST<PVFEntityConnection>& connections) {
  PVFSaveAllEntityConnections* running = pPVFSaveAllEntityConnections;
  for (int i = 0; i < connections.count(); ++i) {
    std::unique_ptr<PVFEntityConnection> connection(connections[i]);
    if (connection == nullptr) {
      continue;
    }
    void* object = connection->GetConnect();
    unsigned short type = connection->GetConType();
    // A pending record was taken before anything changed; the host's pointer may dangle now.
    if (Holds(object, type) ||
        (running != nullptr && running != this && running->Holds(object, type))) {
      continue;
    }
    records_.push_back(
        std::make_unique<PVFSaveEntityConnection>(connection->GetEntity(), object, type));
  }
  connections.Clear();
}

XBOOL PVFSaveAllEntityConnections::GetDataToSave(XBOOL all) {
  if (pIfcSaveConnections == nullptr) {
    return FALSE;
  }
  GENERIC_LIST<PVFEntityConnection> connections;
  pIfcSaveConnections->GetDataToSave(&connections, all);
  CreateSaveObjects(connections);
  node_ = nullptr;
  return TRUE;
}

XBOOL PVFSaveAllEntityConnections::CollectBody(ENTITY* body, PDTnode* node, PDTnode* type_node) {
  GENERIC_LIST<PVFEntityConnection> connections;
  if (type_node != nullptr) {
    pIfcSaveConnections->GetBodyDataToSaveByType(body, &connections, node, type_node);
  } else {
    pIfcSaveConnections->GetBodyDataToSave(body, &connections, node);
  }
  CreateSaveObjects(connections);
  return TRUE;
}

XBOOL PVFSaveAllEntityConnections::GetDataToSave(ENTITY* body, PDTnode* node, PDTnode* type_node) {
  if (pIfcSaveConnections == nullptr || body == nullptr) {
    return FALSE;
  }
  node_ = node;
  return CollectBody(body, node, type_node);
}

XBOOL PVFSaveAllEntityConnections::GetDataToSave(void_list* nodes) {
  if (pIfcSaveConnections == nullptr || nodes == nullptr) {
    return FALSE;
  }
  std::unordered_set<ENTITY*> asked;
  for (int i = 0; i < nodes->count(); ++i) {
    auto* node = static_cast<PDTnode*>((*nodes)[i]);
    ENTITY* body = BodyOfNode(node);
    if (body != nullptr && asked.insert(body).second) {
      CollectBody(body, node, nullptr);
    }
  }
  node_ = nullptr;
  return TRUE;
}

XBOOL PVFSaveAllEntityConnections::Merge(PVFSaveAllEntityConnections& other) {
  if (pIfcSaveConnections == nullptr) {
    return FALSE;
  }
  if (&other == this) {
    return TRUE;
  }
  rvoid_list running, added;
  for (const auto& record : records_) {
    running.add(record->pConnect());
  }
  for (const auto& record : other.records_) {
    added.add(record->pConnect());
  }
  pIfcSaveConnections->DoMergeObjects(&running, &added);
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> taken = std::move(other.records_);
  other.Reset();
  for (auto& record : taken) {
    if (!Holds(record->pConnect(), record->GetConType())) {
      records_.push_back(std::move(record));
    }
  }
  return TRUE;
}

ENTITY* PVFSaveAllEntityConnections::RestoreEntityFromData(PVFSaveEntityConnection& record,
                                                           ENTITY* body) {
  if (!record.eIsCorrectEnt()) {
    return nullptr;
  }
  ENTITY_LIST faces = NamedFaces(record, body);
  if (faces.count() == 0) {
    return nullptr;
  }
  switch (record.GetKind()) {
    case PVFSaveEntityConnection::kFace:
      return PositionAnalyze(faces, record);
    case PVFSaveEntityConnection::kEdge:
      return PositionAnalyze(SharedByAll(faces, api_get_edges), record);
    case PVFSaveEntityConnection::kVertex:
      return PositionAnalyze(SharedByAll(faces, api_get_vertices), record);
    default:
      return nullptr;
  }
}

// Hands back the records found (in `body`, when given) and takes them out; with
// `drop_missing` the others are dropped and the host told, else they stay. The records are
// taken out of the set first, so a host that records again from its callbacks adds to it.
void PVFSaveAllEntityConnections::RestoreRecords(ENTITY* body, bool drop_missing) {
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> pending = std::move(records_);
  records_.clear();
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> kept;
  for (auto& record : pending) {
    if (ENTITY* entity = RestoreEntityFromData(*record, body)) {
      record->SetEntity(entity);
      pIfcSaveConnections->SetRestoreData(entity, record->pConnect(), record->GetConType());
    } else if (drop_missing) {
      pIfcSaveConnections->DeleteConnection(record->pConnect(), record->GetConType());
    } else {
      kept.push_back(std::move(record));
    }
  }
  for (auto& record : records_) {
    kept.push_back(std::move(record));
  }
  records_ = std::move(kept);
}

XBOOL PVFSaveAllEntityConnections::RestoreData() {
  if (pIfcSaveConnections == nullptr) {
    return FALSE;
  }
  RestoreRecords(nullptr, true);
  node_ = nullptr;
  return TRUE;
}

XBOOL PVFSaveAllEntityConnections::RestoreDataByBody(ENTITY* body) {
  if (pIfcSaveConnections == nullptr || body == nullptr) {
    return FALSE;
  }
  RestoreRecords(body, false);
  return TRUE;
}

XBOOL PVFSaveAllEntityConnections::RestoreDataByNode(PDTnode* node) {
  return RestoreDataByBody(BodyOfNode(node));
}

XBOOL PVFSaveAllEntityConnections::RemoveNoInst() {
  if (pIfcSaveConnections == nullptr) {
    return FALSE;
  }
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> pending = std::move(records_);
  records_.clear();
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> kept;
  for (auto& record : pending) {
    if (NamedFaces(*record, nullptr).count() > 0) {
      kept.push_back(std::move(record));
      continue;
    }
    pIfcSaveConnections->DeleteNoInstConnection(record->GetEntity(), record->pConnect(),
                                                record->GetConType());
  }
  for (auto& record : records_) {
    kept.push_back(std::move(record));
  }
  records_ = std::move(kept);
  return TRUE;
}

XBOOL PVFSaveAllEntityConnections::RemoveDataByBody(ENTITY* body) {
  if (pIfcSaveConnections == nullptr || body == nullptr) {
    return FALSE;
  }
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> pending = std::move(records_);
  records_.clear();
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> kept;
  for (auto& record : pending) {
    if (!OnBody(*record, body)) {
      kept.push_back(std::move(record));
      continue;
    }
    pIfcSaveConnections->DeleteConnection(record->pConnect(), record->GetConType());
  }
  for (auto& record : records_) {
    kept.push_back(std::move(record));
  }
  records_ = std::move(kept);
  return TRUE;
}

XBOOL PVFSaveAllEntityConnections::ReNameSavedNames(PDTnode* old_node, PDTnode* new_node) {
  const char* old_name = NameOfNode(old_node);
  const char* new_name = NameOfNode(new_node);
  if (old_name == nullptr || new_name == nullptr) {
    return FALSE;
  }
  // Copied: the texts live in the nodes.
  return ReNameSavedNames(std::string(old_name).c_str(), std::string(new_name).c_str());
}

XBOOL PVFSaveAllEntityConnections::ReNameSavedNames(const char* old_name, const char* new_name) {
  if (pIfcSaveConnections == nullptr || old_name == nullptr || new_name == nullptr ||
      *old_name == '\0' || *new_name == '\0') {
    return FALSE;
  }
  for (auto& record : records_) {
    PVFRStringList& names = record->FaceNames();
    std::vector<std::string> texts;
    bool changed = false;
    for (int i = 0; i < names.Count(); ++i) {
      std::string text = names[i], renamed;
      changed = Renamed(text, old_name, new_name, renamed) || changed;
      texts.push_back(renamed.empty() ? text : renamed);
    }
    if (changed) {
      names.Clear();
      for (const std::string& text : texts) {
        names.Add(text.c_str());
      }
    }
  }
  return TRUE;
}
