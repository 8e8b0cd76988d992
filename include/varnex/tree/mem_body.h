// Memory bodies: copies of the bodies of heavy subtrees, kept so that an update can take a
// subtree's body back instead of rebuilding it.
//
// A node's body is kept when the node's weight reaches the threshold plus the weight already
// kept below it (its cached weight). Weights: a combination counts 1 plus its operands, a
// feature 1 (a feature of alias type "feature_ReproMatrixV1" counts threshold - 1), a
// transformation 0, any other node 1. The cached weight of a node with a memory body is the
// weight it had when its body was kept; of a combination without one, the sum of its operands'
// cached weights; of anything else 0.
//
// A kept body is saved through the kernel layer's entity-list form into a PVFSatStream,
// compressed on the engine's thread and handed to one writer thread, which writes it to a file
// (4-byte length, then the compressed data) in a private directory of this engine run (mode
// 0700, under the host's temporary path, see PVFParaFeature::GetTempPathName). File names come
// from the node's id and a run-wide sequence number. A body read back while its job is still
// queued comes from the queued stream.
//
// A memory body is a cache, never the only copy: a body that cannot be written or read back is
// reported through the host's message handler (Warning, title "MemoryBody"), forgotten, and the
// node is rebuilt from its features instead.
//
// Every function is called on the engine's thread; only the writer runs beside it.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <string>

class PDTnode;
class ENTITY;

class VARNEX_API PVFSaveMemBody {
 public:
  static constexpr int kThreshold = 10;

  /// Keeps `body` as the memory body of `node` when the node qualifies; returns the body when
  /// it was kept, else null. Any earlier memory body of the node is dropped first.
  static ENTITY* MemBodyToFile(PDTnode* node, ENTITY* body);
  /// A new body restored from the node's memory body (owned by the kernel layer, not in the
  /// model), or null. A memory body that cannot be read is reported and forgotten.
  static ENTITY* MemBodyFromFile(PDTnode* node);
  static XBOOL eHasMemBody(PDTnode* node);
  /// Drops the node's memory body: its file, and its job when it is still queued (a write under
  /// way is waited for, so that no file of it appears afterwards). TRUE when it had one.
  static XBOOL DeleteMemBodyFile(PDTnode* node);
  /// Drops every memory body of this engine run and deletes the run's files; files of other
  /// runs and processes are never touched.
  static void DeleteMemBodyFiles();
  /// Drops every memory body, stops and joins the writer and removes the run's directory
  /// (deinitialize_modeller calls it). The next kept body starts a new directory and writer.
  static void Shutdown();

  /// The weight of `node` and its cached weight (see above).
  static int Weight(PDTnode* node);
  static int CachedWeight(PDTnode* node);

  /// Switches memory bodies on (the default) or off. Off: nothing is kept, and the memory
  /// bodies kept so far are dropped.
  static void SetEnabled(XBOOL on);
  static XBOOL IsEnabled();

  /// Waits until the writer has written every queued body (returns once the write under way
  /// is done while the writer is held).
  static void Flush();
  /// Holds the writer (TRUE) or lets it go on (FALSE): while held, kept bodies stay queued.
  /// For tests that need a body still waiting for the writer.
  static void HoldWriter(XBOOL held);
  /// Whether the node's memory body is still waiting for the writer.
  static XBOOL IsQueued(PDTnode* node);
  /// The file of the node's memory body (it exists once the writer wrote it), or "".
  static std::string FileOf(PDTnode* node);
  /// The private directory of this engine run, or "" before the first memory body.
  static std::string Directory();
};
