// The basic feature solids: local system, upper and lower parts, their join, the face
// classification and the face names in the feature's world.
#include <varnex/geometry/basic_solids.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/face_names.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/positions.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/topology.h>
#include <varnex/geometry/transforms.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

/// Builds one part of the given signed height, taper and taper mode; fills `applied`.
using PartBuilder =
    std::function<ENTITY*(double height, double taper, int mode, SPAtransf& applied)>;

/// The dimensions of the two parts.
struct Parts {
  double upper;
  double lower;
  double upperTaper;
  double lowerTaper;
  int upperMode;
  int lowerMode;
};

struct LocalSystem {
  SPAtransf placement;
  SPAvector x{1, 0, 0};
  SPAvector y{0, 1, 0};
  SPAvector z{0, 0, 1};
};

// The placement of the local system of two axes, lifted along its z to the position's level.
LocalSystem MakeLocalSystem(const double* position, const double* axis1, const double* axis2) {
  LocalSystem system;
  system.placement = fmLocalPlacement(position, axis1, axis2);
  system.x = SPAvector(1, 0, 0) * system.placement;
  system.y = SPAvector(0, 1, 0) * system.placement;
  system.z = SPAvector(0, 0, 1) * system.placement;
  return system;
}

// Builds a part; a negative height of a late revision is built upwards and moved down.
ENTITY* BuildPart(const PartBuilder& build, double height, double taper, int mode,
                  bool moveNegative, SPAtransf& applied) {
  if (height == 0.0) {
    return nullptr;
  }
  double signedTaper = height < 0.0 ? -taper : taper;
  if (!moveNegative || height > 0.0) {
    return build(height, signedTaper, mode, applied);
  }
  ENTITY* part = build(-height, signedTaper, mode, applied);
  if (part != nullptr) {
    SPAtransf down = translate_transf(height * (SPAvector(0, 0, 1) * applied));
    if (fmtransform_Body(part, down) == nullptr) {
      api_delent(part);
      return nullptr;
    }
    applied = applied * down;
  }
  return part;
}

// Joins the parts by the signs of the heights; the body that remains, or null.
ENTITY* JoinParts(ENTITY* upperPart, ENTITY* lowerPart, double upper, double lower) {
  if (upperPart == nullptr || lowerPart == nullptr) {
    return upperPart != nullptr ? upperPart : lowerPart;
  }
  if ((upper > 0.0) == (lower > 0.0)) {
    return unite(lowerPart, upperPart);
  }
  if (upper > 0.0) {
    return subtract(lowerPart, upperPart);
  }
  return subtract(upperPart, lowerPart);
}

// The lower part grows the other way: its height is built with the opposite sign.
ENTITY* BuildAndJoin(const PartBuilder& build, const Parts& parts, bool moveNegative) {
  SPAtransf applied;
  ENTITY* upperPart =
      BuildPart(build, parts.upper, parts.upperTaper, parts.upperMode, moveNegative, applied);
  ENTITY* lowerPart =
      BuildPart(build, -parts.lower, parts.lowerTaper, parts.lowerMode, moveNegative, applied);
  ENTITY* body = JoinParts(upperPart, lowerPart, parts.upper, parts.lower);
  if (body != nullptr) {
    ToModel(body);
  }
  return body;
}

// ---- faces ----

/// The face slots of a classification, in test order.
enum Slot { kTop, kBottom, kPlusX, kMinusX, kPlusY, kMinusY, kSlotCount };

struct Classified {
  ENTITY* slots[kSlotCount] = {};
  std::vector<ENTITY*> rest;
};

// Visits the faces from the last to the first; `slotCount` slots are tested (2: top and bottom).
Classified ClassifyFaces(ENTITY* body, const LocalSystem& axes, int slotCount) {
  const SPAvector directions[kSlotCount] = {axes.z, -axes.z, axes.x, -axes.x, axes.y, -axes.y};
  Classified result;
  ENTITY_LIST faces;
  api_get_faces(body, faces);
  for (int i = faces.count() - 1; i >= 0; --i) {
    ENTITY* face = faces[i];
    SPAposition point;
    SPAunit_vector normal;
    bool placed = false;
    if (FaceProperties(face, point, normal)) {
      for (int slot = 0; slot < slotCount && !placed; ++slot) {
        if (result.slots[slot] == nullptr && are_parallel(normal, directions[slot], TRUE)) {
          result.slots[slot] = face;
          placed = true;
        }
      }
    }
    if (!placed) {
      result.rest.push_back(face);
    }
  }
  return result;
}

