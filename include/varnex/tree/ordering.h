// Ordering and rebuild: all_nodes is the rebuild schedule, so every node must stand after the
// nodes it depends on (the nodes its formulas name, a combination's operands). This header has
// the sorting functions, the order checker PVFPdtOrder, the repair functions and the rebuilds.
//
// Reference levels: 2 = plain references plus the subtrees of every combination with a
// transformation operand on the way from a referenced node up to the common parent; 1 = only
// the unbroken run of such combinations directly above the referenced node; 0 = plain
// references. A sort tries the highest level first and goes lower where an order needs it.
#pragma once

#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <vector>

class PDTnode;
class PDTcomb;

/// Appends the subtree of `node` to `out` in post-order (operand 1's subtree, operand 2's,
/// then the node), skipping nodes already in the list. Returns the list's count.
VARNEX_API int sort_nodes(PDTnode* node, GENERIC_LIST<PDTnode>* out);

/// Orders `node` after its references (depth first): `visiting` is the path being ordered,
/// `candidates` the nodes that may be placed, `sorted` the order so far. References come from
/// the formula texts (sort_references) or the recorded references (SortFastReferences).
/// 0 when the node is ordered; 1 on a cycle (whatever the call appended is taken out again).
/// `lowest` receives the lowest level any step needed.
VARNEX_API int sort_references(PDTnode* node, GENERIC_LIST<PDTnode>* visiting,
                               GENERIC_LIST<PDTnode>* candidates, GENERIC_LIST<PDTnode>* sorted,
                               int level, int* lowest);
VARNEX_API int SortFastReferences(PDTnode* node, GENERIC_LIST<PDTnode>* visiting,
                                  GENERIC_LIST<PDTnode>* candidates, GENERIC_LIST<PDTnode>* sorted,
                                  int level, int* lowest);

/// Orders the nodes of `in` into `out`, lowering the highest reference level while a node cannot
/// be ordered. 0 on success, 1 when even level 0 leaves a cycle (`out` unchanged).
VARNEX_API int sort_feature_nodes(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out);
VARNEX_API int SortFastFeatureNodes(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out);
/// One walk at the given highest level; 1 (nothing written) when a node cannot be ordered.
VARNEX_API int sort_feature_nodes_on_level(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out,
                                           int level, int* lowest);
VARNEX_API int SortFastFeatureNodesOnLevel(GENERIC_LIST<PDTnode>* in, GENERIC_LIST<PDTnode>* out,
                                           int level, int* lowest);

/// Sorts all_nodes: combinations after their operands, then every node after its references.
/// The common prefix of the old and the new order keeps its entries untouched; an unsortable
/// tree keeps the combinations-after-operands order. Returns 0 when sorted by references, 1
/// when only the operand order could be kept.
VARNEX_API int SortAllNodes();
VARNEX_API int SortFastAllNodes();
/// Sorts the trees of `tree_nodes`, the transformation references of their nodes and the nodes
/// between them in all_nodes, and writes that stretch back; small trees sort all_nodes whole.
VARNEX_API int SortFastTreeNodeCollection(GENERIC_LIST<PDTnode>* tree_nodes,
                                          GENERIC_LIST<PDTnode>* reference_nodes);
/// When the other operand of `comb` is a transformation node standing far after `operand`, moves
/// the transformation right after the operand and the combination right after it. Returns the
/// combination's new position, else 0.
VARNEX_API int PreSortTransNodes(PDTcomb* comb, PDTnode* operand);

/// Repairs a combination whose operand went (the remaining operand takes its place) and
/// recomputes the types of complete ones, operands first. Returns the node that now stands
/// where `node` stood (null when nothing remains).
VARNEX_API PDTnode* make_consistent(PDTnode* node, int* changed);
VARNEX_API PDTnode* make_consistent_combination(PDTcomb* comb, int* changed);
/// Removes null entries from all_nodes, nodes that are not in all_nodes from free_nodes, and
/// puts every top of all_nodes into free_nodes. Returns 0.
VARNEX_API int Nodes_List_Consistence();
/// The nodes of all_nodes that are corrupt (appended to `out` when given); returns how many.
VARNEX_API int GetCorruptNodes(GENERIC_LIST<PDTnode>* out);
/// The nodes of all_nodes that are not significant in `mode`; returns how many.
VARNEX_API int GetInsignificantNodes(GENERIC_LIST<PDTnode>* out, int mode);
/// Aligns the outermost world's name index with the node order. Returns 0.
VARNEX_API int CalibrateSortWithAllNodes();

/// Refreshes every node from position `from` on, the first with flag 1. Returns 0.
VARNEX_API int PDTrebuild(int from);
/// Deletes every body of the model and refreshes every node in all_nodes order. A node whose
/// refresh fails with 2 makes the engine ask the host once ("AskPDTglobalRebuild" with the
/// node's name): Cancel or Abort stops the rebuild (-1), YesToAll stops the asking. Failures
/// above 2 are named together at the end (five names, then ", ..."), asked the same way
/// (-1 when stopped, else 0). Otherwise the number of failures (-2 when failures were not
/// asked about). A stopped rebuild leaves the nodes up to the stopping one rebuilt and every
/// later node without a body.
VARNEX_API int rebuild_all();

/// Checks and finds an order for a set of nodes (all_nodes when none is given).
class VARNEX_API PVFPdtOrder {
 public:
  explicit PVFPdtOrder(GENERIC_LIST<PDTnode>* nodes = nullptr);
  ~PVFPdtOrder();
  PVFPdtOrder(const PVFPdtOrder&) = delete;
  PVFPdtOrder& operator=(const PVFPdtOrder&) = delete;

  /// The input becomes a copy of `nodes` (all_nodes when null); results are invalidated.
  void Update(GENERIC_LIST<PDTnode>* nodes);
  void AddNode(PDTnode* node);
  void AddNodes(GENERIC_LIST<PDTnode>* nodes);
  void RemoveNode(PDTnode* node);
  void RemoveNodes(GENERIC_LIST<PDTnode>* nodes);
  /// Use the recorded references (fast) or the formula texts (detail); the sorted flag.
  int FastSort();
  int DetailSort();
  void SetStartingTransformationCheckLevel(int level);
  /// Sorts the input nodes that are in all_nodes; returns whether an order was found.
  int Sort();
  int IsSortable();
  int HasChanged();
  int GetGeneralTransformationCheckLevel();
  int GetSpecialTransformationCheckLevel();
  /// With null: imposes the found order on all_nodes (its nodes move to positions 0, 1, ...);
  /// else copies it into `out`. Returns the number of nodes in the found order.
  int GetOrder(GENERIC_LIST<PDTnode>* out);
  /// Whether the input is in an order that sorting keeps.
  XBOOL IsConsistentOrder();

 private:
  int SortInto(const std::vector<PDTnode*>& in, std::vector<PDTnode*>& out);
  void Invalidate();
  std::vector<PDTnode*> InputInAllNodes() const;

  int fast_ = 1;
  int sorted_ = 0;
  int sortable_ = 0;
  int changed_ = 0;
  int starting_level_ = 2;
  int general_level_ = 2;
  int special_level_ = 2;
  std::vector<PDTnode*> input_;
  std::vector<PDTnode*> order_;
};
