// The base protocol of the operand: every operation a kind does not override reports
// "call to virtual function" (class "aritm", severity 1) and yields its type's empty value.
#include <varnex/base/messages.h>
#include <varnex/model/aritm.h>

#include <type_traits>

namespace {

template <class T = void>
T Unsupported(const char* operation, const char* message = "call to virtual function") {
  ClassError("aritm", operation, message, 1, 0);
  if constexpr (!std::is_void_v<T>) {
    return T{};
  }
}

}  // namespace

int aritm::CheckRestrictions() const {
  return Unsupported<int>("check_restrictions ()");
}

aritm* aritm::assign(aritm*) {
  return Unsupported<aritm*>("assign (aritm *)");
}

aritm* aritm::add_aritm(aritm*) {
  return Unsupported<aritm*>("add (aritm *)", "call to virtual function (aritm *)");
}

aritm* aritm::add_double(double) {
  return Unsupported<aritm*>("add (double)");
}

aritm* aritm::add_vector(double*) {
  return Unsupported<aritm*>("add (double *)");
}

aritm* aritm::add_long(long) {
  return Unsupported<aritm*>("add (long)");
}

aritm* aritm::add_char(const char*) {
  return Unsupported<aritm*>("add (XCHAR *)");
}

aritm* aritm::add_ENT(ENTITY*) {
  return Unsupported<aritm*>("add (ENTITY *)");
}

aritm* aritm::add_list(list*) {
  return Unsupported<aritm*>("add (list *)");
}

aritm* aritm::add_LOG(XBOOL) {
  return Unsupported<aritm*>("add (XBOOL)");
}

aritm* aritm::add_connect2d(PVFconnect2dBa*) {
  return Unsupported<aritm*>("add (PVFconnect2dBa *)");
}

aritm* aritm::subtract_aritm(aritm*) {
  return Unsupported<aritm*>("subtract (aritm *)");
}

aritm* aritm::subtract_double(double) {
  return Unsupported<aritm*>("subtract (double)");
}

aritm* aritm::subtract_vector(double*) {
  return Unsupported<aritm*>("subtract (double *)");
}

aritm* aritm::subtract_long(long) {
  return Unsupported<aritm*>("subtract (long)");
}

aritm* aritm::subtract_ENT(ENTITY*) {
  return Unsupported<aritm*>("subtract (ENTITY *)");
}

aritm* aritm::subtract_list(list*) {
  return Unsupported<aritm*>("subtract (list *)");
}

aritm* aritm::multiply_aritm(aritm*) {
  return Unsupported<aritm*>("multiply (aritm *)");
}

aritm* aritm::multiply_double(double) {
  return Unsupported<aritm*>("multiply (double)");
}

aritm* aritm::multiply_vector(double*) {
  return Unsupported<aritm*>("multiply (double *)");
}

aritm* aritm::multiply_axis(double*, double*) {
  return Unsupported<aritm*>("multiply (double *, double *)");
}

aritm* aritm::multiply_long(long) {
  return Unsupported<aritm*>("multiply (long)");
}

aritm* aritm::multiply_ENT(ENTITY*) {
  return Unsupported<aritm*>("multiply (ENTITY *)");
}

aritm* aritm::multiply_LOG(XBOOL) {
  return Unsupported<aritm*>("multiply (XBOOL)");
}

aritm* aritm::multiply_list(list*) {
  return Unsupported<aritm*>("multiply (list *)");
}

aritm* aritm::multiply_trans(SPAtransf*) {
  return Unsupported<aritm*>("multiply (transf *)");
}

aritm* aritm::percent_aritm(aritm*) {
  return Unsupported<aritm*>("percent (aritm *)");
}

aritm* aritm::percent_vector(double*) {
  return Unsupported<aritm*>("percent (double *)");
}

aritm* aritm::percent_long(long) {
  return Unsupported<aritm*>("percent (long)");
}

aritm* aritm::divide_aritm(aritm*) {
  return Unsupported<aritm*>("divide (aritm *)");
}

aritm* aritm::divide_ENT(ENTITY*) {
  return Unsupported<aritm*>("divide (ENTITY *)");
}

