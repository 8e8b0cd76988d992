// The engine's attributes: which feature an entity belongs to, which named face it is, which 2D
// contour made a body, which colour it has. They follow their entities through Booleans, splits,
// merges, copies and body files (see attribute_base.h for the hooks), so that a rebuilt body can be
// matched to the names that feature texts use.
//
// Objects (`rumpf`) are reached through the installed GeometricObjectLinks
// (geometric_object_links.h).
#pragma once

#include <varnex/base/strg.h>
#include <varnex/geometry/attribute_base.h>

#include <string>

class rumpf;
class geo_list;
class PVFconnect2dBa;

/// The base of the engine's kernel attributes ("uxa").
class VARNEX_API ATTRIB_UXA : public ATTRIB {
 public:
  explicit ATTRIB_UXA(ENTITY* owner) : ATTRIB(owner) {}
  const char* type_name() const override { return "uxa"; }

 protected:
  void append_identity(std::vector<const char*>& chain) const override;
};

/// Marks an entity as named ("face_name"). Not split, merged or copied.
class VARNEX_API ATTRIB_FN : public ATTRIB_UXA {
 public:
  explicit ATTRIB_FN(ENTITY* owner) : ATTRIB_UXA(owner) {}
  const char* type_name() const override { return "face_name"; }

 protected:
  void append_identity(std::vector<const char*>& chain) const override;
};

/// The feature attribute ("feature"): the entity belongs to `feature`, usually the geometric
/// object whose entity list holds it. A split gives the new piece the same attribute and adds it
/// to the object's list; a merge does the same for the survivor; losing it takes the owner out of
/// the object's list. Saved as the feature's full name ("UNKNOWN" without feature or while a SAT
/// file operation runs).
class VARNEX_API ATTRIB_DS : public ATTRIB_UXA {
 public:
  ATTRIB_DS(ENTITY* owner, rumpf* feature = nullptr) : ATTRIB_UXA(owner), feature_(feature) {}
  const char* type_name() const override { return "feature"; }
  rumpf* feature() const { return feature_; }
  void set_feature(rumpf* feature) {
    feature_ = feature;
    unresolved_.clear();
  }
  /// The (converted) feature name read from a file that no object answered when the entity was
  /// restored (a model restores its bodies before its objects); empty otherwise.
  const std::string& unresolved_name() const { return unresolved_; }
  /// Looks the unresolved name up again; TRUE when the attribute names a feature now.
  XBOOL Resolve();

  void split_owner(ENTITY* new_piece) override;
  void merge_owner(ENTITY* other, XBOOL delete_owner) override;
  void lose() override;
  /// The copy names the same feature but is not added to the object's entity list.
  void copy_owner(ENTITY* copy) const override;
  void save(AttribWriter& out) const override;
  void restore(AttribReader& in) override;

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  rumpf* feature_;
  std::string unresolved_;
};

/// The feature attribute of memory bodies ("ATTRIB_MemDS"): keeps the feature's name as text, so
/// that it survives the objects being rebuilt.
class VARNEX_API ATTRIB_MEM_DS : public ATTRIB_UXA {
 public:
  explicit ATTRIB_MEM_DS(ENTITY* owner, rumpf* feature = nullptr);
  const char* type_name() const override { return "ATTRIB_MemDS"; }
  const char* content() const { return name_.c_str(); }
  void SetFeatureName(const char* name) { name_ = name ? name : ""; }
  /// TRUE when the feature was a named face object ("f_...").
  XBOOL names_face() const { return ToXBool(names_face_); }
  /// The object the stored name finds in the current world, or null.
  rumpf* feature() const;

  void copy_owner(ENTITY* copy) const override;
  void save(AttribWriter& out) const override;
  void restore(AttribReader& in) override;

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  std::string name_;
  bool names_face_ = false;
};

/// Ties a body to the model's body list it belongs to ("model"). Not saved beyond its identity.
class VARNEX_API ATTRIB_MOD : public ATTRIB_UXA {
 public:
  ATTRIB_MOD(ENTITY* owner, geo_list* model = nullptr) : ATTRIB_UXA(owner), model_(model) {}
  const char* type_name() const override { return "model"; }
  geo_list* model() const { return model_; }

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  geo_list* model_;
};

/// The 2D contour that produced a body ("Connect2dBody"). The contour is shared, not owned.
class VARNEX_API ATTRIB_OfBodyConnect2d : public ATTRIB_UXA {
 public:
  ATTRIB_OfBodyConnect2d(ENTITY* owner, PVFconnect2dBa* contour = nullptr)
      : ATTRIB_UXA(owner), contour_(contour) {}
  const char* type_name() const override { return "Connect2dBody"; }
  PVFconnect2dBa* GetConnect2d() const { return contour_; }
  void SetConnect2d(PVFconnect2dBa* contour) { contour_ = contour; }

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  PVFconnect2dBa* contour_;
};

/// The base of the host-facing attributes ("PVFAttribMaster").
class VARNEX_API PVFAttribMaster : public ATTRIB {
 public:
  explicit PVFAttribMaster(ENTITY* owner) : ATTRIB(owner) {}
  const char* type_name() const override { return "PVFAttribMaster"; }

 protected:
  void append_identity(std::vector<const char*>& chain) const override;
};

