// What op_connect2d needs from 2D contours. The contour base class and the global contour list
// provide these calls beside their own code.
#pragma once

#include <varnex/base/xbool.h>

class PVFconnect2dBa;

namespace varnex::model::contours {

/// The contour's own equality test (`left->IsEqual(right)`); both must be non-null.
XBOOL AreEqual(PVFconnect2dBa* left, PVFconnect2dBa* right);
/// The identifier text; never null for a non-null contour.
const char* Identifier(const PVFconnect2dBa* contour);
/// The name of the object the contour refers to, or null.
const char* Reference(const PVFconnect2dBa* contour);
/// TRUE when the contour reports itself valid.
XBOOL IsValid(const PVFconnect2dBa* contour);
/// The first live contour with exactly this identifier, or null.
PVFconnect2dBa* Find(const char* identifier);

}  // namespace varnex::model::contours
