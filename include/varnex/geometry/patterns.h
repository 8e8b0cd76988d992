// Patterns: the placements of a matrix or a circle of copies, and one body holding the copies.
//
// A pattern body holds every copy as a lump of one body, so taking a pattern of tools away from
// a blank is one Boolean with all tools at once (far faster than one cut per tool).
#pragma once

#include <varnex/geometry/entity.h>
#include <varnex/geometry/spa.h>

#include <vector>

/// The most copies a pattern makes; larger counts give no pattern.
inline constexpr long kMaxPatternCopies = 100000;

/// Translations i·step1 + j·step2 for i < count1, j < count2, row by row (the first is the
/// identity). Empty when a count is below 1 or the total exceeds kMaxPatternCopies.
VARNEX_API std::vector<SPAtransf> MatrixPlacements(long count1, const SPAvector& step1, long count2,
                                                   const SPAvector& step2);

/// `count` placements about the axis through `centre` along `axis`, the k-th at k·step
/// radians (the first is the identity). With `turn` each copy is rotated about the axis;
/// otherwise it keeps its orientation and only its `reference` point moves onto the circle.
/// Empty for a count below 1, too many copies, or an axis without direction.
VARNEX_API std::vector<SPAtransf> CirclePlacements(const SPAposition& centre, const SPAvector& axis,
                                                   long count, double step, bool turn,
                                                   const SPAposition& reference);

/// Makes the body of `entity` the pattern: for each placement after the first a transformed copy
/// of the body joins it as further lumps (the original keeps its pieces and attributes and
/// stays where it is; the first placement must be the identity). Returns the body, or null with
/// nothing changed (no entity, no placements, or a kernel failure).
VARNEX_API ENTITY* fmPatternBody(ENTITY* entity, const std::vector<SPAtransf>& placements);
