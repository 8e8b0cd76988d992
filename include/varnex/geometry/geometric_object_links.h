// What the kernel layer needs to know about named objects.
//
// Attributes tie entities to named objects (`rumpf`): a feature attribute names the geometric
// object (an `object_geom`, type "Geometric") whose entity list holds the entity, and full names
// of faces are built from those objects. The object subsystem sits above the kernel layer, so the
// layer reaches objects only through this interface: the object subsystem derives from
// GeometricObjectLinks and installs its instance with SetGeometricObjectLinks. Until then the
// default answers "no objects": names are empty, nothing is geometric, lookups find nothing, and
// the finders of nodes answer none.
//
// The layer never dereferences a `rumpf*` itself and never owns one.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <string>
#include <utility>
#include <vector>

class rumpf;
class PDTnode;
class list;
class ENTITY;

class VARNEX_API GeometricObjectLinks {
 public:
  virtual ~GeometricObjectLinks();

  /// The object's full (qualified) name; empty for null.
  virtual PVMStrg FullName(const rumpf* object) const;
  /// The object's own (simple) name; empty for null.
  virtual PVMStrg ShortName(const rumpf* object) const;
  /// TRUE when the object is of type "Geometric" (an object_geom).
  virtual XBOOL IsGeometric(const rumpf* object) const;
  /// The entity list of a geometric object, or null for any other object.
  virtual list* EntityList(rumpf* object) const;
  /// Adds `entity` to a geometric object's list (object_geom::add_list_entity). The default adds
  /// it to EntityList(object).
  virtual void AddEntity(rumpf* object, ENTITY* entity) const;
  /// Removes `entity` from a geometric object's list. The default removes it from
  /// EntityList(object).
  virtual void RemoveEntity(rumpf* object, ENTITY* entity) const;

  /// The object of `name` as seen from the current world (`search`), or null.
  virtual rumpf* Search(const char* name) const;
  /// The restore-name conversion of the active restore context; the default keeps the text.
  virtual PVMStrg ConvertRestoreName(const PVMStrg& name) const;
  /// The feature library's conversion of an old feature name into its new one; FALSE when there
  /// is no feature library (then `converted` is unchanged).
  virtual XBOOL OldNameIntoNewName(const PVMStrg& name, PVMStrg& converted) const;
  /// TRUE while a SAT file operation runs (feature attributes then save "UNKNOWN").
  virtual XBOOL SATFileOperation() const;

  /// Creates, in the sub-world of `feature`, one geometric object per entry holding that entity
  /// (an object of that name already there holds the entity instead); returns how many objects
  /// hold their entity afterwards. None by default (no objects).
  virtual int CreateGeometricObjects(
      rumpf* feature, const std::vector<std::pair<std::string, ENTITY*>>& named) const;

  /// Appends the dependency-tree nodes of the feature that owns `object` to `nodes`, the
  /// nearest first; none by default.
  virtual void NodesOfObject(rumpf* object, std::vector<PDTnode*>& nodes) const;
};

/// The installed links (never null: the default instance until one is installed).
VARNEX_API GeometricObjectLinks& ObjectLinks();
/// Installs `links` (the caller keeps ownership and must keep it alive while installed); null
/// restores the default. Returns the previously installed instance (null for the default).
VARNEX_API GeometricObjectLinks* SetGeometricObjectLinks(GeometricObjectLinks* links);
