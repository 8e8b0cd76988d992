// The global node containers: all_nodes (every live node once, in rebuild order) and the lists
// of free nodes (the roots) and selected nodes. The containers never own their nodes.
#pragma once

#include <varnex/base/rvoid_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <cstddef>
#include <cstdio>
#include <memory>
#include <vector>

class PDTnode;

/// A sequence of nodes with random access and two unique indices, on the node and on its name,
/// so that lookup(node), contains and findByName take constant time however long the sequence
/// is. Renaming a member (PDTnode::set_name) keeps its position and moves its name entry.
class VARNEX_API PDTnodes {
 public:
  PDTnodes();
  ~PDTnodes();
  PDTnodes(const PDTnodes&) = delete;
  PDTnodes& operator=(const PDTnodes&) = delete;

  /// Appends `node`; FALSE (nothing changes) for null, a member, or a name another member has.
  XBOOL add(PDTnode* node);
  /// Inserts `node` before `position` (past the end: appends); a member is moved there. FALSE
  /// for null or a name another member has.
  XBOOL insert(PDTnode* node, int position);
  /// Removes `node`; FALSE when it is no member.
  XBOOL remove(PDTnode* node);
  /// Removes the node at `position`; FALSE outside the sequence.
  XBOOL remove(int position);
  /// Removes the nodes at positions [from, end).
  void erase(int from);
  /// The position of `node`, or -1.
  int lookup(const PDTnode* node) const;
  XBOOL contains(const PDTnode* node) const { return ToXBool(lookup(node) >= 0); }
  /// The member named `name`, or null.
  PDTnode* findByName(const char* name) const;
  /// The node at `position`, or null outside the sequence.
  PDTnode* operator[](int position) const;
  int size() const { return static_cast<int>(nodes_.size()); }
  int count() const { return size(); }
  XBOOL empty() const { return ToXBool(nodes_.empty()); }
  void clear();
  /// A new container with the same members in the same order; the caller owns it.
  PDTnodes* copy() const;

  using const_iterator = std::vector<PDTnode*>::const_iterator;
  using const_reverse_iterator = std::vector<PDTnode*>::const_reverse_iterator;
  const_iterator begin() const { return nodes_.begin(); }
  const_iterator end() const { return nodes_.end(); }
  const_reverse_iterator rbegin() const { return nodes_.rbegin(); }
  const_reverse_iterator rend() const { return nodes_.rend(); }

  /// Moves the name entry of member `node` from `old_name` to its current name. FALSE when the
  /// new name belongs to another member (the entry then stays under the old name).
  XBOOL Rename(PDTnode* node, const char* old_name);

 private:
  class Index;
  void Reposition(std::size_t from);
  std::vector<PDTnode*> nodes_;
  std::unique_ptr<Index> index_;
};

/// Every live node exactly once, in tree (rebuild) order. Created by PDTinit; null before.
extern VARNEX_API PDTnodes* all_nodes;
/// The nodes without parent (the roots). Created by PDTinit; null before.
extern VARNEX_API rvoid_list* free_nodes;
/// A selection list for the host; created by PDTinit, never filled by the engine.
extern VARNEX_API rvoid_list* selected_nodes;

/// Storage functions the host may set for the dependency tree; null until then.
extern VARNEX_API int (*delete_pdt)(void);
extern VARNEX_API int (*store_pdt)(FILE*);
extern VARNEX_API int (*restore_pdt)(FILE*);
