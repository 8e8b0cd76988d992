// PVFconnect2dBa: the class-wide list of contours, sharing by use count, identifiers, and the
// defaults of the operations the host's contour classes override.
#include <varnex/model/contour.h>
#include <varnex/model/model_hooks.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

PVFconnect2dBa* (*PVFRestoreCon2)(FILE*) = nullptr;
PVFconnect2dBa* (*PVFRestoreCon2Stream)(PVFStream&, int) = nullptr;

namespace {
// The contour class's own counters and switch; they live for the process (ClearCon2dList and
// SetIdentCount reset them).
int ident_count = 0;
XBOOL not_copy = FALSE;
unsigned long next_serial = 1;
}  // namespace

// The list lives on the ordinary heap: it is bookkeeping of the class, not part of a model.
std::vector<PVFconnect2dBa*>& PVFconnect2dBa::Registry() {
  static std::vector<PVFconnect2dBa*> contours;
  return contours;
}

PVFconnect2dBa::PVFconnect2dBa() : serial_(next_serial++) {
  AddInConList(this);
}

PVFconnect2dBa::PVFconnect2dBa(const char* identifier)
    : serial_(next_serial++), identifier_(identifier == nullptr ? "" : identifier) {
  AddInConList(this);
}

PVFconnect2dBa::PVFconnect2dBa(const PVMStrg& identifier)
    : serial_(next_serial++), identifier_(identifier) {
  AddInConList(this);
}

PVFconnect2dBa::~PVFconnect2dBa() {
  use_count_ = 0;
  auto& contours = Registry();
  contours.erase(std::remove(contours.begin(), contours.end(), this), contours.end());
}

PVFconnect2dBa* PVFconnect2dBa::GetConBa() {
  ++use_count_;
  return this;
}

int PVFconnect2dBa::RemConBa() {
  --use_count_;
  return use_count_ < 1 && Con2dInList(this) ? 1 : 0;
}

void PVFconnect2dBa::set_Ident(const char* identifier) {
  if (identifier != nullptr) {
    identifier_ = identifier;
  }
}

void PVFconnect2dBa::set_Ident(PVMStrg& identifier) {
  identifier_ = identifier;
}

const char* PVFconnect2dBa::get_ReferenzC() const {
  return reference_.IsVoid() ? nullptr : reference_.GetpStr();
}

void PVFconnect2dBa::set_Referenz(const char* reference) {
  reference_ = reference == nullptr ? "" : reference;
}

void PVFconnect2dBa::set_Referenz(PVMStrg& reference) {
  reference_ = reference;
}

int PVFconnect2dBa::IsEqual(PVFconnect2dBa* other) {
  return other != nullptr && identifier_ == other->identifier_ ? 1 : 0;
}

XBOOL PVFconnect2dBa::Calculate3DFrom2DPos(double*, double*, double*, double*) {
  return TRUE;
}

PVFconnect2dBa* PVFconnect2dBa::copy() {
  return new PVFconnect2dBa(identifier_.GetpStr());
}

int PVFconnect2dBa::store(FileInterface* file) {
  return file != nullptr ? 1 : 0;
}

int PVFconnect2dBa::store(FILE* file, const char* type) {
  if (file == nullptr) {
    return -1;
  }
  std::fprintf(file, "element_: %s, %s;\n", identifier_.IsVoid() ? "NULL" : identifier_.GetpStr(),
               type == nullptr ? "PVFconnect2dBa" : type);
  return 0;
}

XBOOL PVFconnect2dBa::Store(PVFStream& stream) {
  return pPVFStoreContour != nullptr ? pPVFStoreContour(*this, stream) : TRUE;
}

XBOOL PVFconnect2dBa::Restore(PVFStream& stream, int flag) {
  return pPVFRestoreContour != nullptr ? pPVFRestoreContour(*this, stream, flag) : TRUE;
}

void PVFconnect2dBa::Print() {
  std::printf("contour %s (%d shares)\n", identifier_.GetpStr(), use_count_);
}

