// The part tree: choosing nodes, classifying them into wrappers, naming, and the inputs.
#include <varnex/base/messages.h>
#include <varnex/generator/part_tree.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/tree_functions.h>

#include <algorithm>
#include <array>
#include <string>

#include "generator/generator_internal.h"
#include "generator/novl_source.h"

using namespace varnex::generator;

namespace {

// Names the generated text uses itself.
constexpr std::array<const char*, 8> kReservedNames = {
    "object",      "visibility", "feature_shape", "ref_point0", "combine_constraint",
    "AchsenListe", "AxList",     "replacement"};

XBOOL IsAtomNode(PDTnode* node) {
  rumpf* root = node->GetRootDataElement();
  return ToXBool(IsAtom(node) && root != nullptr && Member(root, "value") != nullptr);
}

}  // namespace

PVFMtfPartTree::PVFMtfPartTree() = default;

PVFMtfPartTree::~PVFMtfPartTree() = default;

XBOOL PVFMtfPartTree::Fail(const PVMStrg& message) {
  error_ = message;
  ClassError(PVMStrg("PVFMtfPartTree"), PVMStrg("generate"), message, 0, 0);
  return FALSE;
}

void PVFMtfPartTree::Reset() {
  text_parts_.Clear();
  binary_parts_.Clear();
  nodes_.Clear();
  wrappers_.clear();
  main_geometry_ = nullptr;
  feature_type_ = 0;
  explicit_type_ = 1;
  axes_ = FALSE;
  no_reference_point_ = FALSE;
  reference_face_ = PVMStrg();
  u_ = v_ = 0.0;
}

int PVFMtfPartTree::FindAllNodes(PDTnode* node) {
  if (node != nullptr) {
    node->GetAllNodes(&nodes_);  // a combination's operands before it
  }
  return nodes_.count();
}

int PVFMtfPartTree::AddNode(PDTnode* node) {
  if (node == nullptr) {
    return -1;
  }
  Reset();
  FindAllNodes(node);
  GenerateNodeData();
  return GetWrapperCount();
}

int PVFMtfPartTree::AddNodes(GENERIC_LIST<PDTnode>* nodes) {
  if (nodes == nullptr) {
    return -1;
  }
  Reset();
  for (int i = 0; i < nodes->count(); ++i) {
    FindAllNodes((*nodes)[i]);
  }
  GenerateNodeData();
  return GetWrapperCount();
}

int PVFMtfPartTree::AddTopNode(PDTnode* node) {
  return node != nullptr ? AddNode(node->top()) : -1;
}

int PVFMtfPartTree::GetAllNodes(GENERIC_LIST<PDTnode>* out) const {
  for (int i = 0; out != nullptr && i < nodes_.count(); ++i) {
    out->add(nodes_[i]);
  }
  return nodes_.count();
}

void PVFMtfPartTree::GenerateNodeData() {
  wrappers_.clear();
  for (int i = 0; i < nodes_.count(); ++i) {
    PDTnode* node = nodes_[i];
    std::unique_ptr<PVFMtfNode> wrapper;
    if (node->IsTypeOf("PDTcomb")) {
      auto* comb = static_cast<PDTcomb*>(node);
      wrapper = std::make_unique<PVFMtfCombNode>(node, FindWrapper(comb->get_op1()),
                                                 FindWrapper(comb->get_op2()));
    } else if (node->IsTypeOf("PDTfeat") || node->IsTypeOf("PDTtrans")) {
      if (node->GetRootDataElement() == nullptr) {
        continue;  // a corrupt node has nothing to write
      }
      if (PVFMtfReproFeatNode::IsReproName(node->get_name())) {
        wrapper = std::make_unique<PVFMtfReproFeatNode>(node);
      } else if (IsAtomNode(node)) {
        wrapper = std::make_unique<PVFMtfAtomNode>(node);
      } else {
        wrapper = std::make_unique<PVFMtfFeatNode>(node);
      }
    } else {
      continue;
    }
    NameWrapper(*wrapper);
    wrappers_.push_back(std::move(wrapper));
  }
  PlaceReproductions();
  Update();
}