// Names the side slots "f_0".. in the order +x, +y, -x, -y, then the unnamed rest faces.
XBOOL NameFaces(const Classified& faces, bool withSides, rumpf* feature) {
  XBOOL complete = TRUE;
  std::vector<std::pair<std::string, ENTITY*>> named;
  auto next = [&](ENTITY* face) { named.emplace_back("f_" + std::to_string(named.size()), face); };
  if (withSides) {
    for (Slot slot : {kPlusX, kPlusY, kMinusX, kMinusY}) {
      if (faces.slots[slot] == nullptr) {
        complete = FALSE;
      } else {
        next(faces.slots[slot]);
      }
    }
  }
  for (ENTITY* face : faces.rest) {
    if (find_face_name_att(face) == nullptr) {
      next(face);
    }
  }
  if (feature != nullptr) {
    ObjectLinks().CreateGeometricObjects(feature, named);
  }
  return complete;
}

// Classifies and names the faces of a finished body; fills the top and bottom out-parameters.
XBOOL FinishFaces(ENTITY* body, const LocalSystem& axes, bool withSides, rumpf* feature,
                  ENTITY*& top, ENTITY*& bottom) {
  Classified faces = ClassifyFaces(body, axes, withSides ? kSlotCount : 2);
  top = faces.slots[kTop];
  bottom = faces.slots[kBottom];
  return NameFaces(faces, withSides, feature);
}

// The system's axes turned by `angle` about its z axis (the block's sides turn with it).
LocalSystem Turned(LocalSystem system, double angle) {
  if (angle != 0.0) {
    SPAtransf turn = rotate_transf(angle, system.z);
    system.x = system.x * turn;
    system.y = system.y * turn;
  }
  return system;
}

bool Finite(std::initializer_list<double> values) {
  for (double value : values) {
    if (!std::isfinite(value)) {
      return false;
    }
  }
  return true;
}

}  // namespace

ENTITY* fmBasicBlock(double length, double width, double upper, double lower, double angle,
                     double upper_taper, double lower_taper, const double* position,
                     const double* axis1, const double* axis2, rumpf* feature, int upper_mode,
                     int lower_mode, ENTITY*& top, ENTITY*& bottom, XBOOL& complete, int& error,
                     int revision) {
  top = nullptr;
  bottom = nullptr;
  if (length == 0.0 || width == 0.0 || (upper == 0.0 && lower == 0.0) ||
      !Finite({length, width, upper, lower, angle, upper_taper, lower_taper})) {
    return nullptr;
  }
  LocalSystem system = MakeLocalSystem(position, axis1, axis2);
  auto build = [&](double height, double taper, int mode, SPAtransf& applied) -> ENTITY* {
    if (taper == 0.0) {
      return fmBlockBodyWithTrans(length, width, height, angle, position, system.placement, applied,
                                  error);
    }
    return fmPyramidBodyWithTrans(length, width, height, angle, taper, mode, position,
                                  system.placement, applied, error);
  };
  ENTITY* body = BuildAndJoin(
      build, {upper, lower, upper_taper, lower_taper, upper_mode, lower_mode}, revision > 2);
  if (body != nullptr) {
    complete = FinishFaces(body, Turned(system, angle), true, feature, top, bottom);
  }
  return body;
}

ENTITY* fmBasicCylinder(double diameter, const double* position, double start, double sweep,
                        double upper, double lower, double upper_taper, double lower_taper,
                        const double* axis1, const double* axis2, rumpf* feature, int upper_mode,
                        int lower_mode, ENTITY*& top, ENTITY*& bottom, XBOOL& complete, int& error,
                        int revision) {
  top = nullptr;
  bottom = nullptr;
  if (diameter == 0.0 || sweep == 0.0 || (upper == 0.0 && lower == 0.0) ||
      !Finite({diameter, start, sweep, upper, lower, upper_taper, lower_taper})) {
    return nullptr;
  }
  LocalSystem system = MakeLocalSystem(position, axis1, axis2);
  const double radius = std::fabs(diameter) * 0.5;
  const bool full = std::fabs(std::fabs(sweep) - kFullTurn) < 1e-9;
  auto build = [&](double height, double taper, int mode, SPAtransf& applied) -> ENTITY* {
    if (taper == 0.0 && full) {
      return fmCylinderBodyWithTrans(radius, height, position, system.placement, applied, error);
    }
    return fmCylSegBodyWithTrans(radius, height, start, sweep, taper, mode, position,
                                 system.placement, applied, error);
  };
  ENTITY* body = BuildAndJoin(
      build, {upper, lower, upper_taper, lower_taper, upper_mode, lower_mode}, revision > 2);
  if (body != nullptr) {
    complete = FinishFaces(body, system, false, feature, top, bottom);
  }
  return body;
}

