// The node wrappers: what each kind of chosen node writes into the sections of the text.
#include <varnex/generator/part_tree.h>
#include <varnex/library/feature_element.h>
#include <varnex/library/handover_parameter.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>

#include <algorithm>
#include <array>
#include <string>

#include "generator/generator_internal.h"
#include "generator/novl_source.h"

namespace varnex::generator {
namespace {

std::string S(const PVMStrg& text) {
  return text.GetpStr();
}

// "\t\tNAME\t: TYPE;\n" with `indent` tabs.
std::string Declaration(const char* indent, const PVMStrg& name, const PVMStrg& type) {
  return std::string(indent) + S(name) + "\t: " + S(type) + ";\n";
}

// The value a parameter is given in the text: its value, else its default; a value holding the
// marker "NOV_ENTRY" is stored in the NOV description and referred to by a placeholder.
std::string ParameterValue(PVFMtfPartTree& tree, const PVMStrg& owner, PVFMtfParameter& p) {
  std::string value = p.HasValue() ? S(p.GetValue()) : p.HasDefault() ? S(p.GetDefault()) : "";
  std::size_t marker = value.find("NOV_ENTRY");
  if (marker != std::string::npos) {
    PVMStrg placeholder = tree.StorePart(owner, PVMStrg(value.c_str()), p.GetBinaryValue());
    value.replace(marker, 9, placeholder.GetpStr());
  }
  return value;
}

// The guard of an input without a default: the value the part was built with stands in when the
// caller gives none.
std::string InputGuard(PVFMtfPartTree& tree, const PVMStrg& owner, PVFMtfParameter& p) {
  if (!p.IsInput() || p.HasDefault() || !p.HasValue()) {
    return {};
  }
  std::string name = S(p.GetNewName());
  return "\t\tif (!IsValidValue (" + name + "))\n\t\t{\n\t\t\t" + name +
         " := " + ParameterValue(tree, owner, p) + ";\n\t\t};\n";
}

int CombTypeOfTree(int tree_type) {
  switch (tree_type) {
    case PDT_COMB_UNION:
      return PVFMTF_UNITE;
    case PDT_COMB_SUBTRACTION:
      return PVFMTF_SUBTRACT;
    case PDT_COMB_FIXED_TRANSFORM:
    case PDT_COMB_TRANSFORM:
      return PVFMTF_TRANSFORM;
    case PDT_COMB_MANIPULATION:
    case PDT_COMB_ATTRIBUTE:  // passes on the body the attribute was put on
      return PVFMTF_MANIPULATE;
    case PDT_COMB_NEGATION:
      return PVFMTF_NEGATION;
    default:
      return 0;
  }
}

// Whether the wrapper of the model name `input` ("hole_@2", "hole_@2.shape") comes before
// `wrapper` among the tree's wrappers.
bool IsWrittenBefore(const PVFMtfPartTree& tree, const PVFMtfNode* wrapper, const PVMStrg& input) {
  std::string node = S(input).substr(0, S(input).find('.'));
  for (int i = 0; i < tree.GetWrapperCount() && tree.GetWrapper(i) != wrapper; ++i) {
    if (tree.GetWrapper(i)->GetName() == node.c_str()) {
      return true;
    }
  }
  return false;
}

int SignOf(PVFMtfNode* wrapper) {
  return wrapper != nullptr && wrapper->GetNode() != nullptr ? wrapper->GetNode()->get_sign() : 0;
}

}  // namespace
}  // namespace varnex::generator

using namespace varnex::generator;

// PVFMtfParameter

PVFMtfParameter::PVFMtfParameter(const PVMStrg& name, const PVMStrg& new_name,
                                 const PVMStrg& alias_type)
    : name_(name), new_name_(new_name), alias_type_(alias_type) {}

void PVFMtfParameter::SetDefault(const PVMStrg& text) {
  has_default_ = ToXBool(text.IsNotVoid() && !text.Find("_@"));
  default_ = has_default_ ? text : PVMStrg();
}

void PVFMtfParameter::SetRestrictions(const VALUE_LIST<PVMStrg>& entries) {
  std::string text;
  for (int i = 0; i < entries.count(); ++i) {
    if (entries[i].IsNotVoid()) {
      text += (text.empty() ? "" : "; ") + S(entries[i]);
    }
  }
  restrictions_ = text.empty() ? PVMStrg() : PVMStrg((" RESTRICTED TO { " + text + " }").c_str());
}