// A reproduction copies its inputs' shapes when it is built, and a combination uses up the
// shapes of its operands: a combination written before a reproduction of one of its operands
// would leave the reproduction nothing to copy. So the wrappers are put in an order in which
// each combination follows its operands, each reproduction its inputs, and each combination of
// a reproduction's input the reproduction; among the wrappers free to come next the one chosen
// first goes first, so a part without reproductions keeps its order (and an order that cannot
// be had, a cycle, leaves the order as it was).
void PVFMtfPartTree::PlaceReproductions() {
  const std::size_t n = wrappers_.size();
  auto index_of = [this, n](const PVFMtfNode* wrapper) {
    for (std::size_t j = 0; j < n; ++j) {
      if (wrappers_[j].get() == wrapper) {
        return j;
      }
    }
    return n;
  };
  std::vector<std::vector<std::size_t>> before(n);  // what must come before each wrapper
  bool any = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (auto* comb = dynamic_cast<PVFMtfCombNode*>(wrappers_[i].get())) {
      before[i] = {index_of(comb->GetLeft()), index_of(comb->GetRight())};
    }
  }
  for (std::size_t r = 0; r < n; ++r) {
    auto* repro = dynamic_cast<PVFMtfReproFeatNode*>(wrappers_[r].get());
    for (int element = 0; repro != nullptr && element < repro->GetElementCount(); ++element) {
      const VALUE_LIST<PVMStrg>& inputs = *repro->GetInputReferences(element);
      for (int k = 0; k < inputs.count(); ++k) {
        std::string input(inputs[k].GetpStr());
        std::size_t j =
            index_of(FindWrapperByName(PVMStrg(input.substr(0, input.find('.')).c_str())));
        if (j == n || j == r) {
          continue;
        }
        any = true;
        before[r].push_back(j);
        for (std::size_t c = 0; c < n; ++c) {
          auto* comb = dynamic_cast<PVFMtfCombNode*>(wrappers_[c].get());
          if (comb != nullptr && c != r &&
              (comb->GetLeft() == wrappers_[j].get() || comb->GetRight() == wrappers_[j].get())) {
            before[c].push_back(r);
          }
        }
      }
    }
  }
  if (!any) {
    return;
  }
  std::vector<bool> placed(n, false);
  std::vector<std::size_t> order;
  while (order.size() < n) {
    std::size_t next = n;
    for (std::size_t i = 0; i < n && next == n; ++i) {
      bool ready = !placed[i];
      for (std::size_t j : before[i]) {
        ready = ready && (j >= n || placed[j]);
      }
      next = ready ? i : n;
    }
    if (next == n) {
      return;  // a cycle: no order serves all
    }
    placed[next] = true;
    order.push_back(next);
  }
  std::vector<std::unique_ptr<PVFMtfNode>> sorted;
  for (std::size_t i : order) {
    sorted.push_back(std::move(wrappers_[i]));
  }
  wrappers_ = std::move(sorted);
}

// Makes the wrapper's generated name and its parameters' names unique.
void PVFMtfPartTree::NameWrapper(PVFMtfNode& wrapper) {
  auto unique = [this](PVMStrg name, const void* owner) {
    std::string base = name.GetpStr();
    for (int n = 2; NameInUse(name, owner); ++n) {
      name = PVMStrg((base + "_" + std::to_string(n)).c_str());
    }
    return name;
  };
  wrapper.SetNewName(unique(wrapper.GetNewName(), &wrapper));
  if (std::vector<PVFMtfParameter>* parameters = wrapper.GetParameters()) {
    for (PVFMtfParameter& p : *parameters) {
      p.SetNewName(p.GetNewName() == wrapper.GetNewName() ? p.GetNewName()
                                                          : unique(p.GetNewName(), &p));
    }
  }
}

