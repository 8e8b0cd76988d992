// Restoring a stored model into the running engine, and the restore context that renames
// generated identifiers when a model is merged into one that already holds nodes.
//
// A host creates a PVFRestoreFM, makes it active with PVFRestore::SetInstance, restores, calls
// Finish and destroys it (which deactivates it). While a context is active, every name,
// formula and reference-list entry read back passes through PVFRestore::ConvertRestoreString.
// A context made while the tree holds no nodes (fresh mode) changes no text; one made while it
// holds nodes (merge mode) gives every "_@" identifier a fresh number from the instance
// counter, the same fresh number for every occurrence.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class PVFStream;
class PVFRestoreFM;

/// The static door to the active restore context; without one every conversion keeps its text.
class VARNEX_API PVFRestore {
 public:
  /// Makes `context` active (null: none) and installs the restore-name conversion for the
  /// readers of the object layer.
  static void SetInstance(PVFRestoreFM* context);
  static PVFRestoreFM* GetInstance();

  /// Reads a sequence of object records into the current world: TRUE at the word "}", FALSE at
  /// the end of input (the last object read gets validity 26) or on a damaged record.
  static XBOOL ReadElement(PVFStream& stream, int flag);

  /// The conversions of the active context (the text converted in place and returned); texts
  /// naming a 2D contour ("2D_Connect") go to ConvertRestoreIdent. Empty texts and "NULL" stay.
  static const char* ConvertRestoreString(PVMStrg& text);
  static const char* ConvertString(PVMStrg& text);
  static const char* ConvertRestoreIdent(PVMStrg& text);
  static const char* ConvertStringParse(PVMStrg& text);
};

/// The restore context. The conversion lists grow as identifiers are met.
class VARNEX_API PVFRestoreFM {
 public:
  /// Fresh mode when the dependency tree holds no nodes, merge mode otherwise; takes a copy of
  /// total_count as its instance counter.
  PVFRestoreFM();
  /// As above with the number of nodes given (0: fresh mode).
  explicit PVFRestoreFM(int nodes_at_creation);
  /// Deactivates itself when active.
  virtual ~PVFRestoreFM();
  PVFRestoreFM(const PVFRestoreFM&) = delete;
  PVFRestoreFM& operator=(const PVFRestoreFM&) = delete;

  XBOOL IsMergeMode() const { return ToXBool(nodes_at_creation_ != 0); }
  int GetInstanceCounter() const { return instance_counter_; }

  /// A text with "_@" identifiers: each gets its fresh identifier (made on first sight); then
  /// ConvertFaceNodeNr. Fresh mode: unchanged.
  virtual const char* ConvertRestoreString(PVMStrg& text);
  /// Identifiers are replaced only by translations already made.
  virtual const char* ConvertStringParse(PVMStrg& text);
  /// A text that is itself an old identifier takes its fresh identifier.
  virtual const char* ConvertString(PVMStrg& text);
  /// Face names whose part after "f_" carries node numbers behind 'N' get the new numbers.
  virtual const char* ConvertFaceNodeNr(PVMStrg& text);
  /// 2D-contour identifiers: the part after "_@" becomes the next contour identifier number.
  virtual const char* ConvertRestoreIdent(PVMStrg& text);

  /// The old identifiers that received fresh names, in the order met.
  const std::vector<std::string>& RenamedIdentifiers() const { return renamed_; }
  /// The fresh identifier of `old_identifier`, or null.
  const char* FreshIdentifier(const std::string& old_identifier) const;
  /// Empties every conversion list.
  XBOOL ClearLists();

 private:
  // One conversion list: old text -> new text, in insertion order.
  struct Conversions {
    std::unordered_map<std::string, std::string> map;
    std::vector<std::string> order;
    const std::string* Find(const std::string& old_text) const;
    void Add(const std::string& old_text, const std::string& new_text);
  };

  std::string ConvertIdentifiers(const std::string& text, bool make_fresh);
  std::string FreshName(const std::string& identifier);

  int nodes_at_creation_ = 0;
  int instance_counter_ = 1;
  Conversions identifiers_;
  Conversions identifiers_2d_;
  Conversions numbers_;
  Conversions face_names_;
  std::vector<std::string> renamed_;
};
