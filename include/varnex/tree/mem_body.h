// Memory bodies: copies of the bodies of heavy subtrees, kept so that an update can take a
// subtree's body back instead of rebuilding it. This store keeps nothing yet: every node
// answers "no memory body", so updates always rebuild.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

class PDTnode;
class ENTITY;

class VARNEX_API PVFSaveMemBody {
 public:
  /// Keeps `body` as the memory body of `node` when the node qualifies; returns the body when
  /// it was kept, else null. Any earlier memory body of the node is dropped first.
  static ENTITY* MemBodyToFile(PDTnode* node, ENTITY* body);
  /// A new body restored from the node's memory body (owned by the kernel layer), or null.
  static ENTITY* MemBodyFromFile(PDTnode* node);
  static XBOOL eHasMemBody(PDTnode* node);
  /// Drops the node's memory body; TRUE when it had one.
  static XBOOL DeleteMemBodyFile(PDTnode* node);
  /// Drops every memory body.
  static void DeleteMemBodyFiles();
};
