// Stand-ins for the object and contour calls of object_bridge.h and contour_bridge.h until the
// named-object and contour classes provide them. Each answers "nothing there", so operands
// report the missing object or contour and yield null. Whoever provides a call removes its
// stand-in here.
#include "model/operands/contour_bridge.h"
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