// PVFMtfNode

PVFMtfNode::PVFMtfNode(PDTnode* node)
    : node_(node), name_(node != nullptr ? node->get_name() : ""), type_name_("geometric") {
  new_name_ = PVMStrg(GeneratedName(name_.GetpStr()).c_str());
}

PVFMtfNode::~PVFMtfNode() = default;

PVMStrg PVFMtfNode::GetFeatureGeometry(const PVFMtfPartTree&) const {
  return PVMStrg();
}

XBOOL PVFMtfNode::DoEntity(PVFMtfPartTree&, PVMStrg& out) {
  if (entity_attribute_) {
    Put(out, Declaration("\t\t", new_name_, type_name_));
  }
  return TRUE;
}

XBOOL PVFMtfNode::DoLocal(PVFMtfPartTree&, PVMStrg& out) {
  Put(out, Declaration("\t\t\t", new_name_, type_name_));
  return TRUE;
}

XBOOL PVFMtfNode::DoAssignment(PVFMtfPartTree&, PVMStrg&) {
  return TRUE;
}

// PVFMtfAtomNode

XBOOL PVFMtfAtomNode::IsAtomicType(const char* alias_type) {
  static constexpr std::array<const char*, 20> kTypes = {"ENUMERATION",
                                                         "feature_ConFace",
                                                         "feature_ConLKO",
                                                         "feature_ConSolid",
                                                         "feature_ConWir1",
                                                         "feature_ConWirN",
                                                         "feature_ContextReference",
                                                         "feature_GeometricReference",
                                                         "feature_LOGIC",
                                                         "feature_NUMBER",
                                                         "feature_NodeReference",
                                                         "feature_Reference",
                                                         "feature_STRING",
                                                         "feature_axis",
                                                         "feature_distance",
                                                         "feature_generic",
                                                         "feature_geometric",
                                                         "feature_smlsid",
                                                         "feature_transformation_matrix",
                                                         "feature_vector"};
  for (const char* type : kTypes) {
    if (alias_type != nullptr && std::string(alias_type) == type) {
      return TRUE;
    }
  }
  return FALSE;
}

PVFMtfAtomNode::PVFMtfAtomNode(PDTnode* node) : PVFMtfNode(node) {
  rumpf* instance = node != nullptr ? node->GetRootDataElement() : nullptr;
  rumpf* value = Member(instance, "value");
  PVMStrg type(value != nullptr && value->get_alias_type() != nullptr ? value->get_alias_type()
                                                                      : "");
  SetTypeName(type);
  PVFMtfParameter parameter(GetName() & ".value", GetNewName(), type);
  parameter.SetValue(PVMStrg(ValueOf(value).c_str()));
  parameter.SetDefault(parameter.GetValue());
  parameters_.push_back(parameter);
}

PVMStrg PVFMtfAtomNode::GetFeatureGeometry(const PVFMtfPartTree&) const {
  return GetNewName();
}

XBOOL PVFMtfAtomNode::IsTransformation() const {
  return ToXBool(GetTypeName() == "transformation_matrix");
}

XBOOL PVFMtfAtomNode::DoEntity(PVFMtfPartTree&, PVMStrg& out) {
  Put(out, Declaration("\t\t", parameters_.front().GetNewName(), GetTypeName()));
  return TRUE;
}

// The wrapper's own name is a local when it differs from its parameter's; a parameter that is
// no input is a local too.
XBOOL PVFMtfAtomNode::DoLocal(PVFMtfPartTree&, PVMStrg& out) {
  const PVFMtfParameter& p = parameters_.front();
  if (!p.IsInput()) {
    Put(out, Declaration("\t\t\t", p.GetNewName(), GetTypeName()));
  }
  if (GetNewName() != p.GetNewName()) {
    Put(out, Declaration("\t\t\t", GetNewName(), GetTypeName()));
  }
  return TRUE;
}

XBOOL PVFMtfAtomNode::DoFunction(PVFMtfPartTree& tree, PVMStrg& out) {
  PVFMtfParameter& p = parameters_.front();
  std::string text = InputGuard(tree, GetNewName(), p);
  if (!p.IsInput()) {
    std::string value = ParameterValue(tree, GetNewName(), p);
    if (value.empty()) {
      return tree.Fail(GetName() & ": its value cannot be written as text; make it an input");
    }
    text += "\t\t" + S(p.GetNewName()) + " := " + value + ";\n";
  }
  if (GetNewName() != p.GetNewName()) {
    text += "\t\t" + S(GetNewName()) + " := " + S(p.GetNewName()) + ";\n";
  }
  Put(out, text + "\n");
  return TRUE;
}

