// Helpers shared by the dependency tree's source files.
#pragma once

#include <varnex/base/strg.h>

#include <functional>
#include <string>
#include <vector>

class PDTnode;
class rumpf;
class nullwelt;
class PVFParaFeature;
class void_list;
class object_geom;
class ENTITY;

namespace varnex::tree {

/// Installs the tree's hooks into the object layer (node lookup, renaming, lost objects) and
/// the feature library (used instances, start and end of the tree). Idempotent.
void InstallTreeHooks();

/// The parametric-feature context the node events go to.
PVFParaFeature& Context();

/// Makes the outermost world current for the lifetime of the object (no-op without worlds).
class OutermostWorld {
 public:
  OutermostWorld();
  ~OutermostWorld();
  OutermostWorld(const OutermostWorld&) = delete;
  OutermostWorld& operator=(const OutermostWorld&) = delete;
  nullwelt* world() const { return world_; }

 private:
  nullwelt* saved_;
  nullwelt* world_;
};

/// The object named `name` in the outermost world, or null.
rumpf* FindOutermost(const char* name);
/// Whether `object` is (still) the member named like it in the outermost world.
bool HeldByOutermost(const rumpf* object);
/// The text of the object's value with one pair of enclosing single quotes removed.
PVMStrg UnquotedValue(rumpf* object);

/// The order check of cycle_check: whether `formula` on `object` needs an order the tree
/// cannot have (non-zero) (ordering.cpp).
int OrderCheck(rumpf* object, const char* formula);
/// Puts a body restored from a memory body into `geometry` and the model; without a geometry
/// object the body is deleted. Returns the body kept, or null (mem_body.cpp).
ENTITY* InstallRestoredBody(object_geom* geometry, ENTITY* body);
/// The names of the nodes the last update or rebuild refreshed (update.cpp).
std::vector<std::string>& PDTLastUpdated();
/// The names of the nodes the last update restored from their memory bodies.
std::vector<std::string>& PDTLastRestored();
/// The names of the nodes the last update or rebuild left without the solid they should have.
std::vector<std::string>& PDTLastFailed();
/// Notes `node`, just refreshed, among the failed ones when it should carry a solid (sign
/// positive or negative) and has none.
void NoteIfFailed(PDTnode* node);
/// Refreshes every node of all_nodes in order with `refresh` (a negative result: the node was
/// left alone) with the failure accounting and the questions of rebuild_all (ordering.cpp).
int RebuildInOrder(const std::function<int(PDTnode*)>& refresh);

/// Lets the entity-connection records reach node bodies and names (connection_scope.cpp).
void InstallConnectionNodeAccess();

/// While a ConnectionScope is open: records the connections on the bodies of `nodes` and of
/// their tops that are not recorded yet (nodes an update schedules while it runs).
void RecordConnections(const std::vector<PDTnode*>& nodes);

/// Records the host's entity connections for the lifetime of an update or rebuild and hands
/// them back (or has them dropped) when it ends. The first form records the whole model, the
/// second the bodies of the nodes to refresh and of those to be restored from memory bodies.
/// Only the outermost scope hands back: an update run inside another one (a restart) records
/// what is not yet recorded and leaves the rest to the outer one, which ends after every body
/// changed. Without a host interface nothing happens.
class ConnectionScope {
 public:
  ConnectionScope();
  ConnectionScope(void_list* update, void_list* mem_bodies);
  ~ConnectionScope();
  ConnectionScope(const ConnectionScope&) = delete;
  ConnectionScope& operator=(const ConnectionScope&) = delete;

 private:
  bool outermost_;
};

}  // namespace varnex::tree
