// Stand-ins for the object, contour and kernel-layer calls of object_bridge.h,
// contour_bridge.h and geometry_calls.h until the named-object classes, the contour classes and
// the kernel binding provide them. Each answers "nothing there", so operands report the missing
// object or contour and yield null. Whoever provides a call removes its stand-in here.
#include "model/operands/contour_bridge.h"
#include "model/operands/geometry_calls.h"
#include "model/operands/object_bridge.h"

namespace varnex::model::objects {

rumpf* Search(const char*) {
  return nullptr;
}
const char* SimpleName(const rumpf*) {
  return nullptr;
}
const char* FullName(const rumpf*, PVMStrg&) {
  return nullptr;
}
rumpf* Copy(rumpf*, const char*) {
  return nullptr;
}
XBOOL IsFilledInstance(const rumpf*) {
  return FALSE;
}
aritm* ValueOperand(rumpf*) {
  return nullptr;
}
rumpf* CreateFor(aritm&, const char*) {
  return nullptr;
}
XBOOL SetValue(rumpf*, aritm&) {
  return FALSE;
}
void SetSourceAndValidity(rumpf*, const char*, int) {}
void SetRestrictions(rumpf*, const VALUE_LIST<PVMStrg>*) {}

}  // namespace varnex::model::objects

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

namespace varnex::model::geometry {

ENTITY* Unite(ENTITY*, ENTITY*) {
  return nullptr;
}
ENTITY* UniteWires(ENTITY*, ENTITY*) {
  return nullptr;
}
ENTITY* Subtract(ENTITY*, ENTITY*) {
  return nullptr;
}
ENTITY* Intersect(ENTITY*, ENTITY*) {
  return nullptr;
}
ENTITY* Combine(ENTITY*, ENTITY*) {
  return nullptr;
}
list* Transform(list*, SPAtransf*) {
  return nullptr;
}

}  // namespace varnex::model::geometry