XBOOL PVFMtfAtomNode::DoAssignment(PVFMtfPartTree&, PVMStrg& out) {
  const PVMStrg& name = parameters_.front().GetNewName();
  Put(out, "\t\tobject." + S(name) + " := " + S(name) + ";\n");
  return TRUE;
}

// PVFMtfCombNode

PVFMtfCombNode::PVFMtfCombNode(PDTnode* node, PVFMtfNode* left, PVFMtfNode* right)
    : PVFMtfNode(node), left_(left), right_(right), sign_(node != nullptr ? node->get_sign() : 0) {
  auto* comb = dynamic_cast<PDTcomb*>(node);
  comb_type_ = comb != nullptr ? CombTypeOfTree(comb->get_comb_type()) : 0;
}

PVMStrg PVFMtfCombNode::GetCombination(const PVFMtfPartTree& tree) const {
  std::string a = left_ != nullptr ? S(left_->GetFeatureGeometry(tree)) : "";
  std::string b = right_ != nullptr ? S(right_->GetFeatureGeometry(tree)) : "";
  std::string text = "NULL";
  bool both = !a.empty() && !b.empty();
  switch (comb_type_) {
    case PVFMTF_UNITE:
      text = both ? a + " + " + b : text;
      break;
    case PVFMTF_SUBTRACT:
      if (both) {
        bool swap = SignOf(left_) == PDT_SIGN_NEGATIVE && SignOf(right_) != PDT_SIGN_NEGATIVE;
        text = swap ? b + " - " + a : a + " - " + b;
      }
      break;
    case PVFMTF_INTERSECT:
      text = both ? a + " * " + b : text;
      break;
    case PVFMTF_TRANSFORM:
      if (both) {
        bool left_moves = left_->IsTransformation() != FALSE;
        bool right_moves = right_->IsTransformation() != FALSE;
        text = left_moves && right_moves ? a + " * " + b
               : left_moves              ? "transform (" + b + ", " + a + ")"
                                         : "transform (" + a + ", " + b + ")";
      }
      break;
    case PVFMTF_MANIPULATE:
    case PVFMTF_NEGATION: {
      int sa = SignOf(left_), sb = SignOf(right_);
      bool take_b =
          a.empty() || (!b.empty() && sa != PDT_SIGN_POSITIVE && sa != PDT_SIGN_NEGATIVE &&
                        (sb == PDT_SIGN_POSITIVE || sb == PDT_SIGN_NEGATIVE));
      text = take_b ? (b.empty() ? text : b) : a;
      break;
    }
    default:
      break;
  }
  return PVMStrg(text.c_str());
}

PVMStrg PVFMtfCombNode::GetFeatureGeometry(const PVFMtfPartTree&) const {
  return GetNewName();
}

XBOOL PVFMtfCombNode::IsTransformation() const {
  return ToXBool(sign_ == PDT_SIGN_TRANSFORMATION);
}

XBOOL PVFMtfCombNode::DoFunction(PVFMtfPartTree& tree, PVMStrg& out) {
  std::string name = S(GetNewName());
  Put(out, "\t\t" + name + " := " + S(GetCombination(tree)) + ";\n\t\tobject." + name +
               " := " + name + ";\n\n");
  return TRUE;
}

// PVFMtfFeatNode

