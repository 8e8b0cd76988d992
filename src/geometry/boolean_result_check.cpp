// The soundness check of Boolean results (see boolean_result_check.h).
#include "geometry/boolean_result_check.h"

#include <BRepBndLib.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_IndexedDataMapOfShapeListOfShape.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <deque>
#include <mutex>
#include <utility>

#include "geometry/shape_booleans.h"
#include "geometry/solid_volume.h"

namespace {

// Volumes agree within this share of the operands' total (the integration is not exact on
// curved faces).
constexpr double kRelativeTolerance = 1e-4;

double VolumeOf(const TopoDS_Shape& solid) {
  return SolidVolume(solid);
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

// Exact volumes of the solids measured lately: the result of one Boolean is often the blank
// of the next, and a face with many holes takes as long to integrate as the check is worth.
class RecentVolumes {
 public:
  bool Find(const TopoDS_Shape& solid, double& volume) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [shape, known] : entries_) {
      if (shape.IsEqual(solid)) {
        volume = known;
        return true;
      }
    }
    return false;
  }
  void Put(const TopoDS_Shape& solid, double volume) {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.emplace_front(solid, volume);
    if (entries_.size() > kKept) {
      entries_.pop_back();
    }
  }

 private:
  static constexpr std::size_t kKept = 8;
  std::mutex mutex_;
  std::deque<std::pair<TopoDS_Shape, double>> entries_;
};

RecentVolumes& Recent() {
  static RecentVolumes recent;
  return recent;
}

double ExactVolume(const TopoDS_Shape& solid) {
  double volume = 0;
  if (!Recent().Find(solid, volume)) {
    volume = VolumeOf(solid);
    Recent().Put(solid, volume);
  }
  return volume;
}

// The volume of the box around the solid: at least the solid's volume.
double BoxVolume(const TopoDS_Shape& solid) {
  Bnd_Box box;
  BRepBndLib::Add(solid, box, false);
  if (box.IsVoid()) {
    return 0;
  }
  double x0, y0, z0, x1, y1, z1;
  box.Get(x0, y0, z0, x1, y1, z1);
  return (x1 - x0) * (y1 - y0) * (z1 - z0);
}

// What is known of the volumes of a Boolean's operands. Each solid is measured exactly, or,
// among many tools, only bounded: below by a volume measured lately or 0, above by that volume
// or its box.
struct Volumes {
  double low_sum = 0;
  double high_sum = 0;
  double largest_low = 0;
  bool solid = true;  // only solids, those measured of positive volume
};

// More tools than this are bounded rather than measured (a pattern of hundreds of pins).
constexpr int kMeasuredTools = 8;

Volumes VolumesOf(const TopTools_ListOfShape& shapes, bool measure) {
  Volumes volumes;
  for (const TopoDS_Shape& shape : shapes) {
    if (!OnlySolids(shape)) {
      volumes.solid = false;
      continue;
    }
    for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
      double low = 0;
      double high = 0;
      if (measure || Recent().Find(solid.Current(), low)) {
        low = high = ExactVolume(solid.Current());
        volumes.solid = volumes.solid && low > 0;
      } else {
        high = BoxVolume(solid.Current());
      }
      volumes.low_sum += low;
      volumes.high_sum += high;
      volumes.largest_low = std::max(volumes.largest_low, low);
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
  Volumes blank = VolumesOf(arguments, true);
  Volumes cutters = VolumesOf(tools, tools.Extent() <= kMeasuredTools);
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
      Recent().Put(solid.Current(), piece);
      if (!(piece > 0)) {
        return "invalid Boolean result: a solid of no or negative volume";
      }
      volume += piece;
    }
  }
  double tolerance = kRelativeTolerance * (blank.high_sum + cutters.high_sum);
  double low = 0;
  double high = 0;
  switch (kind) {
    case ShapeBooleanKind::Cut:
      // Arguments may overlap each other: their union holds at least the largest of them.
      low = blank.largest_low - cutters.high_sum;
      high = blank.high_sum;
      break;
    case ShapeBooleanKind::Fuse:
      low = std::max(blank.largest_low, cutters.largest_low);
      high = blank.high_sum + cutters.high_sum;
      break;
    case ShapeBooleanKind::Common:
      high = std::min(blank.high_sum, cutters.high_sum);
      break;
  }
  if (volume < low - tolerance || volume > high + tolerance) {
    return "invalid Boolean result: a volume of " + std::to_string(volume) +
           " outside what the operands allow";
  }
  return std::string();
}
