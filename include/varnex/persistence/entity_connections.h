// Entity connections: the host's own data (dimensions, constraints, annotations: opaque to the
// engine) attached to faces, edges and vertices of the bodies the engine builds. A rebuild
// replaces those entities. Before it the engine asks the host for its connections and records,
// for each connected entity, how to find it again: the full names of the faces involved and a
// characteristic point. After the rebuild it finds the corresponding new entity and hands the
// connection back to the host, or tells the host that the connection is dropped.
//
// Every recorded connection gets exactly one answer: SetRestoreData with its new entity, or
// DeleteConnection (DeleteNoInstConnection from RemoveNoInst). Between recording and that
// answer the host's own entity pointer may dangle (the rebuild may have deleted the entity);
// the records never follow it: they hold their entity in an entity list, which forgets an
// entity when it is deleted. Single-threaded, like the whole engine.
#pragma once

#include <varnex/base/rvoid_list.h>
#include <varnex/base/string_list.h>
#include <varnex/base/transaction.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>
#include <varnex/persistence/entity_connection_set.h>

#include <memory>
#include <vector>

class PDTnode;

/// One connection as the host hands it over: the entity it sits on, the host's connection
/// object and the host's type number. The engine deletes these objects once it has read them.
class VARNEX_API PVFEntityConnection {
 public:
  PVFEntityConnection(ENTITY* entity = nullptr, void* connection = nullptr, unsigned short type = 0)
      : entity_(entity), connection_(connection), type_(type) {}
  virtual ~PVFEntityConnection();

  /// The entity must be alive (a host that keeps its entities in an ENTITY_LIST learns when
  /// one is deleted); null makes a record that finds nothing.
  ENTITY* GetEntity() const { return entity_; }
  void SetEntity(ENTITY* entity) { entity_ = entity; }
  void* GetConnect() const { return connection_; }
  void SetConnect(void* connection) { connection_ = connection; }
  unsigned short GetConType() const { return type_; }
  void SetConType(unsigned short type) { type_ = type; }

 private:
  ENTITY* entity_;
  void* connection_;
  unsigned short type_;
};

/// The host's side, registered in pIfcSaveConnections. Every operation has a default that does
/// nothing and returns FALSE. The lists receive PVFEntityConnection objects the host creates
/// with new; the engine deletes them.
// ORDER SLOTS: the virtual operations keep this order.
class VARNEX_API IfcSaveConnections {
 public:
  virtual ~IfcSaveConnections();
  /// Fills `connections` with all connections of the model.
  virtual XBOOL GetDataToSave(GENERIC_LIST<PVFEntityConnection>* connections, XBOOL all);
  /// Fills `connections` with the connections on entities of `body` (the body of `node`).
  virtual XBOOL GetBodyDataToSave(ENTITY* body, GENERIC_LIST<PVFEntityConnection>* connections,
                                  PDTnode* node);
  /// The same, limited to the connections the host keeps for nodes of the type of `type_node`.
  virtual XBOOL GetBodyDataToSaveByType(ENTITY* body,
                                        GENERIC_LIST<PVFEntityConnection>* connections,
                                        PDTnode* node, PDTnode* type_node);
  /// A recorded connection found its entity again: `entity` (alive, owned by the kernel
  /// layer) is where it sits now.
  virtual XBOOL SetRestoreData(ENTITY* entity, void* connection, unsigned short type);
  /// A recorded connection found no entity: the engine forgets it; the host's entity pointer
  /// for it must not be used any more.
  virtual XBOOL DeleteConnection(void* connection, unsigned short type);
  /// A recorded connection whose faces belong to no instance any more is dropped; `entity` is
  /// its entity when that still exists, else null.
  virtual XBOOL DeleteNoInstConnection(ENTITY* entity, void* connection, unsigned short type);
  /// Two record sets are merged: `running` holds the host's connection objects of the set that
  /// stays, `added` those of the set merged into it.
  virtual XBOOL DoMergeObjects(rvoid_list* running, rvoid_list* added);
};

/// The host's interface; null (the default): entity connections are off and every operation of
/// the record sets returns FALSE and records nothing. The host keeps ownership.
extern VARNEX_API IfcSaveConnections* pIfcSaveConnections;

/// One recorded connection. Kinds: 0 not usable (ignored on restore), 1 face, 2 edge,
/// 3 vertex.
class VARNEX_API PVFSaveEntityConnection : public PVTransaction {
 public:
  enum Kind { kInvalid = 0, kFace = 1, kEdge = 2, kVertex = 3 };

  /// Records `entity` (SaveEntityData): a face by its full name and its surface point at
  /// parameters (0, 0); an edge by the full names of the faces around it and its curve point at
  /// parameter 0 (counted from the edge's start); a vertex by the faces around it and its
  /// position. Anything else, or an entity with neither a point nor a named face, is kind 0.
  PVFSaveEntityConnection(ENTITY* entity, void* connection, unsigned short type);

  XBOOL eIsCorrectEnt() const { return ToXBool(kind_ != kInvalid); }
  int GetKind() const { return kind_; }
  /// The recorded entity, or null once it was deleted.
  ENTITY* GetEntity() const { return entity_[0]; }
  void SetEntity(ENTITY* entity);
  /// A second entity the record may carry (unused by the engine itself); null once deleted.
  ENTITY* GetSecondEntity() const { return second_[0]; }
  void SetSecondEntity(ENTITY* entity);
  const PVFRStringList& GetFaceNames() const { return names_; }
  PVFRStringList& FaceNames() { return names_; }
  const SPAposition& GetPoint() const { return point_; }
  XBOOL ePointValid() const { return point_valid_; }
  void* pConnect() const { return connect_; }
  void SetConnect(void* connection) { connect_ = connection; }
  unsigned short GetConType() const { return type_; }