PVFMtfFeatNode::PVFMtfFeatNode(PDTnode* node) : PVFMtfNode(node) {
  rumpf* instance = node != nullptr ? node->GetRootDataElement() : nullptr;
  Featurelist_Element* definition = DefinitionOfInstance(GetName().GetpStr());
  if (definition != nullptr) {
    PVMStrg entity;
    definition->GetEntityName(entity);
    SetTypeName(entity);
    definition->GetFunctionName(function_);
    VALUE_LIST<HANDOVER_PARAMETER> declared;
    definition->GetFunctionParameters(&declared);
    for (int i = 0; i < declared.count(); ++i) {
      const HANDOVER_PARAMETER& d = declared[i];
      PVMStrg new_name = GetNewName() & "_" & d.Name();
      PVFMtfParameter p(GetName() & "." & d.Name(), new_name, d.Type());
      PVMStrg text;
      // An input defaults to the value the part was built with, else to the declared default.
      PVFBinBlock binary;
      std::string value = ValueOf(Member(instance, d.Name().GetpStr()), &binary);
      p.SetBinaryValue(binary);
      bool textual = !value.empty() && value.find("NOV_ENTRY") == std::string::npos;
      p.SetDefault(textual ? PVMStrg(value.c_str()) : PVMStrg(d.GetValue(text)));
      p.SetRestrictions(RestraintEntries(PVMStrg(d.GetRestraints(text))));
      p.SetValue(PVMStrg(value.c_str()));
      parameters_.push_back(p);
    }
    axes_ = ToXBool(Member(instance, "CreateAxisForfeat") != nullptr &&
                    ValueOf(Member(instance, "CreateAxisForfeat")) == "TRUE");
  }
  // A body used up by a combination leaves its object empty: then the first geometric one.
  rumpf* geometry = node != nullptr ? node->get_geometry() : nullptr;
  if (geometry == nullptr) {
    geometry = FirstMemberOfType(instance, "Geometric");
  }
  if (node != nullptr && node->IsTypeOf("PDTtrans")) {
    geometry = FirstMemberOfType(instance, "Transform");
  }
  geometry_ = geometry != nullptr ? geometry->get_name() : "";
}

PVMStrg PVFMtfFeatNode::GetFeatureGeometry(const PVFMtfPartTree&) const {
  return geometry_.IsVoid() ? PVMStrg() : GetNewName() & "." & geometry_;
}

XBOOL PVFMtfFeatNode::IsTransformation() const {
  return ToXBool(GetNode() != nullptr && GetNode()->IsTypeOf("PDTtrans"));
}

XBOOL PVFMtfFeatNode::DoEntity(PVFMtfPartTree&, PVMStrg& out) {
  for (const PVFMtfParameter& p : parameters_) {
    Put(out, Declaration("\t\t", p.GetNewName(), p.GetAliasType()));
  }
  Put(out, Declaration("\t\t", GetNewName(), GetTypeName()));
  return TRUE;
}

XBOOL PVFMtfFeatNode::DoLocal(PVFMtfPartTree&, PVMStrg& out) {
  for (const PVFMtfParameter& p : parameters_) {
    if (!p.IsInput()) {
      Put(out, Declaration("\t\t\t", p.GetNewName(), p.GetAliasType()));
    }
  }
  Put(out, Declaration("\t\t\t", GetNewName(), GetTypeName()));
  return TRUE;
}

XBOOL PVFMtfFeatNode::DoCall(PVFMtfPartTree& tree, PVMStrg& out) {
  if (function_.IsVoid()) {
    return tree.Fail(GetName() & ": the feature library has no definition of its feature");
  }
  std::string text;
  std::vector<std::string> names;
  for (PVFMtfParameter& p : parameters_) {
    text += InputGuard(tree, GetNewName(), p);
    if (!p.IsInput()) {
      std::string value = ParameterValue(tree, GetNewName(), p);
      if (value.empty()) {
        return tree.Fail(p.GetName() & ": its value cannot be written as text; make it an input");
      }
      text += "\t\t" + S(p.GetNewName()) + " := " + value + ";\n";
    }
    names.push_back(S(p.GetNewName()));
  }
  // The arguments in the declared order, the passed ones in their places.
  std::string arguments;
  for (std::size_t position = 0, next = 0; position < names.size() + passed_.size(); ++position) {
    bool passed = std::find(passed_.begin(), passed_.end(), position) != passed_.end();
    arguments +=
        (arguments.empty() ? "" : ", ") + (passed ? S(PassedArgument(position)) : names[next++]);
  }
  std::string name = S(GetNewName());
  Put(out, text + "\t\t" + name + " := " + S(function_) + " (" + arguments + ");\n\t\tobject." +
               name + " := " + name + ";\n\n");
  return TRUE;
}

XBOOL PVFMtfFeatNode::DoFunction(PVFMtfPartTree& tree, PVMStrg& out) {
  return DoCall(tree, out);
}

