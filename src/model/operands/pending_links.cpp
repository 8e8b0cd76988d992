// Stand-ins for the contour calls of contour_bridge.h until the contour classes provide them
// (the object calls of object_bridge.h are in ../object_bridge.cpp). Each answers "nothing
// there", so operands report the missing contour and yield null. Whoever provides a call removes
// its stand-in here.
#include "model/operands/contour_bridge.h"

namespace varnex::model::contours {

XBOOL AreEqual(PVFconnect2dBa* left, PVFconnect2dBa* right) {
  return ToXBool(left == right);
}
const char* Identifier(const PVFconnect2dBa*) {
  return "";
}
const char* Reference(const PVFconnect2dBa*) {
  return nullptr;
}
XBOOL IsValid(const PVFconnect2dBa*) {
  return FALSE;
}
PVFconnect2dBa* Find(const char*) {
  return nullptr;
}

}  // namespace varnex::model::contours