aritm* aritm::divide_list(list*) {
  return Unsupported<aritm*>("divide (list *)");
}

aritm* aritm::divide_double(double) {
  return Unsupported<aritm*>("divide (double)");
}

aritm* aritm::divide_long(long) {
  return Unsupported<aritm*>("divide (long)");
}

aritm* aritm::divide_vector(double*) {
  return Unsupported<aritm*>("divide (double *)");
}

aritm* aritm::equal_aritm(aritm*) {
  return Unsupported<aritm*>("equal (aritm *)");
}

aritm* aritm::equal_double(double) {
  return Unsupported<aritm*>("equal (double)");
}

aritm* aritm::equal_long(long) {
  return Unsupported<aritm*>("equal (long)");
}

aritm* aritm::equal_LOG(XBOOL) {
  return Unsupported<aritm*>("equal (XBOOL)");
}

aritm* aritm::equal_vector(double*) {
  return Unsupported<aritm*>("equal (double *)");
}

aritm* aritm::equal_axis(double*, double*) {
  return Unsupported<aritm*>("equal (double *, double *)");
}

aritm* aritm::equal_char(const char*) {
  return Unsupported<aritm*>("equal (XCHAR *)");
}

aritm* aritm::equal_enum(int, const char*) {
  return Unsupported<aritm*>("equal (XINT, XCHAR *)");
}

aritm* aritm::equal_connect2d(PVFconnect2dBa*) {
  return Unsupported<aritm*>("equal (PVFconnect2dBa *)");
}

aritm* aritm::equal_reference(rumpf*) {
  return Unsupported<aritm*>("equal (rumpf *)");
}

aritm* aritm::not_equal_aritm(aritm*) {
  return Unsupported<aritm*>("not_equal (aritm *)");
}

aritm* aritm::not_equal_double(double) {
  return Unsupported<aritm*>("not_equal (double)");
}

aritm* aritm::not_equal_long(long) {
  return Unsupported<aritm*>("not_equal (long)");
}

aritm* aritm::not_equal_LOG(XBOOL) {
  return Unsupported<aritm*>("not_equal (XBOOL)");
}

aritm* aritm::not_equal_vector(double*) {
  return Unsupported<aritm*>("not_equal (double *)");
}

aritm* aritm::not_equal_axis(double*, double*) {
  return Unsupported<aritm*>("not_equal (double *, double *)");
}

aritm* aritm::not_equal_char(const char*) {
  return Unsupported<aritm*>("not_equal (XCHAR *)");
}

aritm* aritm::not_equal_enum(int, const char*) {
  return Unsupported<aritm*>("not_equal (XINT, XCHAR *)");
}

aritm* aritm::not_equal_connect2d(PVFconnect2dBa*) {
  return Unsupported<aritm*>("not_equal (PVFconnect2dBa *)");
}

aritm* aritm::not_equal_reference(rumpf*) {
  return Unsupported<aritm*>("not_equal (rumpf *)");
}

aritm* aritm::less_aritm(aritm*) {
  return Unsupported<aritm*>("less (aritm *)");
}

aritm* aritm::less_double(double) {
  return Unsupported<aritm*>("less (double)");
}

aritm* aritm::less_long(long) {
  return Unsupported<aritm*>("less (long)");
}

aritm* aritm::greater_aritm(aritm*) {
  return Unsupported<aritm*>("greater (aritm *)");
}

aritm* aritm::greater_double(double) {
  return Unsupported<aritm*>("greater (double)");
}

aritm* aritm::greater_long(long) {
  return Unsupported<aritm*>("greater (long)");
}

aritm* aritm::less_equal_aritm(aritm*) {
  return Unsupported<aritm*>("less_equal (aritm *)");
}

aritm* aritm::less_equal_double(double) {
  return Unsupported<aritm*>("less_equal (double)");
}

aritm* aritm::less_equal_long(long) {
  return Unsupported<aritm*>("less_equal (long)");
}

aritm* aritm::greater_equal_aritm(aritm*) {
  return Unsupported<aritm*>("greater_equal (aritm *)");
}

aritm* aritm::greater_equal_double(double) {
  return Unsupported<aritm*>("greater_equal (double)");
}

