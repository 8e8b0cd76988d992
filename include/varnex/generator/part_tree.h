// The feature generator: turns chosen dependency-tree nodes into the NOVL text of a new feature
// definition (one schema with one entity and one creation function) and its NOV description.
// Each chosen node gets a wrapper that knows how its part of the text looks; the part tree joins
// the wrappers' lines section by section.
//
// Every name, type, default and value that goes into the text is checked first: names must be
// plain identifiers, texts are quoted, and anything the language cannot carry (a statement end,
// a comment marker, an unbalanced brace, a line feed outside a text literal) is refused with a
// message instead of being pasted. Nothing here throws; failures return their documented status
// and leave the message in GetError().
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/base/void_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>
#include <varnex/persistence/bin_block.h>

#include <memory>
#include <vector>

class PDTnode;
class PVFMtfPartTree;
class rumpf;

/// One parameter of a wrapped node: the object it comes from, the name it gets in the generated
/// feature, whether the generated feature's caller provides it (input), its type, default,
/// restrictions and value.
class VARNEX_API PVFMtfParameter {
 public:
  PVFMtfParameter() = default;
  /// `name`: the object's qualified name in the model ("plate_@1.width"); `new_name` the name it
  /// gets in the generated text; `alias_type` its declared type ("distance").
  PVFMtfParameter(const PVMStrg& name, const PVMStrg& new_name, const PVMStrg& alias_type);

  /// Parameters are the same when they come from the same object.
  XBOOL operator==(const PVFMtfParameter& other) const { return ToXBool(name_ == other.name_); }

  const PVMStrg& GetName() const { return name_; }
  const PVMStrg& GetNewName() const { return new_name_; }
  void SetNewName(const PVMStrg& name) { new_name_ = name; }
  const PVMStrg& GetAliasType() const { return alias_type_; }
  XBOOL IsInput() const { return input_; }
  void SetInput(XBOOL input) { input_ = input; }
  XBOOL IsFree() const { return free_; }
  void SetFree(XBOOL free) { free_ = free; }

  XBOOL HasDefault() const { return ToXBool(has_default_ && default_.IsNotVoid()); }
  const PVMStrg& GetDefault() const { return default_; }
  /// Keeps `text` as the default; a text naming an instance ("_@") is dropped (no default).
  void SetDefault(const PVMStrg& text);

  /// " RESTRICTED TO { e1; e2 }", or empty without restrictions.
  const PVMStrg& GetRestrictions() const { return restrictions_; }
  /// Builds the restrictions text from the single entries (empty entries are skipped).
  void SetRestrictions(const VALUE_LIST<PVMStrg>& entries);

  XBOOL HasValue() const { return ToXBool(value_.IsNotVoid()); }
  const PVMStrg& GetValue() const { return value_; }
  void SetValue(const PVMStrg& text) { value_ = text; }
  const PVFBinBlock& GetBinaryValue() const { return binary_; }
  void SetBinaryValue(const PVFBinBlock& block) { binary_ = block; }

 private:
  PVMStrg name_;
  PVMStrg new_name_;
  XBOOL input_ = FALSE;
  XBOOL free_ = TRUE;
  PVMStrg alias_type_;
  PVMStrg default_;
  XBOOL has_default_ = FALSE;
  PVMStrg restrictions_;
  PVMStrg value_;
  PVFBinBlock binary_;
};

/// A renaming record: the name in the model and the name in the generated feature.
class VARNEX_API PVFMtfFreeParameter {
 public:
  PVFMtfFreeParameter() = default;
  PVFMtfFreeParameter(const PVMStrg& old_name, const PVMStrg& new_name)
      : old_name_(old_name), new_name_(new_name) {}
  XBOOL operator==(const PVFMtfFreeParameter& other) const {
    return ToXBool(old_name_ == other.old_name_);
  }
  const PVMStrg& GetOldName() const { return old_name_; }
  const PVMStrg& GetNewName() const { return new_name_; }

 private:
  PVMStrg old_name_;
  PVMStrg new_name_;
};

/// The base of the node wrappers: the wrapped node, its declared name (the node's name), its
/// type name in the generated text, its new (generated) name and whether it contributes an
/// entity attribute. The text pieces are appended to `out`; FALSE after a message in the part
/// tree's error (nothing else changes).
class VARNEX_API PVFMtfNode {
 public:
  explicit PVFMtfNode(PDTnode* node);
  PVFMtfNode(const PVFMtfNode&) = delete;
  PVFMtfNode& operator=(const PVFMtfNode&) = delete;
  virtual ~PVFMtfNode();

