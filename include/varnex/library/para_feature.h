// PVFParaFeature: the host's parametric-feature context. The engine asks it for paths and
// settings and tells it about node events; the base class gives neutral answers and ignores
// every notification. A host derives from it and installs its instance with Install().
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/void_list.h>
#include <varnex/export.h>

class PDTnode;
class PVFconnect2dBa;

class VARNEX_API PVFParaFeature {
 public:
  /// Reads "NOVLPath" and "MODPath" once; unset variables leave the default "./".
  PVFParaFeature();
  virtual ~PVFParaFeature();

  /// The installed context; without one a base context is created and installed.
  static PVFParaFeature* Current();
  /// Installs `context` (the engine takes ownership), destroying the previous one.
  static void Install(PVFParaFeature* context);
  /// Destroys the installed context.
  static void Destroy();

  // Host switches, radius and paths.
  virtual XBOOL GetCombine();
  virtual void SetCombine(XBOOL on);
  virtual double GetRadius();
  virtual void SetRadius(double radius);
  /// "NOVLPath" when set (it replaces the stored path), else the stored language path.
  virtual const char* GetNOVLPath();
  virtual void SetNOVLPath(const char* path);
  virtual XBOOL GetFeatListBool();
  virtual void SetFeatListBool(XBOOL on);

  // Node events.
  virtual void NodeLost(PDTnode* node);
  virtual void CombNodeLost(PDTnode* node, XBOOL flag);
  virtual void NodeCreate(PDTnode* node);
  virtual void CombNodeCreate(PDTnode* node);
  virtual void NodeCopy(PDTnode* node, const PDTnode& original);
  virtual void CombNodeCopy(PDTnode* node, const PDTnode& original);
  virtual XBOOL NodeDisableConturModify(PDTnode* node);
  virtual void DeleteMemBodyFiles();
  /// The system's temporary directory, ending in "/".
  virtual const char* GetTempPathName(PVMStrg& out);
  virtual void BodyLost(void* body);
  virtual void RemAAttFaceIdFromBody(void* body);

  // Update hooks.
  virtual XBOOL eUpdateSilent();
  virtual PDTnode* pSilentFeatInTree(PDTnode* node);
  virtual XBOOL MarkChgSilentNodes(GENERIC_LIST<PDTnode>* nodes);
  virtual XBOOL ChkInstantStateOfNodes(GENERIC_LIST<PDTnode>* nodes, GENERIC_LIST<PDTnode>* states);
  virtual XBOOL ChkParaSignificance(PVMStrg& name, PVMStrg& value);
  virtual XBOOL eCreateAxisForFeatAlways(PDTnode* node);
  virtual void UpdateCon2dKEList(GENERIC_LIST<PVFconnect2dBa>* contours);
  virtual int GetCon2dRefByNodes(PDTnode* node, void_list* nodes);
  virtual void DisableAllConturModify(XBOOL disable);
  virtual XBOOL CalcRotAxisPara(const PVFconnect2dBa* contour, double* origin, double* direction,
                                int mode);

  /// "MODPath" when set (it replaces the stored path), else the stored model path.
  const char* GetMODPath();

 private:
  static PVFParaFeature* _pTheInstance;

  PVMStrg novlPath_{"./"};
  PVMStrg modPath_{"./"};
  PVMStrg third_;
  double radius_ = 5.0;
  XBOOL combine_ = FALSE;
  XBOOL featListBool_ = FALSE;
};
