// The base parametric-feature context: neutral answers, ignored notifications.
#include <varnex/library/library_hooks.h>
#include <varnex/library/para_feature.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

PVFParaFeature* PVFParaFeature::_pTheInstance = nullptr;

namespace {

void ReadEnvironment(const char* variable, PVMStrg& path) {
  if (const char* value = std::getenv(variable)) {
    path = value;
  }
}

}  // namespace

PVFParaFeature::PVFParaFeature() {
  ReadEnvironment("NOVLPath", novlPath_);
  ReadEnvironment("MODPath", modPath_);
}

PVFParaFeature::~PVFParaFeature() = default;

PVFParaFeature* PVFParaFeature::Current() {
  if (_pTheInstance == nullptr) {
    _pTheInstance = new PVFParaFeature();
  }
  return _pTheInstance;
}

void PVFParaFeature::Install(PVFParaFeature* context) {
  if (context != _pTheInstance) {
    delete _pTheInstance;
    _pTheInstance = context;
  }
}

void PVFParaFeature::Destroy() {
  Install(nullptr);
}

XBOOL PVFParaFeature::GetCombine() {
  return combine_;
}
void PVFParaFeature::SetCombine(XBOOL on) {
  combine_ = on;
}
double PVFParaFeature::GetRadius() {
  return radius_;
}
void PVFParaFeature::SetRadius(double radius) {
  radius_ = radius;
}

const char* PVFParaFeature::GetNOVLPath() {
  ReadEnvironment("NOVLPath", novlPath_);
  return novlPath_.GetpStr();
}

void PVFParaFeature::SetNOVLPath(const char* path) {
  novlPath_ = path;
}
XBOOL PVFParaFeature::GetFeatListBool() {
  return featListBool_;
}
void PVFParaFeature::SetFeatListBool(XBOOL on) {
  featListBool_ = on;
}

const char* PVFParaFeature::GetMODPath() {
  ReadEnvironment("MODPath", modPath_);
  return modPath_.GetpStr();
}

void PVFParaFeature::NodeLost(PDTnode*) {}
void PVFParaFeature::CombNodeLost(PDTnode*, XBOOL) {}
void PVFParaFeature::NodeCreate(PDTnode*) {}
void PVFParaFeature::CombNodeCreate(PDTnode*) {}
void PVFParaFeature::NodeCopy(PDTnode*, const PDTnode&) {}
void PVFParaFeature::CombNodeCopy(PDTnode*, const PDTnode&) {}
XBOOL PVFParaFeature::NodeDisableConturModify(PDTnode*) {
  return FALSE;
}
void PVFParaFeature::DeleteMemBodyFiles() {
  if (PVFMemBodyFilesDeleter deleter = GetMemBodyFilesDeleter()) {
    deleter();
  }
}

const char* PVFParaFeature::GetTempPathName(PVMStrg& out) {
  std::error_code error;
  std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  out = error ? "/tmp/" : (temp.generic_string() + "/").c_str();
  return out.GetpStr();
}

void PVFParaFeature::BodyLost(void*) {}
void PVFParaFeature::RemAAttFaceIdFromBody(void*) {}
XBOOL PVFParaFeature::eUpdateSilent() {
  return FALSE;
}
PDTnode* PVFParaFeature::pSilentFeatInTree(PDTnode*) {
  return nullptr;
}
XBOOL PVFParaFeature::MarkChgSilentNodes(GENERIC_LIST<PDTnode>*) {
  return FALSE;
}
XBOOL PVFParaFeature::ChkInstantStateOfNodes(GENERIC_LIST<PDTnode>*, GENERIC_LIST<PDTnode>*) {
  return FALSE;
}
XBOOL PVFParaFeature::ChkParaSignificance(PVMStrg&, PVMStrg&) {
  return TRUE;
}
XBOOL PVFParaFeature::eCreateAxisForFeatAlways(PDTnode*) {
  return FALSE;
}
void PVFParaFeature::UpdateCon2dKEList(GENERIC_LIST<PVFconnect2dBa>*) {}
int PVFParaFeature::GetCon2dRefByNodes(PDTnode*, void_list*) {
  return 0;
}
void PVFParaFeature::DisableAllConturModify(XBOOL) {}
XBOOL PVFParaFeature::CalcRotAxisPara(const PVFconnect2dBa*, double*, double*, int) {
  return FALSE;
}
