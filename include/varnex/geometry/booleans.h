// Boolean operations on bodies. Every operation takes the tool first and the blank second; on
// success the blank holds the result and is returned, the tool body is used up (deleted).
//
// A failure reports one warning to the host's message handler (pPVFHandleMessage) naming the
// features of both bodies, deletes both bodies, empties the geometric objects of their features
// and returns null. Nothing is retried and no exception leaves these calls.
#pragma once

#include <varnex/export.h>

#include <vector>

class ENTITY;

/// Unites `tool` into `blank` (kernel union). Each argument is a body or an entity of one (its
/// owning body is used). Returns `blank`, or null: on a kernel failure the warning
/// "ErrgmifBoolUniteErr" is issued and both bodies are deleted; a null argument, or the same body
/// twice, returns null and changes nothing.
VARNEX_API ENTITY* unite(ENTITY* tool, ENTITY* blank);

/// Takes `tool` away from `blank`. As `unite`; failure warning "ErrgmifBoolSubtractErr".
VARNEX_API ENTITY* subtract(ENTITY* tool, ENTITY* blank);

/// Keeps the common part of `tool` and `blank` in `blank`. As `unite`; failure warning
/// "ErrgmifBoolIntersectErr".
VARNEX_API ENTITY* PVFInterSectBodies(ENTITY* tool, ENTITY* blank);

/// Moves the lumps of `tool` into `blank` without intersecting them. As `unite`; failure warning
/// "ErrgmifBoolCombineErr".
VARNEX_API ENTITY* combine(ENTITY* tool, ENTITY* blank);

/// Joins two wire bodies into `blank` (the union of their edges). As `unite`.
VARNEX_API ENTITY* unite_wires(ENTITY* tool, ENTITY* blank);

/// Takes every body of `tools` away from `blank` in one Boolean (much faster than a chain of
/// `subtract` for patterns of holes). Null entries are skipped. As `subtract`: on failure the
/// blank and every tool are deleted; the warning names the blank's feature and the first tool's.
VARNEX_API ENTITY* PVFSubtractBodies(const std::vector<ENTITY*>& tools, ENTITY* blank);