/// A face's solid-face name. A face named N splits into N_S0 and N_S1 (N_S0 later into N_S00
/// and N_S01); a merge adds the going face's name to the survivor unless the survivor already
/// carries it or a name of the same split family.
class VARNEX_API PVFAttribSolidFaceName : public PVFAttribMaster {
 public:
  explicit PVFAttribSolidFaceName(ENTITY* owner, const char* name = nullptr);
  const char* type_name() const override { return "PVFAttribSolidFaceName"; }
  /// The name; null when none is set.
  const char* GetName() const { return has_name_ ? name_.c_str() : nullptr; }
  void SetName(const char* name);

  void split_owner(ENTITY* new_piece) override;
  void merge_owner(ENTITY* other, XBOOL delete_owner) override;
  void lose() override;
  void copy_owner(ENTITY* copy) const override;
  void save(AttribWriter& out) const override;
  void restore(AttribReader& in) override;

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  std::string name_;
  bool has_name_ = false;
};

/// A face name used while reproducing a feature; lives only in memory (not saved).
class VARNEX_API PVFAttribReproFaceName : public PVFAttribMaster {
 public:
  explicit PVFAttribReproFaceName(ENTITY* owner, const char* name = nullptr, int number = 0);
  const char* type_name() const override { return "PVFAttribReproFaceName"; }
  const char* GetName() const { return name_.GetpStr(); }
  int GetNumber() const { return number_; }
  void lose() override;

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  PVFRString name_;
  int number_;
};

/// A colour (red, green, blue, alpha). Split pieces and copies get the colour; a merge gives it to
/// a survivor without colour.
class VARNEX_API PVFAttribRGBColor : public PVFAttribMaster {
 public:
  explicit PVFAttribRGBColor(ENTITY* owner, int red = 0, int green = 0, int blue = 0,
                             int alpha = 0);
  const char* type_name() const override { return "PVFAttribRGBColor"; }
  void RGBColor(int& red, int& green, int& blue) const;
  void RGBColor(int& red, int& green, int& blue, int& alpha) const;

  void split_owner(ENTITY* new_piece) override;
  void merge_owner(ENTITY* other, XBOOL delete_owner) override;
  void copy_owner(ENTITY* copy) const override;
  void save(AttribWriter& out) const override;
  void restore(AttribReader& in) override;

 protected:
  void append_identity(std::vector<const char*>& chain) const override;

 private:
  int red_, green_, blue_, alpha_;
};

// Attaching and removing. Each skips null arguments; attaching skips an entity that already
// carries the same attribute (for ATTRIB_DS: for the same feature).

/// ATTRIB_FN on every face of the body of `body`.
VARNEX_API void set_fnatt_to_body(ENTITY* body);
VARNEX_API void set_fnatt_to_face(ENTITY* face);
/// ATTRIB_FN on the wire itself (for a wire body: on each of its wires).
VARNEX_API void set_fnatt_to_wire(ENTITY* wire);
/// ATTRIB_DS for `feature` on every face of the body.
VARNEX_API void set_attds_to_body(ENTITY* body, rumpf* feature);
VARNEX_API void set_attds_to_face(ENTITY* face, rumpf* feature);
/// ATTRIB_DS on every edge of the wire (of each wire of a wire body).
VARNEX_API void set_attds_to_wire(ENTITY* wire, rumpf* feature);
/// ATTRIB_DS on the entity itself.
VARNEX_API void set_attds_to_entity(ENTITY* entity, rumpf* feature);
/// ATTRIB_DS on the body entity itself (not on its faces).
VARNEX_API void set_attds_direct_to_body(ENTITY* body, rumpf* feature);
/// Loses the entity's ATTRIB_DS for `feature` (every ATTRIB_DS when `feature` is null).
VARNEX_API void remove_attds_from_entity(ENTITY* entity, rumpf* feature = nullptr);
/// Loses every ATTRIB_DS of the entity and of every entity below it.
VARNEX_API void remove_attds_from_all_of_body(ENTITY* body);
VARNEX_API void remove_attds_from_all_of_face(ENTITY* face);
VARNEX_API void remove_attds_from_all_of_wire(ENTITY* wire);
VARNEX_API void remove_attds_from_all_of_coedge(ENTITY* coedge);
VARNEX_API void remove_attds_from_all_of_vertex(ENTITY* vertex);
VARNEX_API void remove_attds_from_all_of_entity(ENTITY* entity);

/// Puts every face of the body into the entity lists of the objects its ATTRIB_DS designate. A
/// body restored from a file comes back with its attributes but in no object's list, so neither
/// would its faces be found by name nor would an object that goes away take its attributes off
/// them (which would leave them pointing at a destroyed object). Attributes of the body, its
/// faces and edges whose feature was not found when they were restored look it up again first.
/// Returns the number of faces.
VARNEX_API int PVFRelinkFeatureFaces(ENTITY* body);

/// The entity's solid-face-name attribute (the first), or null.
VARNEX_API PVFAttribSolidFaceName* PVFFindSolidFaceNameAtt(const ENTITY* entity);
/// Every solid-face-name attribute of the entity, appended to `found`.
VARNEX_API void PVFFindAllSolidFaceNameAtts(const ENTITY* entity,
                                            std::vector<PVFAttribSolidFaceName*>& found);