void PVFMtfFeatNode::PassArgument(std::size_t position) {
  if (std::find(passed_.begin(), passed_.end(), position) != passed_.end()) {
    return;
  }
  std::size_t before = static_cast<std::size_t>(std::count_if(
      passed_.begin(), passed_.end(), [position](std::size_t p) { return p < position; }));
  if (position - before < parameters_.size()) {
    parameters_.erase(parameters_.begin() + static_cast<std::ptrdiff_t>(position - before));
    passed_.push_back(position);
  }
}

PVMStrg PVFMtfFeatNode::PassedArgument(std::size_t) const {
  return PVMStrg("NULL");
}

XBOOL PVFMtfFeatNode::DoAssignment(PVFMtfPartTree&, PVMStrg& out) {
  for (const PVFMtfParameter& p : parameters_) {
    Put(out, "\t\tobject." + S(p.GetNewName()) + " := " + S(p.GetNewName()) + ";\n");
  }
  return TRUE;
}

// PVFMtfReproFeatNode

XBOOL PVFMtfReproFeatNode::IsReproName(const char* node_name) {
  std::string name(node_name != nullptr ? node_name : "");
  std::size_t at = name.rfind("_@");
  if (at != std::string::npos) {
    name.erase(at);  // the feature name of an instance name
  }
  static constexpr std::array<const char*, 9> kNames = {
      "ReproCircle",   "ReproCircleV1", "ReproCircleV2", "ReproCircleV3", "ReproMatrix",
      "ReproMatrixV1", "ReproMatrixV2", "ReproWreathV1", "ReproWreathV2"};
  for (const char* repro : kNames) {
    if (name == repro) {
      return TRUE;
    }
  }
  return ToXBool(name.rfind("Repro_", 0) == 0);
}

PVFMtfReproFeatNode::PVFMtfReproFeatNode(PDTnode* node) : PVFMtfFeatNode(node) {
  ReadInputs();
}

// The parameter whose object refers to a list of alias type "repro_inputlist" is the input
// list: its elements are read, and the generated call passes the generated list in its place.
void PVFMtfReproFeatNode::ReadInputs() {
  rumpf* instance = GetNode() != nullptr ? GetNode()->GetRootDataElement() : nullptr;
  std::vector<PVFMtfParameter>& parameters = *GetParameters();
  const std::string prefix = S(GetName()) + ".";
  for (std::size_t i = 0, position = 0; i < parameters.size(); ++position) {
    std::string declared = S(parameters[i].GetName()).substr(prefix.size());
    rumpf* list = Referenced(Member(instance, declared.c_str()));
    if (list == nullptr || !list->isAliasTypeOf(kInputListType)) {
      ++i;
      continue;
    }
    if (has_list_) {
      fault_ = GetName() & ": it has more than one input list ('" & declared.c_str() & "')";
      ++i;
      continue;
    }
    has_list_ = TRUE;
    PassArgument(position);  // takes parameters[i] out
    ReadElements(list);
  }
}

// One element per member of the input list, in order; each holds the names of the objects its
// reference list refers to.
void PVFMtfReproFeatNode::ReadElements(rumpf* list) {
  for (rumpf* member : Members(list)) {
    rumpf* references = Referenced(member);
    if (references == nullptr || !references->isAliasTypeOf(kReferenceListType)) {
      fault_ = GetName() & ": its input list holds '" & member->get_name() &
               "', which is no list of alias type '" & kReferenceListType & "'";
      return;
    }
    int element = static_cast<int>(inputs_.size());
    inputs_.emplace_back();
    for (rumpf* reference : Members(references)) {
      AddInputReference(element, PVMStrg(ReferencedName(reference).c_str()));
    }
  }
}

void PVFMtfReproFeatNode::AddInputReference(int element, const PVMStrg& reference) {
  if (element < 0) {
    return;
  }
  if (static_cast<std::size_t>(element) >= inputs_.size()) {
    inputs_.resize(element + 1);
  }
  inputs_[element].add(reference);
}

const VALUE_LIST<PVMStrg>* PVFMtfReproFeatNode::GetInputReferences(int element) const {
  return element >= 0 && element < GetElementCount() ? &inputs_[element] : nullptr;
}

PVMStrg PVFMtfReproFeatNode::GetInputListName() const {
  return GetNewName() & "_ReproInputList";
}