  PDTnode* GetNode() const { return node_; }
  const PVMStrg& GetName() const { return name_; }
  const PVMStrg& GetTypeName() const { return type_name_; }
  const PVMStrg& GetNewName() const { return new_name_; }
  void SetNewName(const PVMStrg& name) { new_name_ = name; }
  XBOOL HasEntityAttribute() const { return entity_attribute_; }

  /// The wrapper's parameters (empty for combinations); the wrapper owns them.
  virtual std::vector<PVFMtfParameter>* GetParameters() { return nullptr; }
  /// The expression of the wrapper's value in the generated text ("plate_1.shape" for a
  /// feature, the result's name for a combination); empty when it has none.
  virtual PVMStrg GetFeatureGeometry(const PVFMtfPartTree& tree) const;
  /// TRUE when the wrapped value is a transformation (the operand order of "transform").
  virtual XBOOL IsTransformation() const { return FALSE; }
  /// Whether the wrapped feature creates axes.
  virtual XBOOL HasAxes() const { return FALSE; }
  /// New names of the feature's own sub-features (for include_axes).
  virtual int GetSubFeatureNames(VALUE_LIST<PVMStrg>* out) const { return 0; }

  virtual XBOOL DoEntity(PVFMtfPartTree& tree, PVMStrg& out);
  virtual XBOOL DoLocal(PVFMtfPartTree& tree, PVMStrg& out);
  virtual XBOOL DoFunction(PVFMtfPartTree& tree, PVMStrg& out) = 0;
  virtual XBOOL DoAssignment(PVFMtfPartTree& tree, PVMStrg& out);

 protected:
  void SetTypeName(const PVMStrg& type) { type_name_ = type; }
  void SetEntityAttribute(XBOOL on) { entity_attribute_ = on; }

 private:
  PDTnode* node_;
  PVMStrg name_;
  PVMStrg type_name_;
  PVMStrg new_name_;
  XBOOL entity_attribute_ = TRUE;
};

/// A value node: a feature whose instance holds one atomic value (a number, text, vector, ...)
/// in its object "value". It owns one parameter.
class VARNEX_API PVFMtfAtomNode : public PVFMtfNode {
 public:
  explicit PVFMtfAtomNode(PDTnode* node);
  std::vector<PVFMtfParameter>* GetParameters() override { return &parameters_; }
  PVFMtfParameter& GetParameter() { return parameters_.front(); }
  PVMStrg GetFeatureGeometry(const PVFMtfPartTree& tree) const override;
  XBOOL IsTransformation() const override;
  XBOOL DoEntity(PVFMtfPartTree& tree, PVMStrg& out) override;
  XBOOL DoLocal(PVFMtfPartTree& tree, PVMStrg& out) override;
  XBOOL DoFunction(PVFMtfPartTree& tree, PVMStrg& out) override;
  XBOOL DoAssignment(PVFMtfPartTree& tree, PVMStrg& out) override;

  /// The alias types whose features count as atomic values.
  static XBOOL IsAtomicType(const char* alias_type);

 private:
  std::vector<PVFMtfParameter> parameters_;  // exactly one
};

/// Combination types as the generated text writes them.
enum PVFMtfCombType : int {
  PVFMTF_UNITE = 1,
  PVFMTF_SUBTRACT = 2,
  PVFMTF_INTERSECT = 3,
  PVFMTF_TRANSFORM = 4,
  PVFMTF_MANIPULATE = 5,
  PVFMTF_NEGATION = 6,
};

/// A combination node: its result is "a + b", "a - b" (positive first), "a * b",
/// "transform (solid, transformation)" or the operand a manipulation passes on.
class VARNEX_API PVFMtfCombNode : public PVFMtfNode {
 public:
  /// `left` and `right` are the wrappers of the operands (null when an operand is missing or
  /// was not chosen); neither is owned.
  PVFMtfCombNode(PDTnode* node, PVFMtfNode* left, PVFMtfNode* right);
  int GetCombType() const { return comb_type_; }
  int GetSign() const { return sign_; }
  PVFMtfNode* GetLeft() const { return left_; }
  PVFMtfNode* GetRight() const { return right_; }
  /// The combination expression of the operands' expressions ("NULL" when it has none).
  PVMStrg GetCombination(const PVFMtfPartTree& tree) const;
  PVMStrg GetFeatureGeometry(const PVFMtfPartTree& tree) const override;
  XBOOL IsTransformation() const override;
  XBOOL DoFunction(PVFMtfPartTree& tree, PVMStrg& out) override;

