// Model files and packages.
//
// A model with base name B is the file set B.fds (data structure), B.pdt (dependency tree),
// B.fli (the feature definitions it uses) and B.sat (bodies), or one package B.VNX carrying
// them: a quoted header line, the bodies after "ACIS-Start" when there are any, then each part
// after the separator line "++###++FILE_Trenner**###**" and its marker line ("FDS-FILE",
// "PDT-FILE", "FLI-FILE").
//
// Every file is written atomically: a failed or interrupted save leaves the previous file as it
// was. Storing and unpacking a package use a private temporary directory (mode 0700, removed
// afterwards) for the part files, so files beside the package are never written or deleted.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

class PVFFStream;
class mod_element;
class geo_list;
class BODY;

/// The separator line between the sections of a package (without its line feed).
inline constexpr const char* kPVMSectionSeparator = "++###++FILE_Trenner**###**";

/// Writes the package base + ".VNX" through `stream` (which is left closed): header, bodies,
/// data-structure, dependency-tree and (with `withFeatureList`) feature-definition sections.
/// Returns the package name, or the empty string when it could not be written completely (the
/// reason went to ClassError; an older package of that name is unchanged).
VARNEX_API PVMStrg PVMStoreFM(PVFFStream& stream, PVMStrg& base, mod_element* model,
                              XBOOL withFeatureList);
/// Write one part file (base + ".fds", ".pdt", ".fli", ".sat") through its hook; the file's name,
/// or the empty string when the hook is missing or the file could not be written.
VARNEX_API PVMStrg PVMStoreFMfds(PVMStrg& base);
VARNEX_API PVMStrg PVMStoreFMpdt(PVMStrg& base);
VARNEX_API PVMStrg PVMStoreFeatList(PVMStrg& base);
VARNEX_API PVMStrg PVMStoreFMgeo(PVMStrg& base, mod_element* model);
/// Appends the part file `part` as a section with `marker` and deletes the part file (which
/// the caller wrote for this purpose). TRUE when copied. FALSE, with nothing appended, when
/// the file is missing or its content holds the separator text (which would end the section
/// early on reading).
VARNEX_API XBOOL PVMStoreCopy(const char* part, PVFFStream& stream, const char* marker);

/// Unpacks the package `file` (extension "VNX") into base + ".fds", ".pdt", ".fli" (with
/// `withFeatureList`) and ".nd", and restores its bodies into the model's body list. Returns
/// the text of `file`.
VARNEX_API const char* PVMReStoreFM(PVFFStream& stream, PVMStrg& file, const char* base,
                                    mod_element* model, XBOOL withFeatureList);
/// Copies one section, up to the separator or the end, into base + suffix: TRUE when the
/// section ended at a separator.
VARNEX_API XBOOL PVMReStoreCopy(const char* base, PVFFStream& stream, const char* suffix);
/// Read one part file through its hook: 0 when read, non-zero when missing or damaged.
VARNEX_API int PVMReStoreFMfds(const char* base);
VARNEX_API int PVMReStoreFMpdt(const char* base);
VARNEX_API int PVMReStoreFeatList(const char* base);
/// Reads entity lists from `file` until none is left, each into the model's bodies: 0 when at
/// least one was read, 1 when none, -1 when the file cannot be opened.
VARNEX_API int PVMReStoreFMgeo(const char* file, mod_element* model);
/// Deletes base.fds, .pdt, .fli and .nd: the sum of the results (0 each, -1 for each missing).
VARNEX_API int PVMDelReStoreFiles(const char* base);
/// Toggles whether feature definitions are written and read with a model (on at start);
/// returns the new state, 1 on, 0 off.
VARNEX_API int PVMReStoreListChange();

/// The defaults of store_mod and restore_mod: the package name + ".VNX" (then the bodies as
/// name + ".sat"), and restoring from the package when it exists, else from the file set.
/// 0 on success, non-zero on failure, -1 for a null name.
VARNEX_API int store_mod_element(const char* name, mod_element* model);
VARNEX_API int restore_mod_element(const char* name, mod_element* model);

// Several bodies in one save come back as several bodies, in order.

/// Marks every body of `bodies` as saved together and adds it to `marked` (may be null).
VARNEX_API void PVFStoreBodies(geo_list* bodies, geo_list* marked);
/// Removes the mark: 0 without mark, 2 for the current mark, 1 for the older one.
VARNEX_API int PVFMerkBody(BODY* body);
/// Removes the marks of every body in the list.
VARNEX_API void PVFListAfterStore(geo_list* bodies);
/// Visits restored bodies in order: unmarked ones go to the model, marked ones are appended
/// to `bodies`; a body with the older mark is separated into its pieces and regrouped (a piece
/// whose lump or wire carries a generic name starts a body, the following pieces join it).
VARNEX_API void PVFRestoreBodies(geo_list* restored, geo_list* bodies);

/// The last failure of a store or restore in this module (empty when none since the last
/// call that succeeded).
VARNEX_API const char* PVMLastStoreError();
/// Records a failure (the first since the last store or restore began) and reports it.
VARNEX_API void PVMStoreFailure(const char* message);
