// Reference tracking and update propagation: which nodes depend on which, the set of nodes a
// change reaches, and the refresh of exactly those nodes in rebuild order (all_nodes order).
// A node depends on the nodes whose objects the formulas of its instance name, and a
// combination on its operands. Lists are unique lists of PDTnode*; the functions return counts
// (-1 for a missing argument) unless said otherwise.
#pragma once

#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

#include <map>
#include <string>
#include <vector>

class PDTnode;
class PDTcomb;
class rumpf;

/// The referrers found per node during one update: node -> the nodes that refer to it.
using PDTReferenceCache = std::map<PDTnode*, std::vector<PDTnode*>>;

// ---- node-level views ----

/// The nodes of the objects whose formulas name the node's instance, appended to `out`.
VARNEX_API int referenced_from(PDTnode* node, void_list* out);
/// The same in a new unique list the caller owns (null for a null node).
VARNEX_API void_list* referenced_from(PDTnode* node);
/// Appends every node that refers to `node` (GetReferencesBy) to `out`; with a cache, records
/// the referrers of a node that has any. The number found, -1 for a null node or list.
VARNEX_API int get_referencing_nodes(PDTnode* node, void_list* out, PDTReferenceCache* cache);
/// The nodes `node` depends on at reference `level`: the nodes its objects' formulas name and,
/// for references held by geometric, reference and 2D-contour objects, the transformation
/// subtrees on the way up from the referenced node (get_transformation_references). Level 2
/// follows every combination with a transformation operand up to the common parent, level 1
/// only the unbroken run directly above the referenced node, level 0 none. A combination
/// answers 0 (its operands are its dependencies).
VARNEX_API int get_references(PDTnode* node, GENERIC_LIST<PDTnode>* out, int level);
/// The same computed from the formula texts instead of the recorded references: every
/// identifier that does not follow a "." names a dependency.
VARNEX_API int SearchReferencesByValSrc(PDTnode* node, GENERIC_LIST<PDTnode>* out, int level);
/// Climbs from `ref` through its combination ancestors up to `stop_at` (exclusive): each
/// ancestor whose other operand is a transformation adds its whole subtree (post-order) to
/// `out`. Level 1 stops at the first ancestor without one, level 0 adds nothing; so does a
/// referenced node that is not a solid or a manipulation (signs 1, 2, 4). Returns the number
/// added, -1 for a null node or list.
VARNEX_API int get_transformation_references(PDTnode* ref, GENERIC_LIST<PDTnode>* out, int level,
                                             PDTnode* stop_at);
/// The deepest node that is an ancestor-or-self of both, or null in different trees.
VARNEX_API PDTnode* common_parent(PDTnode* a, PDTnode* b);
/// For an attribute-like feature node (sign 0, 4, 5 or 6): the nodes it refers to that lie in
/// another tree. -1 (nothing added) for a node whose base name is "Context".
VARNEX_API int include_attributed_nodes(PDTnode* node, void_list* out);
/// The nodes the formula of `object` names.
VARNEX_API int include_attributed_nodes(rumpf* object, void_list* out);
VARNEX_API int add_attributed_nodes(rumpf* object, void_list* out);
/// The node's subtree from last to first into `all`; features and transformations also into
/// `feats` with their attributed nodes.
VARNEX_API int node_to_lists(PDTnode* node, void_list* feats, void_list* all);
/// `tops` receives top(node), then node_to_lists(top(node), feats, all).
VARNEX_API int get_dependant_nodes(PDTnode* node, void_list* feats, void_list* all,
                                   void_list* tops);
/// Breadth-first closure from `node`: tops of every reached node into `tops`, their subtrees and
/// referrers into `all`.
VARNEX_API int get_update_referencing_nodes(PDTnode* node, void_list* tops, void_list* all);
/// Objects of other instances whose formulas name an object of `node`'s instance become plain
/// values (they keep the value they have). Combinations have nothing to clear. Returns 0.
VARNEX_API int clear_references(PDTnode* node);
/// The same for the given referring nodes only.
VARNEX_API int clear_references(void_list* referrers, PDTnode* node);
/// Whether an object of the node's instance names itself in its formula.
VARNEX_API XBOOL IsReallySelfReferenced(PDTnode* node);
VARNEX_API XBOOL IsReallySelfReferenced(rumpf* object);

// ---- collecting and refreshing ----

/// Collects what a change of `node` reaches: the node, its ancestors, its referrers (through the
/// cache), their ancestors and so on; the operands a combination needs (those with a memory body
/// into `mem_bodies`, the others into the update). `tops` receives the tops of the trees
/// touched. Returns the size of `update`, -1 for a missing argument or a node not in all_nodes.
VARNEX_API int get_all_nodes_to_update(PDTnode* node, void_list* tops, void_list* update,
                                       void_list* mem_bodies, PDTReferenceCache* cache);
/// Refreshes `node` and everything depending on it, in all_nodes order, and nothing else.
/// `tops` (may be null) receives the tops of the trees refreshed. 0 on success, -1 for an
/// unknown node.
VARNEX_API int update_referencing_nodes(PDTnode* node, void_list* tops);
/// The same from several nodes. Without `excluded` and `extra`, a set reaching every node
/// becomes a full rebuild (rebuild_all) and every root goes to `tops`. `excluded` nodes are not
/// refreshed (nor attribute-like features that only they refer to); `extra` nodes are.
VARNEX_API int update_referencing_nodes(void_list* nodes, void_list* tops, void_list* excluded,
                                        void_list* extra);
/// Refreshes the nodes of `update` in all_nodes order (the order grows when a refresh moves
/// geometry that later nodes refer to or turns a node into a manipulation); nodes of `silent`
/// re-apply their silent transformation instead. 0, or -1 for a missing or empty list.
VARNEX_API int do_update_of_nodes_in_list(void_list* update, void_list* tops, void_list* excluded,
                                          void_list* silent);
/// When the context asks for silent updates: moves the silent nodes of the touched trees from
/// `update` into `silent` (and drops those trees' nodes from `mem_bodies`). Returns the number
/// of nodes left in `update`.
VARNEX_API int PVFCheckSilentNodes(void_list* update, void_list* mem_bodies,
                                   GENERIC_LIST<PDTnode>& silent, PDTReferenceCache* cache,
                                   std::vector<PDTnode*>* tops);
/// Rebuilds everything except the subtrees of `kept` (which re-apply their silent
/// transformation) after the model's bodies other than `kept_entities` were deleted. Failures
/// are handled like rebuild_all's.
VARNEX_API int PVFManipulatedUpdate(GENERIC_LIST<PDTnode>* kept, GENERIC_LIST<PDTnode>* unused,
                                    GENERIC_LIST<void>* kept_entities);

/// Whether an update runs now.
VARNEX_API XBOOL PDTUpdateInProgress();

/// The names of the nodes the last update or rebuild refreshed, in the order refreshed.
VARNEX_API const std::vector<std::string>& PDTLastUpdatedNodes();

/// The names of the nodes the last update or rebuild refreshed that should carry a solid (their
/// sign is positive or negative) but have none: their feature could not be rebuilt, or their
/// Boolean failed. The update itself goes on; the host decides what to tell.
VARNEX_API const std::vector<std::string>& PDTLastFailedNodes();

/// The names of the nodes the last update took from their memory bodies instead of rebuilding
/// them, in the order restored (empty after a full rebuild).
VARNEX_API const std::vector<std::string>& PDTLastRestoredNodes();