aritm* aritm::greater_equal_long(long) {
  return Unsupported<aritm*>("greater_equal (long)");
}

aritm* aritm::and_aritm(aritm*) {
  return Unsupported<aritm*>("and (aritm *)");
}

aritm* aritm::and_LOG(XBOOL) {
  return Unsupported<aritm*>("and (XBOOL)");
}

aritm* aritm::or_aritm(aritm*) {
  return Unsupported<aritm*>("or (aritm *)");
}

aritm* aritm::or_LOG(XBOOL) {
  return Unsupported<aritm*>("or (XBOOL)");
}

aritm* aritm::xor_aritm(aritm*) {
  return Unsupported<aritm*>("xor (aritm *)");
}

aritm* aritm::xor_LOG(XBOOL) {
  return Unsupported<aritm*>("xor (XBOOL)");
}

aritm* aritm::not_LOG() {
  return Unsupported<aritm*>("not ()");
}

aritm* aritm::minus_of() {
  return Unsupported<aritm*>("minus_of ()");
}

aritm* aritm::inverse() {
  return Unsupported<aritm*>("inverse ()");
}

SPAtransf* aritm::get_transf() {
  return Unsupported<SPAtransf*>("get_transf");
}

int aritm::get_ENTITY(GENERIC_LIST<ENTITY>*) {
  return Unsupported<int>("get_ENTITY");
}

ENTITY* aritm::get_ENTITY(int) {
  return Unsupported<ENTITY*>("get_ENTITY");
}

list* aritm::get_list() {
  return Unsupported<list*>("get_list");
}

double aritm::get_double() {
  return Unsupported<double>("get_double");
}

double* aritm::get_vector() {
  return Unsupported<double*>("get_vector");
}

double* aritm::get_axis() {
  return Unsupported<double*>("get_axis");
}

long aritm::get_long() {
  return Unsupported<long>("get_long");
}

const char* aritm::get_text(PVMStrg&) {
  return Unsupported<const char*>("get_text");
}

rumpf* aritm::get_object() {
  return Unsupported<rumpf*>("get_object");
}

aritm* aritm::get_reference() {
  return Unsupported<aritm*>("get_reference");
}

int aritm::get_enum_nr() {
  return Unsupported<int>("get_enum_nr");
}

const char* aritm::get_enum_val() {
  return Unsupported<const char*>("get_enum_val");
}

XBOOL aritm::get_LOGICAL() {
  return Unsupported<XBOOL>("get_LOGICAL");
}

const PVFconnect2dBa* aritm::get_connect2d() {
  return Unsupported<const PVFconnect2dBa*>("get_connect2d");
}

void aritm::print() {
  Unsupported("print");
}

rumpf* aritm::new_object(const char*) {
  return Unsupported<rumpf*>("new_object (XCHAR *)");
}

rumpf* aritm::assign_object(const char*) {
  return Unsupported<rumpf*>("assign_object (XCHAR *)");
}

const char* aritm::GetValue(PVMStrg&) const {
  return Unsupported<const char*>("GetValue (PVMStrg &)");
}

char* aritm::getsval() {
  return Unsupported<char*>("getsval ()");
}

void aritm::setsval(const char*) {
  Unsupported("setsval (XCHAR *)");
}

// Validity and kind predicates answer without a report.

XBOOL aritm::IsValidValue() {
  return TRUE;
}

XBOOL aritm::IsOpText() {
  return FALSE;
}

XBOOL aritm::IsOpReference() {
  return FALSE;
}

XBOOL aritm::IsOpLogic() {
  return FALSE;
}

XBOOL aritm::IsOpNumber() {
  return FALSE;
}

XBOOL aritm::IsOpZahl() {
  return FALSE;
}

XBOOL aritm::IsOpVector() {
  return FALSE;
}

XBOOL aritm::IsOpAxis() {
  return FALSE;
}

XBOOL aritm::IsOpEnum() {
  return FALSE;
}

XBOOL aritm::IsOpGeom() {
  return FALSE;
}

XBOOL aritm::IsOpTrans() {
  return FALSE;
}

XBOOL aritm::IsOpObject() {
  return FALSE;
}

XBOOL aritm::IsOpConnect2d() {
  return FALSE;
}
