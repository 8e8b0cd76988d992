// void_list and GENERIC_LIST<T>: ordered arrays of pointers the list never owns.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <vector>

/// An ordered array of untyped pointers. With the uniqueness flag set a pointer occurs at most
/// once. Indexes outside the list are ignored by remove and answered with null elsewhere.
class VARNEX_API void_list {
 public:
  explicit void_list(XBOOL unique = FALSE);
  void_list(const void_list&) = default;
  void_list& operator=(const void_list&) = default;
  virtual ~void_list();

  /// Appends `p` (a unique list returns the existing index instead); returns its index.
  int add(void* p);
  /// Inserts `p` before `index`; outside 0..count-1 it appends. A unique list first removes
  /// an existing occurrence. Returns the element's index.
  int insert(void* p, int index);
  /// Index of the first occurrence of `p`, or -1; with `add_if_missing` it appends instead.
  int lookup(void* p, XBOOL add_if_missing = FALSE);
  void remove(int index);
  void remove(void* p);
  void* operator[](int index) const;
  int count() const { return static_cast<int>(items_.size()); }
  /// Empties the list; the capacity stays.
  void Clear() { items_.clear(); }
  /// A new list with the same elements and flag; the caller owns it.
  void_list* copy() const { return new void_list(*this); }
  XBOOL unique() const { return unique_; }

 private:
  void Reserve();
  std::vector<void*> items_;
  XBOOL unique_;
};

/// The typed form of void_list.
template <class T>
class GENERIC_LIST : public void_list {
 public:
  explicit GENERIC_LIST(XBOOL unique = FALSE) : void_list(unique) {}
  int add(T* p) { return void_list::add(p); }
  int insert(T* p, int index) { return void_list::insert(p, index); }
  int lookup(T* p, XBOOL add_if_missing = FALSE) { return void_list::lookup(p, add_if_missing); }
  void remove(int index) { void_list::remove(index); }
  void remove(T* p) { void_list::remove(static_cast<void*>(p)); }
  T* operator[](int index) const { return static_cast<T*>(void_list::operator[](index)); }
};