  /// The characteristic point of a face, edge or vertex as a record computes it; FALSE for
  /// other entities or when the kernel cannot evaluate it.
  static XBOOL CharacteristicPoint(ENTITY* entity, SPAposition& point);

 private:
  void SaveEntityData(ENTITY* entity);

  ENTITY_LIST entity_;  // at most one entity; forgets it when it is deleted
  ENTITY_LIST second_;
  PVFRStringList names_{TRUE};
  SPAposition point_;
  XBOOL point_valid_ = FALSE;
  int kind_ = kInvalid;
  void* connect_;
  unsigned short type_;
};

/// A set of recorded connections in insertion order; the engine's running set is
/// pPVFSaveAllEntityConnections (entity_connection_set.h). A connection is recorded at most once:
/// collecting again while its record is pending (an update started inside an update) keeps the
/// earlier record, taken before anything changed.
class VARNEX_API PVFSaveAllEntityConnections : public PVTransaction {
 public:
  PVFSaveAllEntityConnections() = default;
  /// Deletes the records without telling the host.
  ~PVFSaveAllEntityConnections();
  PVFSaveAllEntityConnections(const PVFSaveAllEntityConnections&) = delete;
  PVFSaveAllEntityConnections& operator=(const PVFSaveAllEntityConnections&) = delete;

  // ---- collecting; each FALSE without a host interface ----

  /// Asks the host for all connections of the model and records them.
  XBOOL GetDataToSave(XBOOL all);
  /// Asks the host for the connections of one body (the body of `node`; with `type_node`, of
  /// the host's selection by that node's type) and records them.
  XBOOL GetDataToSave(ENTITY* body, PDTnode* node, PDTnode* type_node = nullptr);
  /// The same for the body of every node of `nodes` (PDTnode*), each body once.
  XBOOL GetDataToSave(void_list* nodes);
  /// Takes over the records of `other` (left empty) after telling the host (DoMergeObjects); a
  /// connection this set already holds keeps its record here.
  XBOOL Merge(PVFSaveAllEntityConnections& other);

  // ---- restoring ----

  /// The entity a record stands for now, searched among the faces its names find (in `body`
  /// only, when given): for a face one of them; for an edge or vertex one shared by all of
  /// them; among several the one whose characteristic point is the recorded one, else the
  /// nearest. Null when nothing fits (also for a kind-0 record).
  ENTITY* RestoreEntityFromData(PVFSaveEntityConnection& record, ENTITY* body = nullptr);
  /// Finds every record's entity; the host gets SetRestoreData for each found and
  /// DeleteConnection for each not found. The set is empty afterwards. FALSE without a host.
  XBOOL RestoreData();
  /// The same for the records found in the body of `node` (RestoreDataByBody).
  XBOOL RestoreDataByNode(PDTnode* node);
  /// Hands back the records whose entity is found in `body` and takes them out; the others
  /// stay. FALSE without a host or a body.
  XBOOL RestoreDataByBody(ENTITY* body);

  // ---- dropping ----

  /// Takes out the records none of whose face names finds a face any more (their instance is
  /// gone) and tells the host (DeleteNoInstConnection).
  XBOOL RemoveNoInst();
  /// Takes out the records on `body` (their entity is in it, or a face of theirs is) and tells
  /// the host (DeleteConnection).
  XBOOL RemoveDataByBody(ENTITY* body);
  /// Rewrites the stored face names of the instance of `old_node` to the instance of
  /// `new_node` (by the nodes' names).
  XBOOL ReNameSavedNames(PDTnode* old_node, PDTnode* new_node);
  /// The same by instance names: a face name "OLD.rest" becomes "NEW.rest". FALSE for empty
  /// names or without a host.
  XBOOL ReNameSavedNames(const char* old_name, const char* new_name);

  /// Deletes every record without telling the host.
  void Reset();
  int Count() const { return static_cast<int>(records_.size()); }
  /// The record at `index`, or null.
  PVFSaveEntityConnection* operator[](int index) const;
  /// Whether a record for this connection is held.
  XBOOL Holds(void* connection, unsigned short type) const;
  /// The node the set was last collected for (one-body form), or null.
  PDTnode* GetNode() const { return node_; }

 private:
  void CreateSaveObjects(GENERIC_LIST<PVFEntityConnection>& connections);
  XBOOL CollectBody(ENTITY* body, PDTnode* node, PDTnode* type_node);
  void RestoreRecords(ENTITY* body, bool drop_missing);

  PDTnode* node_ = nullptr;
  std::vector<std::unique_ptr<PVFSaveEntityConnection>> records_;
};

/// How the record sets reach the dependency tree, which is built above them: the body of a
/// node and its name. The tree installs them when it starts; null: the node forms find no body
/// and no name.
using PVFConnectionNodeBody = ENTITY* (*)(PDTnode* node);
using PVFConnectionNodeName = const char* (*)(PDTnode* node);
VARNEX_API void SetConnectionNodeAccess(PVFConnectionNodeBody body, PVFConnectionNodeName name);
