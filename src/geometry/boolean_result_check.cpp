// The soundness check of Boolean results (see boolean_result_check.h).
#include "geometry/boolean_result_check.h"

#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <algorithm>

#include "geometry/shape_booleans.h"

namespace {

// Volumes agree within this share of the operands' total (the integration is not exact on
// curved faces).
constexpr double kRelativeTolerance = 1e-4;

double VolumeOf(const TopoDS_Shape& solid) {
  GProp_GProps properties;
  BRepGProp::VolumeProperties(solid, properties);
  return properties.Mass();
}

// Every edge of the solid is used an even number of times by its faces: twice (by two faces, or
// by one face as its seam), or four times where pieces touch along it. An edge used once is a
// hole in the skin.
bool IsClosed(const TopoDS_Shape& solid) {
  TopTools_IndexedDataMapOfShapeListOfShape face_uses;
  TopExp::MapShapesAndAncestors(solid, TopAbs_EDGE, TopAbs_FACE, face_uses);
  for (int i = 1; i <= face_uses.Extent(); ++i) {
    if (!BRep_Tool::Degenerated(TopoDS::Edge(face_uses.FindKey(i))) &&
        face_uses(i).Extent() % 2 != 0) {
      return false;
    }
  }
  return true;
}

int CountOf(const TopoDS_Shape& shape, TopAbs_ShapeEnum type) {
  TopTools_IndexedMapOfShape map;
  TopExp::MapShapes(shape, type, map);
  return map.Extent();
}

// Only solids: no face of the shape lies outside its solids.
bool OnlySolids(const TopoDS_Shape& shape) {
  int in_solids = 0;
  int solids = 0;
  for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
    in_solids += CountOf(solid.Current(), TopAbs_FACE);
    ++solids;
  }
  return solids > 0 && in_solids >= CountOf(shape, TopAbs_FACE) && CountOf(shape, TopAbs_EDGE) > 0;
}

struct Volumes {
  double sum = 0;
  double largest = 0;
  bool solid = true;  // every piece a solid of positive volume
};

Volumes VolumesOf(const TopTools_ListOfShape& shapes) {
  Volumes volumes;
  for (const TopoDS_Shape& shape : shapes) {
    if (!OnlySolids(shape)) {
      volumes.solid = false;
      continue;
    }
    for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
      double volume = VolumeOf(solid.Current());
      volumes.solid = volumes.solid && volume > 0;
      volumes.sum += volume;
      volumes.largest = std::max(volumes.largest, volume);
    }
  }
  return volumes;
}

std::string FullAnalysis(const TopoDS_Shape& result) {
  return BRepCheck_Analyzer(result).IsValid() ? std::string() : "invalid Boolean result";
}

}  // namespace

std::string BooleanResultFault(ShapeBooleanKind kind, const TopTools_ListOfShape& arguments,
                               const TopTools_ListOfShape& tools,
                               BRepAlgoAPI_BooleanOperation& operation) {
  const TopoDS_Shape& result = operation.Shape();
  Volumes blank = VolumesOf(arguments);
  Volumes cutters = VolumesOf(tools);
  if (operation.HasWarnings() || !blank.solid || !cutters.solid) {
    return FullAnalysis(result);
  }
  double volume = 0;
  if (CountOf(result, TopAbs_FACE) > 0) {
    if (!OnlySolids(result)) {
      return FullAnalysis(result);
    }
    for (TopExp_Explorer solid(result, TopAbs_SOLID); solid.More(); solid.Next()) {
      if (!IsClosed(solid.Current())) {
        return "invalid Boolean result: an open solid";
      }
      double piece = VolumeOf(solid.Current());
      if (!(piece > 0)) {
        return "invalid Boolean result: a solid of no or negative volume";
      }
      volume += piece;
    }
  }
  double tolerance = kRelativeTolerance * (blank.sum + cutters.sum);
  double low = 0;
  double high = 0;
  switch (kind) {
    case ShapeBooleanKind::Cut:
      // Arguments may overlap each other: their union holds at least the largest of them.
      low = blank.largest - cutters.sum;
      high = blank.sum;
      break;
    case ShapeBooleanKind::Fuse:
      low = std::max(blank.largest, cutters.largest);
      high = blank.sum + cutters.sum;
      break;
    case ShapeBooleanKind::Common:
      high = std::min(blank.sum, cutters.sum);
      break;
  }
  if (volume < low - tolerance || volume > high + tolerance) {
    return "invalid Boolean result: a volume of " + std::to_string(volume) +
           " outside what the operands allow";
  }
  return std::string();
}