 private:
  int comb_type_;
  PVFMtfNode* left_;
  PVFMtfNode* right_;
  int sign_;
};

/// A feature or transformation node made from a library feature: the generated text calls the
/// feature's creation function with the node's parameter values (or the new feature's inputs).
class VARNEX_API PVFMtfFeatNode : public PVFMtfNode {
 public:
  explicit PVFMtfFeatNode(PDTnode* node);
  std::vector<PVFMtfParameter>* GetParameters() override { return &parameters_; }
  /// The creation function of the node's feature; empty when the library has none.
  const PVMStrg& GetFunctionName() const { return function_; }
  PVMStrg GetFeatureGeometry(const PVFMtfPartTree& tree) const override;
  XBOOL IsTransformation() const override;
  XBOOL HasAxes() const override { return axes_; }
  XBOOL DoEntity(PVFMtfPartTree& tree, PVMStrg& out) override;
  XBOOL DoLocal(PVFMtfPartTree& tree, PVMStrg& out) override;
  XBOOL DoFunction(PVFMtfPartTree& tree, PVMStrg& out) override;
  XBOOL DoAssignment(PVFMtfPartTree& tree, PVMStrg& out) override;

 protected:
  /// The parameter statements and the call ("new := create_f (args);" and its entity line).
  XBOOL DoCall(PVFMtfPartTree& tree, PVMStrg& out);
  /// Takes the parameter the feature declares at `position` (0 for the first) out of the
  /// wrapper's parameters: it becomes no parameter of the new feature, and the call passes
  /// PassedArgument(position) in its place.
  void PassArgument(std::size_t position);
  /// The argument the call passes for a parameter taken out with PassArgument.
  virtual PVMStrg PassedArgument(std::size_t position) const;

 private:
  std::vector<PVFMtfParameter> parameters_;
  std::vector<std::size_t> passed_;  // declared positions of the parameters taken out
  PVMStrg function_;
  PVMStrg geometry_;  // name of the geometric object inside the instance
  XBOOL axes_ = FALSE;
};

/// A feature node of a reproduction feature ("Repro_...", "ReproCircle", "ReproMatrix", ...):
/// its input list is set up before the call.
///
/// The instance's parameter that refers to a list of alias type "repro_inputlist" is its input
/// list: each member of that list is a list of alias type "repro_reflist" (one per reproduced
/// element, in order), whose members refer to the features the element reproduces. The wrapper
/// reads these references from the model; the generated text builds the same lists from the
/// chosen nodes (members named "element_<i>" and "reference_<k>") and passes its own input list
/// in place of the model's, which is no parameter of the new feature.
class VARNEX_API PVFMtfReproFeatNode : public PVFMtfFeatNode {
 public:
  explicit PVFMtfReproFeatNode(PDTnode* node);
  /// Whether `node_name` (its part after the last "_@" removed) names a reproduction feature.
  static XBOOL IsReproName(const char* node_name);
  /// The input references of reproduced element `element` (appended).
  void AddInputReference(int element, const PVMStrg& reference);
  /// The number of reproduced elements.
  int GetElementCount() const { return static_cast<int>(inputs_.size()); }
  /// The input references (model names, as "hole_@2") of element `element`; null past the last.
  const VALUE_LIST<PVMStrg>* GetInputReferences(int element) const;
  /// The name of the input list in the generated text ("<new name>_ReproInputList").
  PVMStrg GetInputListName() const;
  /// Builds a reproduction's input list in the current world (the model's outermost when no
  /// feature runs), as a host hands it to a reproduction feature: the list `name` (alias type
  /// "repro_inputlist") with one entry "element_<i>" per element, referring to the list
  /// "<name>_<i>" (alias type "repro_reflist"), whose entries "reference_<k>" refer to the
  /// instances of the element's nodes. Null, nothing made and the reason in `error`, when a name
  /// is no plain identifier or is taken, there is no element, an element is empty or a node has
  /// no instance. Build it while the nodes still hold their shapes (before a combination uses
  /// them up).
  static rumpf* CreateInputList(const PVMStrg& name,
                                const std::vector<std::vector<PDTnode*>>& elements, PVMStrg& error);
  XBOOL DoLocal(PVFMtfPartTree& tree, PVMStrg& out) override;
  XBOOL DoFunction(PVFMtfPartTree& tree, PVMStrg& out) override;