XBOOL PVFMtfPartTree::NameInUse(const PVMStrg& name, const void* except) const {
  for (const char* reserved : kReservedNames) {
    if (name == reserved) {
      return TRUE;
    }
  }
  for (const auto& wrapper : wrappers_) {
    if (wrapper.get() != except && wrapper->GetNewName() == name) {
      return TRUE;
    }
    std::vector<PVFMtfParameter>* parameters = wrapper->GetParameters();
    for (std::size_t i = 0; parameters != nullptr && i < parameters->size(); ++i) {
      const PVFMtfParameter& p = (*parameters)[i];
      bool own_atom = p.GetNewName() == wrapper->GetNewName();  // an atom's own value
      if (&p != except && !own_atom && p.GetNewName() == name) {
        return TRUE;
      }
    }
  }
  return FALSE;
}

void PVFMtfPartTree::Update() {
  main_geometry_ = nullptr;
  feature_type_ = 0;
  axes_ = FALSE;
  for (const auto& wrapper : wrappers_) {
    int sign = wrapper->GetNode()->get_sign();
    if (sign == PDT_SIGN_POSITIVE || sign == PDT_SIGN_NEGATIVE || sign == PDT_SIGN_TRANSFORMATION) {
      main_geometry_ = wrapper.get();
      feature_type_ = sign;
    }
    axes_ = ToXBool(axes_ || wrapper->HasAxes());
  }
}

PVFMtfNode* PVFMtfPartTree::FindWrapper(const PDTnode* node) const {
  for (const auto& wrapper : wrappers_) {
    if (node != nullptr && wrapper->GetNode() == node) {
      return wrapper.get();
    }
  }
  return nullptr;
}

PVFMtfNode* PVFMtfPartTree::GetWrapper(int index) const {
  return index >= 0 && index < GetWrapperCount() ? wrappers_[index].get() : nullptr;
}

PVFMtfNode* PVFMtfPartTree::FindWrapperByName(const PVMStrg& name) const {
  for (const auto& wrapper : wrappers_) {
    if (wrapper->GetName() == name || wrapper->GetNewName() == name) {
      return wrapper.get();
    }
  }
  return nullptr;
}

PVFMtfParameter* PVFMtfPartTree::FindParameter(const PVMStrg& name) const {
  for (const auto& wrapper : wrappers_) {
    std::vector<PVFMtfParameter>* parameters = wrapper->GetParameters();
    for (std::size_t i = 0; parameters != nullptr && i < parameters->size(); ++i) {
      PVFMtfParameter& p = (*parameters)[i];
      if (p.GetName() == name || p.GetNewName() == name) {
        return &p;
      }
    }
  }
  return nullptr;
}

XBOOL PVFMtfPartTree::SetFeatureName(const PVMStrg& name) {
  if (!IsPlainName(name.GetpStr())) {
    return Fail("'" & name & "' cannot name a feature: use letters, digits and '_'");
  }
  feature_name_ = name;
  return TRUE;
}

int PVFMtfPartTree::SetExplicitFeatureType(int type) {
  if (type == 1 || type == 2) {
    explicit_type_ = type;
  }
  return explicit_type_;
}

void PVFMtfPartTree::SetReferencePoint(const PVMStrg& face, double u, double v) {
  std::string name(face.GetpStr());
  reference_face_ = PVMStrg(name.substr(0, name.find(';')).c_str());
  u_ = u;
  v_ = v;
}

int PVFMtfPartTree::GetFreeParameter(VALUE_LIST<PVFMtfFreeParameter>* out) const {
  int count = 0;
  for (const auto& wrapper : wrappers_) {
    std::vector<PVFMtfParameter>* parameters = wrapper->GetParameters();
    for (std::size_t i = 0; parameters != nullptr && i < parameters->size(); ++i, ++count) {
      if (out != nullptr) {
        out->add(PVFMtfFreeParameter((*parameters)[i].GetName(), (*parameters)[i].GetNewName()));
      }
    }
  }
  return count;
}

int PVFMtfPartTree::GetSubFeatures(VALUE_LIST<PVFMtfFreeParameter>* out) const {
  for (const auto& wrapper : wrappers_) {
    if (out != nullptr) {
      out->add(PVFMtfFreeParameter(wrapper->GetName(), wrapper->GetNewName()));
    }
  }
  return GetWrapperCount();
}

