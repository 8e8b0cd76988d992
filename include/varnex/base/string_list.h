// PVFRStringList: a singly linked list of strings living in the transaction space.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/transaction.h>
#include <varnex/export.h>

/// One element of a PVFRStringList.
class VARNEX_API PVFRStringElement : public PVTransaction {
 public:
  explicit PVFRStringElement(const char* text) : text(text) {}
  PVFRString text;
  PVFRStringElement* next = nullptr;
};

/// Strings in order; with the uniqueness flag set a text already present is not added again.
/// Texts compare byte-wise and case-sensitively. The list owns its elements.
class VARNEX_API PVFRStringList : public PVTransaction {
 public:
  explicit PVFRStringList(XBOOL unique = FALSE) : unique_(unique) {}
  PVFRStringList(const PVFRStringList& other);
  PVFRStringList& operator=(const PVFRStringList& other);
  ~PVFRStringList();

  /// Appends `text`; returns the count.
  int Add(const char* text);
  /// Inserts `text` before `index` (outside the list: appends); returns the count.
  int Insert(const char* text, int index);
  /// Index of `text`, or -1.
  int Lookup(const char* text) const;
  /// Removes the first element equal to `text`; returns TRUE when one was removed.
  XBOOL Remove(const char* text);
  XBOOL Remove(int index);
  int Count() const { return count_; }
  void Clear();
  /// Appends every text of this list to `target`; returns target's count.
  int Copy(PVFRStringList& target) const;
  /// Copies the text at `index` into `out` and returns it; null outside the list.
  const char* At(PVMStrg& out, int index) const;
  /// The text at `index`, or null outside the list.
  const char* operator[](int index) const;

 private:
  PVFRStringElement* ElementAt(int index) const;
  void Unlink(PVFRStringElement* previous, PVFRStringElement* element);

  PVFRStringElement* first_ = nullptr;
  PVFRStringElement* last_ = nullptr;
  XBOOL unique_;
  int count_ = 0;
};
