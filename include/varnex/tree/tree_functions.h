// Free functions of the dependency tree: joining and separating nodes, copying and deleting
// them, finding the node of an object or a name, and the start and end of the tree.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

class PDTnode;
class rumpf;

/// Combines the tops of `a` and `b` with combination type `type` (0: from the signs). Returns
/// the new combination, or null for missing or identical-top arguments and when a union,
/// subtraction or fixed transformation (types 1-3) gives no result: both operands are then
/// roots again with their instances and bodies as before.
VARNEX_API PDTnode* connect(PDTnode* a, PDTnode* b, int type);
/// Folds `list` (PDTnode*) into a chain of combinations from the left, starting at `start`;
/// the entries are removed from the list as they are used. A failed step deletes the chain built
/// so far and returns null; an empty list returns `start`.
VARNEX_API PDTnode* connect_list(PDTnode* start, void_list* list);
/// Takes the first combination of `list` with exactly one empty operand slot (else the first
/// node) out of the list and fills its empty slots from the roots among the remaining entries,
/// in list order. Returns that node, or null for an empty list.
VARNEX_API PDTnode* make_connection(void_list* list);
/// Clears the slot that holds `node` in its parent combination. 0, or -1 for null.
VARNEX_API int unconnect(PDTnode* node);
VARNEX_API int unconnect(void_list* nodes);
/// Unconnects `node`, releases a combination's operands and destroys the node. Objects whose
/// formulas name the node's objects keep their values but lose the formulas. 0, -1 for null.
VARNEX_API int delete_node(PDTnode* node);
VARNEX_API int delete_nodes(void_list* nodes);
/// A copy of `node`: a combination is copied deeply (operands copied and hung under a new
/// combination of the same type and name); other nodes copy their instance. Null on failure.
VARNEX_API PDTnode* copy(PDTnode* node);
/// Makes the objects of the subtree copied from `from` (now `to`) name the copies instead of
/// the originals in their formulas. Returns the number of formulas changed, -1 for null.
VARNEX_API int copy_references(PDTnode* from, PDTnode* to);
/// The node of the outermost instance holding `object`, or null.
VARNEX_API PDTnode* NodeOfRumpf(rumpf* object);
/// The node named by a qualified name: only names containing "_@" are looked up, the text from
/// the first "." on is ignored. Null when absent.
VARNEX_API PDTnode* NodeOfName(const PVMStrg& name);
/// A new string (caller deletes) holding the function name of library feature `feature`; null
/// for a combination node or an unknown feature.
VARNEX_API PVMStrg* get_function(PDTnode* node, const char* feature);
/// 1 for features and transformations; 1 + the deeper operand's depth for a combination.
VARNEX_API int PDTdepth(PDTnode* node);
/// 2 for a combination, 1 otherwise.
VARNEX_API int PDTnode_width(PDTnode* node);
/// 1 for leaves; the sum of the operands' widths (at least 1) for a combination.
VARNEX_API int PDTwidth(PDTnode* node);
/// Replaces all_nodes, free_nodes and selected_nodes with empty containers (the old
/// containers go, their nodes stay) and installs the tree's hooks. Returns 0.
VARNEX_API int PDTinit();
/// Destroys every node (operand links are released first, so no node ever sees a destroyed
/// neighbour) and the combinations' geometric objects. 1 when a container is missing, else 0.
VARNEX_API int PDTdelete();

// Helpers on nodes.
/// A "PDTfeat" node of sign 0, 4, 5 or 6.
VARNEX_API XBOOL PVMIsAttrFeat(PDTnode* node);
/// A "PDTfeat" node of sign 0 or 6.
VARNEX_API XBOOL PVMIsOnlyAttrFeat(PDTnode* node);
/// The list (PDTnode*) holds a "PDTfeat" node of sign 0 or 6.
VARNEX_API XBOOL PVMIsAttrFeatInList(void_list* nodes);
/// The node's root object is a single-value feature ("feature_distance", "feature_NUMBER", ...).
VARNEX_API XBOOL IsAtom(PDTnode* node);
/// The value text of the object node-name + ".value" (".name"), copied into `out`; null when
/// it does not exist.
VARNEX_API const char* AtomicValue(PDTnode* node, PVMStrg& out);
VARNEX_API const char* AtomicName(PDTnode* node, PVMStrg& out);