XBOOL PVFMtfPartTree::SetInputParameter(const PVMStrg& name) {
  PVFMtfParameter* p = FindParameter(name);
  if (p == nullptr) {
    return Fail("no chosen node has the parameter '" & name & "'");
  }
  p->SetInput(TRUE);
  return TRUE;
}

XBOOL PVFMtfPartTree::SetInputParameter(const VALUE_LIST<PVMStrg>& names) {
  XBOOL all = TRUE;
  for (int i = 0; i < names.count(); ++i) {
    all = ToXBool(SetInputParameter(names[i]) && all);
  }
  return all;
}

XBOOL PVFMtfPartTree::SetSubFeatureName(const PVMStrg& old_name, const PVMStrg& new_name) {
  PVFMtfNode* wrapper = FindWrapperByName(old_name);
  if (wrapper == nullptr) {
    return Fail("no chosen node is named '" & old_name & "'");
  }
  if (!IsPlainName(new_name.GetpStr())) {
    return Fail("'" & new_name & "' cannot name a sub-feature: use letters, digits and '_'");
  }
  if (NameInUse(new_name, wrapper)) {
    return Fail("the name '" & new_name & "' is taken");
  }
  // An atom's value keeps its wrapper's name; parameter names made from the old name follow.
  std::string prefix = std::string(wrapper->GetNewName().GetpStr()) + "_";
  std::vector<PVFMtfParameter>* parameters = wrapper->GetParameters();
  for (std::size_t i = 0; parameters != nullptr && i < parameters->size(); ++i) {
    PVFMtfParameter& p = (*parameters)[i];
    std::string name = p.GetNewName().GetpStr();
    if (p.GetNewName() == wrapper->GetNewName()) {
      p.SetNewName(new_name);
    } else if (name.rfind(prefix, 0) == 0) {
      PVMStrg renamed = new_name & "_" & name.substr(prefix.size()).c_str();
      if (IsPlainName(renamed.GetpStr()) && !NameInUse(renamed, &p)) {
        p.SetNewName(renamed);
      }
    }
  }
  wrapper->SetNewName(new_name);
  return TRUE;
}

XBOOL PVFMtfPartTree::SetSubFeatureNames(const VALUE_LIST<PVMStrg>& old_names,
                                         const VALUE_LIST<PVMStrg>& new_names) {
  for (int i = 0; i < old_names.count() && i < new_names.count(); ++i) {
    if (!SetSubFeatureName(old_names[i], new_names[i])) {
      return FALSE;
    }
  }
  return ToXBool(old_names.count() == new_names.count());
}

XBOOL PVFMtfPartTree::RenameParameter(const PVMStrg& old_name, const PVMStrg& new_name) {
  PVFMtfParameter* p = FindParameter(old_name);
  if (p == nullptr) {
    return Fail("no chosen node has the parameter '" & old_name & "'");
  }
  if (!IsPlainName(new_name.GetpStr())) {
    return Fail("'" & new_name & "' cannot name a parameter: use letters, digits and '_'");
  }
  if (p->GetNewName() != new_name && NameInUse(new_name, p)) {
    return Fail("the name '" & new_name & "' is taken");
  }
  p->SetNewName(new_name);
  return TRUE;
}

XBOOL PVFMtfPartTree::RenameParameter(PVMStrg& name) const {
  if (PVFMtfParameter* p = FindParameter(name)) {
    name = p->GetNewName();
    return TRUE;
  }
  std::string text(name.GetpStr());
  std::size_t dot = text.find('.');
  PVFMtfNode* wrapper = FindWrapperByName(PVMStrg(text.substr(0, dot).c_str()));
  if (wrapper == nullptr) {
    return FALSE;
  }
  name = PVMStrg((std::string(wrapper->GetNewName().GetpStr()) +
                  (dot == std::string::npos ? "" : text.substr(dot)))
                     .c_str());
  return TRUE;
}