 protected:
  PVMStrg PassedArgument(std::size_t position) const override;

 private:
  void ReadInputs();
  void ReadElements(rumpf* list);

  std::vector<VALUE_LIST<PVMStrg>> inputs_;
  XBOOL has_list_ = FALSE;
  PVMStrg fault_;  // why the model's input list cannot be taken over; reported when generating
};

/// The generator. Choose nodes (AddNode, AddNodes, AddTopNode), name the feature and its
/// inputs, then CreateFeatureDescription; GetNvlDescription and GetNovDescription give the result.
class VARNEX_API PVFMtfPartTree {
 public:
  PVFMtfPartTree();
  PVFMtfPartTree(const PVFMtfPartTree&) = delete;
  PVFMtfPartTree& operator=(const PVFMtfPartTree&) = delete;
  virtual ~PVFMtfPartTree();

  // Choosing nodes. Each returns the number of wrappers, or -1 for a null argument.
  /// Resets the generator, then takes `node` and every node it needs (FindAllNodes).
  int AddNode(PDTnode* node);
  /// Resets the generator, then takes every node of `nodes` with what it needs.
  int AddNodes(GENERIC_LIST<PDTnode>* nodes);
  /// AddNode of the top of `node`'s tree.
  int AddTopNode(PDTnode* node);
  /// Appends the chosen nodes to `out`; returns their number.
  int GetAllNodes(GENERIC_LIST<PDTnode>* out) const;
  /// Appends `node` and the nodes it needs (a combination's operands before it) to the chosen
  /// nodes, each once; returns the number of chosen nodes.
  int FindAllNodes(PDTnode* node);

  // Naming and types.
  /// FALSE (name unchanged, message in GetError) unless `name` is a plain identifier.
  XBOOL SetFeatureName(const PVMStrg& name);
  const PVMStrg& GetFeatureName() const { return feature_name_; }
  /// Only 1 (positive) and 2 (negative) are taken; returns the explicit type in force.
  int SetExplicitFeatureType(int type);
  int GetExplicitFeatureType() const { return explicit_type_; }
  /// 1 or 2 for a solid, 3 for a transformation, 0 for none (from the main geometry).
  int GetFeatureType() const { return feature_type_; }
  /// The reference point lies on face `face` (cut at the first ';') at (u, v); an empty face
  /// gives the box centre again.
  void SetReferencePoint(const PVMStrg& face, double u, double v);
  /// Suppresses (TRUE) or restores the reference-point statement.
  void SuppressReferencePoint(XBOOL suppress) { no_reference_point_ = suppress; }

  // Parameters and sub-features.
  /// Appends one renaming record per parameter (old: the model's qualified name, new: the
  /// generated name) to `out`; returns their number.
  int GetFreeParameter(VALUE_LIST<PVFMtfFreeParameter>* out) const;
  /// Appends one record per feature and combination wrapper (node name, generated name).
  int GetSubFeatures(VALUE_LIST<PVFMtfFreeParameter>* out) const;
  /// Makes the parameter of the model's qualified name `name` an input of the new feature.
  /// FALSE when no chosen node has it.
  XBOOL SetInputParameter(const PVMStrg& name);
  /// Every name of the list; TRUE when all were found.
  XBOOL SetInputParameter(const VALUE_LIST<PVMStrg>& names);
  /// Gives a wrapper (by node name or generated name) a new generated name. FALSE (nothing
  /// changed, message in GetError) for an unknown wrapper, a name that is no plain identifier
  /// or one already used.
  XBOOL SetSubFeatureName(const PVMStrg& old_name, const PVMStrg& new_name);
  /// Every record of the list; stops at the first failure.
  XBOOL SetSubFeatureNames(const VALUE_LIST<PVMStrg>& old_names,
                           const VALUE_LIST<PVMStrg>& new_names);
  /// Gives the parameter of qualified name (or generated name) `old_name` the generated name
  /// `new_name`; the same refusals as SetSubFeatureName.
  XBOOL RenameParameter(const PVMStrg& old_name, const PVMStrg& new_name);
  /// Translates a model name into the generated text's name in place: a parameter's qualified
  /// name becomes its generated name; "node_@N.rest" becomes "new_name.rest". FALSE (name
  /// unchanged) when it names nothing chosen.
  XBOOL RenameParameter(PVMStrg& name) const;

