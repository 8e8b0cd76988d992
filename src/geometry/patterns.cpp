// Patterns of copies: their placements and the body that holds them all.
#include <varnex/geometry/patterns.h>

#include <BRepBuilderAPI_GTransform.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>
#include <cmath>

#include "geometry/body_history.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

bool IsFinite(const SPAvector& v) {
  return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

}  // namespace

std::vector<SPAtransf> MatrixPlacements(long count1, const SPAvector& step1, long count2,
                                        const SPAvector& step2) {
  std::vector<SPAtransf> placements;
  if (count1 < 1 || count2 < 1 || count1 > kMaxPatternCopies / count2 || !IsFinite(step1) ||
      !IsFinite(step2)) {
    return placements;
  }
  placements.reserve(static_cast<std::size_t>(count1 * count2));
  for (long i = 0; i < count1; ++i) {
    for (long j = 0; j < count2; ++j) {
      placements.push_back(
          translate_transf(static_cast<double>(i) * step1 + static_cast<double>(j) * step2));
    }
  }
  return placements;
}

std::vector<SPAtransf> CirclePlacements(const SPAposition& centre, const SPAvector& axis,
                                        long count, double step, bool turn,
                                        const SPAposition& reference) {
  std::vector<SPAtransf> placements;
  if (count < 1 || count > kMaxPatternCopies || axis.len() < SPAresnor || !std::isfinite(step) ||
      !IsFinite(axis) || !IsFinite(SPAposition() - centre) ||
      !IsFinite(SPAposition() - reference)) {
    return placements;
  }
  SPAvector toOrigin = SPAposition() - centre;
  for (long k = 0; k < count; ++k) {
    SPAtransf rotation = translate_transf(toOrigin) *
                         rotate_transf(static_cast<double>(k) * step, axis) *
                         translate_transf(-toOrigin);
    if (turn || k == 0) {
      placements.push_back(k == 0 ? SPAtransf() : rotation);
    } else {
      placements.push_back(translate_transf(reference * rotation - reference));
    }
  }
  return placements;
}

ENTITY* fmPatternBody(ENTITY* entity, const std::vector<SPAtransf>& placements) {
  BODY* body = BodyOf(entity);
  if (body == nullptr || placements.empty()) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT, "a pattern needs a body and placements"));
    return nullptr;
  }
  for (const SPAtransf& placement : placements) {
    if (!placement.finite()) {
      RecordOutcome(outcome(KERNEL_BAD_VALUE, "a pattern placement is not finite"));
      return nullptr;
    }
  }
  outcome result = RunKernelOperation([&] {
    const TopoDS_Shape& original = ShapeOf(body);
    BRep_Builder builder;
    TopoDS_Compound pattern;
    builder.MakeCompound(pattern);
    builder.Add(pattern, original);
    for (std::size_t k = 1; k < placements.size(); ++k) {
      gp_Trsf trsf;
      if (ToTrsf(placements[k], trsf)) {
        builder.Add(pattern, BRepBuilderAPI_Transform(original, trsf, true).Shape());
      } else {
        builder.Add(pattern,
                    BRepBuilderAPI_GTransform(original, ToGTrsf(placements[k]), true).Shape());
      }
    }
    CommitWithHistory(body, pattern, NoHistory());
  });
  return result.ok() ? body : nullptr;
}