PVMStrg PVFMtfPartTree::StorePart(const PVMStrg& owner, const PVMStrg& value,
                                  const PVFBinBlock& binary) {
  int index = binary.Length() > 0 ? binary_parts_.add(binary) : text_parts_.add(value);
  return PVMStrg(
      ("'" + std::string(owner.GetpStr()) + ".NOV_" + std::to_string(index) + "'").c_str());
}

// Parameters whose value the text cannot hold become inputs; every name, type, default and
// restriction the text will show is checked.
XBOOL PVFMtfPartTree::CheckInputs() {
  for (const auto& wrapper : wrappers_) {
    if (!IsPlainName(wrapper->GetNewName().GetpStr())) {
      return Fail("'" & wrapper->GetNewName() & "' cannot name a sub-feature");
    }
    if (std::string fault = TypeFault(wrapper->GetTypeName().GetpStr()); !fault.empty()) {
      return Fail(wrapper->GetName() & ": its type '" & wrapper->GetTypeName() &
                  "' cannot be written: " & fault.c_str());
    }
    std::vector<PVFMtfParameter>* parameters = wrapper->GetParameters();
    for (std::size_t i = 0; parameters != nullptr && i < parameters->size(); ++i) {
      PVFMtfParameter& p = (*parameters)[i];
      if (!p.HasValue() && !p.HasDefault()) {
        p.SetInput(TRUE);
      }
      // The library reads the default of a function parameter as it stands, without taking
      // "\'" for a quote: an input cannot default to a text with a quote.
      if (p.IsInput() && p.HasDefault() && p.GetDefault().Find("\\'")) {
        return Fail(p.GetName() &
                    ": an input cannot default to a text holding a quote; leave it no input");
      }
      if (!IsPlainName(p.GetNewName().GetpStr())) {
        return Fail("'" & p.GetNewName() & "' cannot name a parameter");
      }
      if (std::string fault = TypeFault(p.GetAliasType().GetpStr()); !fault.empty()) {
        return Fail(p.GetName() & ": its type '" & p.GetAliasType() & "' cannot be written: " &
                    fault.c_str());
      }
      if (p.HasDefault()) {
        if (std::string fault = ExpressionFault(p.GetDefault().GetpStr()); !fault.empty()) {
          return Fail(p.GetName() & ": its default cannot be written: " & fault.c_str());
        }
      }
      if (p.HasValue()) {
        if (std::string fault = ExpressionFault(p.GetValue().GetpStr()); !fault.empty()) {
          return Fail(p.GetName() & ": its value cannot be written: " & fault.c_str());
        }
      }
      std::string restrictions(p.GetRestrictions().GetpStr());
      if (!restrictions.empty()) {
        std::size_t open = restrictions.find('{'), close = restrictions.rfind('}');
        std::string inner = restrictions.substr(open + 1, close - open - 1);
        for (std::size_t at = 0, next; at <= inner.size(); at = next + 1) {
          next = inner.find("; ", at);
          next = next == std::string::npos ? inner.size() : next;
          std::string entry = inner.substr(at, next - at);
          if (std::string fault = ExpressionFault(entry); !fault.empty()) {
            return Fail(p.GetName() & ": its restriction '" & entry.c_str() &
                        "' cannot be written: " & fault.c_str());
          }
        }
      }
    }
  }
  return TRUE;
}

void PVFMtfPartTree::ReplaceNodeNames(PVMStrg& text) const {
  std::string result(text.GetpStr());
  for (const auto& wrapper : wrappers_) {
    std::string from = wrapper->GetName().GetpStr(), to = wrapper->GetNewName().GetpStr();
    std::vector<PVFMtfParameter>* parameters = wrapper->GetParameters();
    for (std::size_t i = 0; parameters != nullptr && i < parameters->size(); ++i) {
      const PVFMtfParameter& p = (*parameters)[i];
      ReplaceName(result, std::string("__UP__.") + p.GetName().GetpStr(), p.GetNewName().GetpStr());
      ReplaceName(result, p.GetName().GetpStr(), p.GetNewName().GetpStr());
    }
    ReplaceName(result, "__UP__." + from, to);
    ReplaceName(result, from, to);
  }
  text = PVMStrg(result.c_str());
}