rumpf* PVFMtfReproFeatNode::CreateInputList(const PVMStrg& name,
                                            const std::vector<std::vector<PDTnode*>>& elements,
                                            PVMStrg& error) {
  // Everything is checked before anything is made.
  std::vector<std::string> lists = {S(name)};
  std::vector<std::vector<std::string>> targets;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    lists.push_back(S(name) + "_" + std::to_string(i));
    targets.emplace_back();
    for (PDTnode* node : elements[i]) {
      rumpf* instance = node != nullptr ? node->GetRootDataElement() : nullptr;
      PVMStrg full;
      if (instance == nullptr || instance->get_full_name(full) == nullptr) {
        error = PVMStrg("the node '") & (node != nullptr ? node->get_name() : "") &
                "' has no instance to refer to";
        return nullptr;
      }
      targets.back().push_back(full.GetpStr());
    }
    if (targets.back().empty()) {
      error = PVMStrg("element ") & std::to_string(i).c_str() & " of '" & name & "' is empty";
      return nullptr;
    }
  }
  if (elements.empty()) {
    error = "the input list '" & name & "' needs at least one element";
    return nullptr;
  }
  for (const std::string& list : lists) {
    if (!IsPlainName(list)) {
      error = "'" & name & "' cannot name an input list: use letters, digits and '_'";
      return nullptr;
    }
    if (search(list.c_str()) != nullptr) {
      error = PVMStrg("the name '") & list.c_str() & "' is taken";
      return nullptr;
    }
  }
  rumpf* input_list = NewList(lists[0], kInputListType);
  for (std::size_t i = 0; input_list != nullptr && i < targets.size(); ++i) {
    rumpf* references = NewList(lists[i + 1], kReferenceListType);
    for (std::size_t k = 0; references != nullptr && k < targets[i].size(); ++k) {
      NewReference(references, targets[i][k], "reference_" + std::to_string(k));
    }
    NewReference(input_list, lists[i + 1], "element_" + std::to_string(i));
  }
  if (input_list == nullptr) {
    error = "the model took no input list '" & name & "'";
  }
  return input_list;
}

PVMStrg PVFMtfReproFeatNode::PassedArgument(std::size_t) const {
  return GetInputListName();
}

XBOOL PVFMtfReproFeatNode::DoLocal(PVFMtfPartTree& tree, PVMStrg& out) {
  Put(out, "\t\t\t" + S(GetInputListName()) + "\t: Reference;\n");
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    Put(out, "\t\t\t" + S(GetNewName()) + "_ReproReferenceList_" + std::to_string(i) +
                 "\t: Reference;\n");
  }
  return PVFMtfFeatNode::DoLocal(tree, out);
}

// The input list and one reference list per element, rebuilt from the chosen nodes: each input
// must be a chosen node written before the reproduction (which copies its shape while it is
// there). The member names are those a reproduction feature reads.
XBOOL PVFMtfReproFeatNode::DoFunction(PVFMtfPartTree& tree, PVMStrg& out) {
  if (fault_.IsNotVoid()) {
    return tree.Fail(fault_);
  }
  std::string list = S(GetInputListName());
  std::string text =
      "\t\t" + list + " := init_objectlist ('" + list + "', '" + kInputListType + "');\n\n";
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    std::string references = S(GetNewName()) + "_ReproReferenceList_" + std::to_string(i);
    text += "\t\t" + references + " := init_objectlist ('" + references + "', '" +
            kReferenceListType + "');\n";
    for (int k = 0; k < inputs_[i].count(); ++k) {
      PVMStrg reference = inputs_[i][k];
      if (!tree.RenameParameter(reference)) {
        return tree.Fail(GetName() & ": the input '" & inputs_[i][k] &
                         "' is not among the chosen nodes");
      }
      if (!IsQualifiedName(reference.GetpStr())) {
        return tree.Fail(GetName() & ": the input '" & inputs_[i][k] &
                         "' cannot be written as a name");
      }
      if (!IsWrittenBefore(tree, this, inputs_[i][k])) {
        return tree.Fail(GetName() & ": the input '" & inputs_[i][k] &
                         "' is built after the reproduction");
      }
      text += "\t\tadd_objectlist (" + references + ", " + S(reference) + ", 'reference_" +
              std::to_string(k) + "');\n";
    }
    text += "\t\tadd_objectlist (" + list + ", " + references + ", 'element_" + std::to_string(i) +
            "');\n\n";
  }
  Put(out, text);
  return DoCall(tree, out);
}
