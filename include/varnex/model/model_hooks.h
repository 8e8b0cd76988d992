// Calls from named objects into the dependency tree, which sits above the object layer: the
// tree installs them when it starts; until then the objects behave as if no node existed.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

class PDTnode;
class rumpf;

/// Returns the dependency-tree node named `name`, or null.
using PVFNodeFinder = PDTnode* (*)(const char* name);
/// Called after an object was renamed, so the node carrying the old name follows.
using PVFNodeRenamer = void (*)(const char* old_name, const char* new_name);

/// Called while an object of an outermost world is being destroyed, so the node standing for it
/// forgets it.
using PVFNodeObjectLost = void (*)(rumpf* object);

/// Null until the dependency tree installs them (when it is part of the program); the host
/// never needs to.
extern VARNEX_API PVFNodeFinder pPVFFindNode;
extern VARNEX_API PVFNodeRenamer pPVFRenameNode;
extern VARNEX_API PVFNodeObjectLost pPVFNodeObjectLost;

class rumpf;
class PVFStream;
class PVFBinBlock;
class PVFconnect2dBa;

/// Stream records of objects and contours belong to the persistence layer, which installs
/// these writers and readers. They follow the stream record's convention: FALSE when the record
/// was handled, TRUE when not (or, reading, at the end of input). Null until installed.
using PVFObjectStreamWriter = XBOOL (*)(rumpf& object, PVFStream& stream);
using PVFObjectStreamReader = XBOOL (*)(rumpf& object, PVFStream& stream, int flag);
using PVFContourStreamWriter = XBOOL (*)(PVFconnect2dBa& contour, PVFStream& stream);
using PVFContourStreamReader = XBOOL (*)(PVFconnect2dBa& contour, PVFStream& stream, int flag);
extern VARNEX_API PVFObjectStreamWriter pPVFStoreObject;
extern VARNEX_API PVFObjectStreamReader pPVFRestoreObject;
extern VARNEX_API PVFContourStreamWriter pPVFStoreContour;
extern VARNEX_API PVFContourStreamReader pPVFRestoreContour;

/// Records a contour in a binary block for the model's geometry file and returns how many bytes
/// it wrote (0: nothing). Installed by the persistence layer; null until then.
using PVFContourRecorder = int (*)(PVFconnect2dBa* contour, PVFBinBlock& block);
extern VARNEX_API PVFContourRecorder pPVFConnectToNov;

/// Converts a name, formula or reference-list entry read back from a stored model (the active
/// restore context renames identifiers when a model is merged into another). Returns the text,
/// converted in place. Installed while a restore context is active; null otherwise (no change).
using PVFRestoreNameConverter = const char* (*)(PVMStrg& text);
extern VARNEX_API PVFRestoreNameConverter pPVFConvertRestoreName;

/// The feature library's conversion of an old feature name (in place) and the engine's
/// SAT-file-operation flag, for the kernel layer's attribute stores. Installed by the engine at
/// start-up; null otherwise (no conversion, no file operation running).
using PVFOldNameConverter = const char* (*)(PVMStrg& name);
extern VARNEX_API PVFOldNameConverter pPVFOldNameIntoNewName;
extern VARNEX_API XBOOL (*pPVFGetSATFileOperation)();