void* PVFconnect2dBa::GetAxList() {
  return nullptr;
}
void* PVFconnect2dBa::GetLstConCrv2To3D() {
  return nullptr;
}
SPAtransf* PVFconnect2dBa::GetStartPosTrans() {
  return nullptr;
}
rumpf* PVFconnect2dBa::GetRefObject() {
  return nullptr;
}
PDTnode* PVFconnect2dBa::GetRefTransNode() {
  return nullptr;
}
void* PVFconnect2dBa::GetXOpObj() {
  return nullptr;
}
BODY* PVFconnect2dBa::GetBodyForSweep() {
  return nullptr;
}
PVFconnect2dAnn* PVFconnect2dBa::pPVFconnect2dAnn() {
  return nullptr;
}
XBOOL PVFconnect2dBa::IsCorrectTransType() {
  return FALSE;
}
XBOOL PVFconnect2dBa::eHasGeometry() {
  return FALSE;
}
XBOOL PVFconnect2dBa::FindXOpByName() {
  return TRUE;
}
XBOOL PVFconnect2dBa::NoteModify2D() {
  return TRUE;
}
XBOOL PVFconnect2dBa::Reorganize2DAnn() {
  return TRUE;
}
XBOOL PVFconnect2dBa::RestoreRefNamesOfOpObj() {
  return TRUE;
}
int PVFconnect2dBa::FindXOpInList(void*) {
  return 0;
}
int PVFconnect2dBa::SetXOpObj(void*) {
  return 0;
}
int PVFconnect2dBa::StoreXOpObjInFile(PVMStrg&) {
  return 0;
}
int PVFconnect2dBa::pBodySet(const BODY*) {
  return 0;
}
XBOOL PVFconnect2dBa::GetXOpSkBDataByName(double*, double*, double*, double*) {
  return FALSE;
}
XBOOL PVFconnect2dBa::GetAcisFacePlaneData(double*, double*, double*, double*) {
  return FALSE;
}
BODY* PVFconnect2dBa::SetBodyByReferenz(const char*) {
  return nullptr;
}
XBOOL PVFconnect2dBa::SetExternalToCorrectTrans(PDTnode*) {
  return FALSE;
}
int PVFconnect2dBa::SetInternalToCorrectTrans(PDTnode*, XBOOL) {
  return 0;
}
int PVFconnect2dBa::ChgRefNamesOfOpObj(VALUE_LIST<PVMStrg>*, VALUE_LIST<PVMStrg>*) {
  return 0;
}
BODY* PVFconnect2dBa::GetBodyForSweep(double*, double*) {
  return nullptr;
}
void* PVFconnect2dBa::GetWireForSweep(void*, double*) {
  return nullptr;
}
XBOOL PVFconnect2dBa::ConvertFaceNames(VALUE_LIST<PVMStrg>*, int) {
  return FALSE;
}
void PVFconnect2dBa::Show2d() {}
void PVFconnect2dBa::UnShow2d() {}

// ---------------------------------------------------------------------------------------------
// The class-wide list

PVFconnect2dBa* PVFconnect2dBa::FindInConList(const char* identifier) {
  for (PVFconnect2dBa* contour : Registry()) {
    if (identifier != nullptr && contour->identifier_ == identifier) {
      return contour;
    }
  }
  return nullptr;
}

XBOOL PVFconnect2dBa::Con2dInList(PVFconnect2dBa* contour) {
  const auto& contours = Registry();
  return ToXBool(std::find(contours.begin(), contours.end(), contour) != contours.end());
}

void PVFconnect2dBa::AddInConList(PVFconnect2dBa* contour) {
  if (contour != nullptr && Con2dInList(contour) == FALSE) {
    Registry().push_back(contour);
  }
}

int PVFconnect2dBa::GetCon2dList(GENERIC_LIST<PVFconnect2dBa>* out) {
  for (PVFconnect2dBa* contour : Registry()) {
    if (out != nullptr) {
      out->lookup(contour, TRUE);
    }
  }
  return static_cast<int>(Registry().size());
}

int PVFconnect2dBa::ClearCon2dList() {
  int deleted = 0;
  while (!Registry().empty()) {
    delete Registry().back();  // its destructor leaves the list
    ++deleted;
  }
  not_copy = FALSE;
  ident_count = 0;
  return deleted;
}

void PVFconnect2dBa::UnShow2dAll() {
  std::vector<PVFconnect2dBa*> contours = Registry();
  for (PVFconnect2dBa* contour : contours) {
    contour->UnShow2d();
  }
}

void PVFconnect2dBa::ReorganizeAll2DAnn() {
  std::vector<PVFconnect2dBa*> contours = Registry();
  for (PVFconnect2dBa* contour : contours) {
    contour->Reorganize2DAnn();
  }
}

int PVFconnect2dBa::GetIdentCount() {
  return ident_count;
}

void PVFconnect2dBa::SetIdentCount(int count) {
  ident_count = count;
}

int PVFconnect2dBa::SetIdentCountByChar(const char* text) {
  const char* marker = text == nullptr ? nullptr : std::strstr(text, "_@");
  if (marker != nullptr) {
    long number = std::strtol(marker + 2, nullptr, 10);
    if (number > ident_count && number <= 0x7fffffffL) {
      ident_count = static_cast<int>(number);
    }
  }
  return ident_count;
}

XBOOL PVFconnect2dBa::IsCopyNeeded() {
  return ToXBool(not_copy == FALSE);
}

void PVFconnect2dBa::SetNotCopy(XBOOL value) {
  not_copy = value;
}

// ---------------------------------------------------------------------------------------------
// PVFconnect2dAnn

PVFconnect2dAnn::~PVFconnect2dAnn() = default;
int PVFconnect2dAnn::SetNamedAnn(PVMStrg&, double, PVMStrg&) {
  return 0;
}
int PVFconnect2dAnn::GetAnnList(void_list*) {
  return 0;
}
void* PVFconnect2dAnn::GetNamedAnn(PVMStrg&) {
  return nullptr;
}
int PVFconnect2dAnn::SetBackNodeConturModify(rumpf*) {
  return 0;
}
int PVFconnect2dAnn::SetNodeUnConturModify(rumpf*) {
  return 0;
}
const char* PVFconnect2dAnn::GetAnnName(void*, PVMStrg&) {
  return nullptr;
}
double PVFconnect2dAnn::GetAnnVal(void*, PVMStrg&) {
  return 0.0;
}