ENTITY* fmBasicPrism(long sides, double& circumradius, double upper, double lower, double angle,
                     double upper_taper, double lower_taper, const double* position,
                     const double* axis1, const double* axis2, rumpf* feature, int upper_mode,
                     int lower_mode, ENTITY*& top, ENTITY*& bottom, double& inradius,
                     int radius_flag, int& error, int revision) {
  top = nullptr;
  bottom = nullptr;
  if (sides < 3 || sides > 100000 || (upper == 0.0 && lower == 0.0) ||
      !Finite({upper, lower, angle, upper_taper, lower_taper})) {
    return nullptr;
  }
  const double ratio = std::cos(std::numbers::pi / static_cast<double>(sides));
  if (radius_flag == 0) {
    if (circumradius == 0.0 || !std::isfinite(circumradius)) {
      return nullptr;
    }
    inradius = circumradius * ratio;
  } else {
    if (inradius == 0.0 || !std::isfinite(inradius)) {
      return nullptr;
    }
    circumradius = inradius / ratio;
  }
  LocalSystem system = MakeLocalSystem(position, axis1, axis2);
  const double radius = std::fabs(circumradius);
  const int n = static_cast<int>(sides);
  auto build = [&](double height, double taper, int mode, SPAtransf& applied) -> ENTITY* {
    if (taper == 0.0) {
      return fmPrismBodyWithTrans(n, radius, height, angle, position, system.placement, applied,
                                  error);
    }
    return fmPrismPyramidBodyWithTrans(n, radius, height, angle, taper, mode, position,
                                       system.placement, applied, error);
  };
  ENTITY* body = BuildAndJoin(
      build, {upper, lower, upper_taper, lower_taper, upper_mode, lower_mode}, revision > 3);
  if (body != nullptr) {
    FinishFaces(body, system, false, feature, top, bottom);
  }
  return body;
}

ENTITY* fmBasicTorus(double tube, const double* position, double start, double arc_sweep,
                     double ring, double angle, double ring_sweep, const double* axis1,
                     const double* axis2, rumpf* feature, ENTITY*& face1, ENTITY*& face2,
                     ENTITY*& face3, XBOOL& complete, int& error) {
  face1 = face2 = face3 = nullptr;
  if (tube == 0.0 || !Finite({tube, start, arc_sweep, ring, angle, ring_sweep})) {
    error = 1;
    return nullptr;
  }
  LocalSystem system = MakeLocalSystem(position, axis1, axis2);
  SPAtransf placement = system.placement;
  if (axis1 != nullptr && axis2 != nullptr && angle != 0.0) {
    placement = rotate_transf(angle, SPAvector(0, 0, 1)) * placement;
  }
  const double R = std::fabs(ring) / 2;
  const double r = std::fabs(tube) / 2;
  ENTITY* body = nullptr;
  bool full = std::fabs(std::fabs(arc_sweep) - kFullTurn) < 1e-9 &&
              std::fabs(std::fabs(ring_sweep) - kFullTurn) < 1e-9;
  if (full) {
    outcome made = R == 0.0 ? api_make_sphere(r, body) : api_make_torus(R, r, body);
    if (!made.ok()) {
      error = made.error_number();
      return nullptr;
    }
    if (!placement.identity() && fmtransform_Body(body, placement) == nullptr) {
      error = PVFLastKernelOutcome().error_number();
      api_delent(body);
      return nullptr;
    }
  } else {
    body = fmTorusBodyWithTrans(R, r, ring_sweep, start, arc_sweep, placement, error);
    if (body == nullptr) {
      return nullptr;
    }
  }
  ToModel(body);
  Classified faces;
  ENTITY_LIST all;
  api_get_faces(body, all);
  ENTITY** outs[3] = {&face1, &face2, &face3};
  int planar = 0;
  for (int i = all.count() - 1; i >= 0; --i) {
    if (planar < 3 && is_planar_face(all[i])) {
      *outs[planar++] = all[i];
    } else {
      faces.rest.push_back(all[i]);
    }
  }
  complete = NameFaces(faces, false, feature);
  return body;
}

int fmNameBodyFaces(ENTITY* entity, rumpf* feature) {
  ENTITY* body = fmbody_from(entity);
  if (body == nullptr || feature == nullptr) {
    return 0;
  }
  ENTITY_LIST faces;
  api_get_faces(body, faces);
  std::vector<std::pair<std::string, ENTITY*>> named;
  for (int i = 0; i < faces.count(); ++i) {
    if (find_face_name_att(faces[i]) == nullptr) {
      named.emplace_back("f_" + std::to_string(named.size()), faces[i]);
    }
  }
  return ObjectLinks().CreateGeometricObjects(feature, named);
}
