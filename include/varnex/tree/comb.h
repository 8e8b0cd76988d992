// Combination nodes: the inner nodes of the dependency tree. A combination joins two nodes (two
// solids, a solid and a manipulation, a body and a transformation) into one result, held by a
// geometric object of the outermost world named like the node. Its combination type follows
// from the signs of its operands.
#pragma once

#include <varnex/tree/node.h>

/// Combination types.
enum PDTCombType : int {
  PDT_COMB_IDENTICAL = -1,       ///< both operands the same node; operand 2 is dropped
  PDT_COMB_NONE = 0,             ///< no usable pair
  PDT_COMB_UNION = 1,            ///< solid with solid of the same sign
  PDT_COMB_SUBTRACTION = 2,      ///< solid with solid of opposite signs
  PDT_COMB_FIXED_TRANSFORM = 3,  ///< a transformation combination, kept once set
  PDT_COMB_TRANSFORM = 4,        ///< a transformation applied to a solid
  PDT_COMB_MANIPULATION = 5,     ///< a manipulation applied
  PDT_COMB_NEGATION = 6,         ///< a negation applied
  PDT_COMB_ATTRIBUTE = 7,        ///< an attribute applied
};

/// The combination type of two operand signs (identical operands and the fixed type 3 are the
/// caller's to decide).
VARNEX_API int PDTCombinationTypeOfSigns(int s1, int s2);

class VARNEX_API PDTcomb : public PDTnode {
 public:
  /// An empty combination named "PDTcomb_@N", in all_nodes (and, unless `keep_out`, in
  /// free_nodes); the context is told CombNodeCreate.
  explicit PDTcomb(int keep_out);
  /// Combines `op1` and `op2` (both must be roots): with type 0 the type follows from the
  /// signs (-1 drops operand 2), the combined value becomes the geometric object, both
  /// operands are occupied, the node joins all_nodes and the context is told CombNodeCreate.
  /// Without a combined value get_geometry() is null.
  PDTcomb(PDTnode* op1, PDTnode* op2, int type, const char* text, const char* id);
  /// Destroys the geometric object (when the outermost world still holds it) and releases the
  /// operands.
  ~PDTcomb() override;

  PDTnode* get_op1() const { return op1_; }
  PDTnode* get_op2() const { return op2_; }
  /// Releases the old operand (back to free_nodes), occupies `node` (a root or null) and
  /// recomputes the type (correct_comb_type). FALSE when `node` has another parent.
  XBOOL set_op1(PDTnode* node);
  XBOOL set_op2(PDTnode* node);
  XBOOL IsOperand(const PDTnode* node) const;
  /// The other operand, or null when `node` is no operand.
  PDTnode* OtherOperand(const PDTnode* node) const;
  /// Replaces whichever operand is `old_node` by `new_node`; FALSE when neither is.
  XBOOL ChangeOperand(PDTnode* old_node, PDTnode* new_node);

  /// The type the operands give now (stored type 3 stays, identical operands -1); the operand
  /// signs go to s1, s2.
  int get_combination_type(int& s1, int& s2);
  /// Recomputes and stores the type, then the parent's when it is a combination.
  void correct_comb_type();
  void set_comb_type(int type) { comb_type_ = type; }
  int get_comb_type() const { return comb_type_; }
  int get_comb_constraint() const { return comb_constraint_; }
  /// Constraint 1 or 2 forces that sign; 0 lets the operands decide.
  void set_sign(int sign) { comb_constraint_ = sign; }

  /// The sign a negation node gives an incoming sign: its first enumeration whose value is
  /// "SetPositive" (1), "SetNegative" (2), "Umschalten" (toggles 1 and 2) or "NoAction".
  static int get_negation_sign(PDTnode* negation, int sign);

  /// Combines the operands' values by type: a new operand the caller owns, or null.
  aritm* do_combination(int s1, int s2);

  int GetAllNodes(GENERIC_LIST<PDTnode>* list) override;
  void_list* get_childs() override;
  PDTnode* copy(int* count, void_list* copies, VALUE_LIST<PVMStrg>* old_names,
                VALUE_LIST<PVMStrg>* new_names) override;
  PDTnode* copy(const char* feature) override;
  PDTnode* copy() override;
  aritm* get_rep_aritm() override;
  /// Recombines the operands: 0 with a result; without one 3 for type 0, 0 for type 7, else 2.
  int refresh(int first) override;
  int get_planet_lis(void_list* planets, void_list* nodes) override;
  int get_sign() override;
  rumpf* GetRootDataElement() override { return geometry_; }
  rumpf* get_rumpf() override { return nullptr; }
  rumpf* get_geometry() override { return geometry_; }
  ENTITY* get_body() override;
  ENTITY* CopyToMemBody(ENTITY* body) override;
  ENTITY* CopyFromMemBody() override;
  XBOOL eHasMemBody() override;
  XBOOL Store(PVFStream& stream) override;
  XBOOL Restore(PVFStream& stream, int flag) override;
  XBOOL IsCorrupt() override;
  XBOOL ProvideData() override { return ToXBool(!IsCorrupt()); }
  PDTnode* DataProvider() override;
  /// Takes the combination out from between its parent and its operands (see the tree
  /// documentation): a single operand takes its place, two operands become roots.
  void Unhook() override;
  void SetSilent(XBOOL silent) override;
  XBOOL IsSilent(PDTnode*& out) override;
  int RefreshSilent(int first) override;

  /// Links the operands named by the record read last whose nodes exist now (records may come
  /// in any order). TRUE when every named operand is linked.
  XBOOL LinkRestoredOperands();
  /// Releases both operands (parents cleared, back to free_nodes) without any recomputation.
  void ReleaseOperands();
  /// Destroys the geometric object (when the outermost world still holds it).
  void DeleteGeometry();
  /// Forgets the geometric object without destroying it (it is being destroyed elsewhere).
  void ForgetGeometry() { geometry_ = nullptr; }

 private:
  /// Makes the geometric object from the combined value; FALSE without one.
  XBOOL MakeGeometry(aritm* value);
  void AttachOperand(PDTnode*& slot, PDTnode* node);
  void ReleaseOperand(PDTnode*& slot);
  void NameFromCounter();
  void PlaceTransformation(int s1, int s2);

  int comb_revision_ = 115;
  PDTnode* op1_ = nullptr;
  PDTnode* op2_ = nullptr;
  rumpf* geometry_ = nullptr;
  int comb_type_ = 0;
  int comb_constraint_ = 0;
  PVMStrg restored_op1_, restored_op2_;
};