  /// Recomputes the main geometry wrapper (the last whose node's sign is 1, 2 or 3), the feature
  /// type and the axes flag.
  void Update();

  /// Generates the description. TRUE (the previous description stays) without a feature name,
  /// without nodes or when a section fails, with the reason in GetError; FALSE on success.
  XBOOL CreateFeatureDescription();
  /// The generated text (empty before the first success).
  const char* GetNvlDescription(PVMStrg& out) const;
  /// The NOV text and binary block; null when both are empty, else the text.
  const char* GetNovDescription(PVMStrg& text, PVFBinBlock& binary) const;
  /// The binary parts one by one, in the order of their identifiers: what a library geometry
  /// file keeps as its contour blocks (see Featurelist_Element::NovFileBytes).
  PVFBinBlockList GetNovBinaryParts() const;
  /// Why the last failing call failed.
  const PVMStrg& GetError() const { return error_; }

  /// Empties all lists, clears the main geometry, the types, flags and reference point (the
  /// feature name and the generated texts stay).
  void Reset();

  // Used by the wrappers while generating.
  /// FALSE after noting `message` as the error.
  XBOOL Fail(const PVMStrg& message);
  /// The wrapper of `node` among the chosen ones, or null.
  PVFMtfNode* FindWrapper(const PDTnode* node) const;
  /// A placeholder for a value the text cannot hold: the value goes to the text parts (or the
  /// binary parts when `binary` is not empty) and "'owner.NOV_i'" replaces the marker.
  PVMStrg StorePart(const PVMStrg& owner, const PVMStrg& value, const PVFBinBlock& binary);
  int GetWrapperCount() const { return static_cast<int>(wrappers_.size()); }
  PVFMtfNode* GetWrapper(int index) const;
  PVFMtfNode* GetMainGeometry() const { return main_geometry_; }
  XBOOL HasAxes() const { return axes_; }

 protected:
  // The sections of the text in their order; each appends to `out`, FALSE on failure.
  virtual XBOOL DoSchemaBeginDescription(PVMStrg& out);
  virtual XBOOL DoEntityDescription(PVMStrg& out);
  virtual XBOOL DoEntityTypeSpecificDescription(PVMStrg& out);
  virtual XBOOL DoFunctionHeadDescription(PVMStrg& out);
  virtual XBOOL DoFunctionHeadTypeSpecificDecription(PVMStrg& out);
  virtual XBOOL DoLocalDescription(PVMStrg& out);
  virtual XBOOL DoFunctionDescription(PVMStrg& out);
  virtual XBOOL DoAxesDescription(PVMStrg& out);
  virtual XBOOL DoAssignmentDescription(PVMStrg& out);
  virtual XBOOL DoAssignmentTypeSpecificDescription(PVMStrg& out);
  virtual XBOOL DoSchemaEndDescription(PVMStrg& out);
  virtual XBOOL DoNovDescription();

 private:
  void GenerateNodeData();
  void PlaceReproductions();
  void NameWrapper(PVFMtfNode& wrapper);
  XBOOL NameInUse(const PVMStrg& name, const void* except) const;
  PVFMtfParameter* FindParameter(const PVMStrg& name) const;
  PVFMtfNode* FindWrapperByName(const PVMStrg& name) const;
  XBOOL CheckInputs();
  void ReplaceNodeNames(PVMStrg& text) const;

  PVMStrg feature_name_;
  PVMStrg description_;
  PVMStrg nov_text_;
  PVFBinBlock nov_binary_;
  VALUE_LIST<PVMStrg> text_parts_;
  VALUE_LIST<PVFBinBlock> binary_parts_;
  GENERIC_LIST<PDTnode> nodes_{TRUE};
  std::vector<std::unique_ptr<PVFMtfNode>> wrappers_;
  PVFMtfNode* main_geometry_ = nullptr;
  int feature_type_ = 0;
  int explicit_type_ = 1;
  XBOOL axes_ = FALSE;
  XBOOL no_reference_point_ = FALSE;
  PVMStrg reference_face_;
  double u_ = 0.0;
  double v_ = 0.0;
  PVMStrg error_;
};
