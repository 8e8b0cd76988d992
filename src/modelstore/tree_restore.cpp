// The dependency tree in model files: node records written with their positions in the node
// list, read back through the active restore context, which keeps the restored nodes, puts them
// in the writer's order and, when the model was merged into another, renumbers their ids.
#include <varnex/base/messages.h>
#include <varnex/geometry/attribute_base.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/entity.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/model/contour.h>
#include <varnex/model/object_references.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/modelstore/restore.h>
#include <varnex/modelstore/tree_file.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/string_stream.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>
#include <varnex/tree/tree_functions.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// A node count or position: decimal digits only, within int.
bool ParseNumber(const PVMStrg& word, int& value) {
  const char* text = word.GetpStr();
  if (text == nullptr || *text == '\0') {
    return false;
  }
  for (const char* c = text; *c != '\0'; ++c) {
    if (std::isdigit(static_cast<unsigned char>(*c)) == 0) {
      return false;
    }
  }
  errno = 0;
  long number = std::strtol(text, nullptr, 10);
  if (errno != 0 || number > INT_MAX) {
    return false;
  }
  value = static_cast<int>(number);
  return true;
}

// The number the digits after the first "_@" of `text` give (0 when they do not begin there).
long NumberAfterAt(const char* text) {
  const char* at = text != nullptr ? std::strstr(text, "_@") : nullptr;
  if (at == nullptr || std::isdigit(static_cast<unsigned char>(at[2])) == 0) {
    return 0;
  }
  errno = 0;
  long number = std::strtol(at + 2, nullptr, 10);
  return errno != 0 || number >= INT_MAX ? INT_MAX - 1 : number;
}

PDTnode* CreateNode(const PVMStrg& type) {
  if (type == "PDTfeat") {
    return new PDTfeat();
  }
  if (type == "PDTtrans") {
    return new PDTtrans();
  }
  if (type == "PDTcomb") {
    return new PDTcomb(1);
  }
  return nullptr;
}

// A node whose record could not be taken goes again, with its links.
void Discard(PDTnode* node) {
  if (node->IsTypeOf("PDTcomb")) {
    static_cast<PDTcomb*>(node)->ReleaseOperands();
  }
  delete node;
}

XBOOL Damaged(const std::string& message) {
  PVFSetRecordError("PVFRestore", message.c_str());
  return FALSE;
}

// Combinations whose operands were read after them are linked now.
bool LinkCombinations(const std::vector<PDTnode*>& nodes) {
  for (PDTnode* node : nodes) {
    if (node->IsTypeOf("PDTcomb") && static_cast<PDTcomb*>(node)->LinkRestoredOperands() == FALSE) {
      Damaged(std::string("the combination <") + node->get_name() + "> names a missing operand");
      return false;
    }
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Node records

XBOOL PVFRestore::ReadNode(PVFStream& stream, int flag) {
  PVFRestoreFM* context = GetInstance();
  if (context == nullptr || all_nodes == nullptr || free_nodes == nullptr) {
    return FALSE;
  }
  int number = -1;
  PDTnode* last = nullptr;
  while (true) {
    PVMStrg word;
    stream >> word;
    if (word.IsVoid()) {
      // The input ended inside the records of a node: its object is marked as cut short.
      if (last != nullptr && last->GetRootDataElement() != nullptr) {
        last->GetRootDataElement()->SetValidity(26);
      }
      return FALSE;
    }
    if (word == "}") {
      if (anfang != nullptr && anfang->get_inertial_world() != nullptr) {
        anfang->get_inertial_world()->CalibrateSortedWithNullWelt();
      }
      return TRUE;
    }
    if (word == "NumberInList_:") {
      PVMStrg text;
      stream >> text;
      if (!ParseNumber(text, number)) {
        return Damaged("a node position is no number: <" + std::string(text.GetpStr()) + ">");
      }
      continue;
    }
    if (word != "Type_:") {
      continue;
    }
    PVMStrg type;
    stream >> type;
    PDTnode* node = CreateNode(type);
    if (node == nullptr) {
      continue;
    }
    if (node->Restore(stream, flag) != FALSE) {
      std::string name(node->get_name());
      Discard(node);
      return Damaged("the record of the node <" + name + "> is damaged or cut short");
    }
    if (!all_nodes->contains(node) && all_nodes->add(node) == FALSE) {
      std::string name(node->get_name());
      Discard(node);
      return Damaged("the node name <" + name + "> is used twice");
    }
    context->InsertToLists(node, number);
    number = -1;
    if (node->get_parent() == nullptr && !free_nodes->contains(node)) {
      free_nodes->add(node);
    }
    context->InsertToMaps(node);
    last = node;
  }
}

XBOOL PVFRestore::StructStgFeatureTree(PVFStream& stream, PDTnode* node) {
  if (all_nodes == nullptr) {
    return TRUE;
  }
  std::vector<PDTnode*> nodes;
  if (node == nullptr) {
    nodes.assign(all_nodes->begin(), all_nodes->end());
  } else {
    GENERIC_LIST<PDTnode> subtree;
    node->GetAllNodes(&subtree);
    for (int i = 0; i < subtree.count(); ++i) {
      nodes.push_back(subtree[i]);
    }
  }
  for (PDTnode* each : nodes) {
    stream << "NumberInList_: " << all_nodes->lookup(each) << "\n{\n";
    each->Store(stream);
    stream << "}\n";
  }
  return FALSE;
}

int PVFRestore::RepairRelPosError(PDTnode* node, int flag) {
  if (node == nullptr || node->IsTypeOf("PDTtrans") == FALSE ||
      std::strncmp(node->get_name(), "Pos_Rel", 7) != 0) {
    return 0;
  }
  std::string name(node->get_name());
  rumpf* reference = search((name + ".ThisNodeRef").c_str());
  if (reference == nullptr) {
    return 0;
  }
  PVMStrg formula, value;
  const char* current = reference->GetValue(formula, value);
  std::string text(current != nullptr ? current : "");
  if (std::size_t semicolon = text.rfind(';'); semicolon != std::string::npos) {
    text.resize(semicolon);
  }
  if (text == name) {
    return 0;
  }
  if (flag == 0) {
    PVMStrg wanted(name.c_str()), result;
    reference->SetValue(wanted, result);
  }
  return 1;
}

void PVFRestore::CreateListNoRefAcisAtts() {
  if (PVFRestoreFM* context = GetInstance()) {
    context->CreateListNoRefAcisAtts();
  }
}

void PVFRestore::AddAttToListNoRefAcisAtts(ATTRIB* attribute) {
  if (PVFRestoreFM* context = GetInstance()) {
    context->AddAttToListNoRefAcisAtts(attribute);
  }
}

void PVFRestore::AddAttToListDoubleRefGeoms(object_geom* object, ENTITY* entity) {
  if (PVFRestoreFM* context = GetInstance()) {
    context->AddAttToListDoubleRefGeoms(object, entity);
  }
}

void PVFRestore::DelListNoRefAcisAtts(XBOOL remove) {
  if (PVFRestoreFM* context = GetInstance()) {
    context->DelListNoRefAcisAtts(remove);
  }
}

// ---------------------------------------------------------------------------------------------
// The context's nodes

XBOOL PVFRestoreFM::InsertToLists(PDTnode* node, int number) {
  if (node == nullptr) {
    return FALSE;
  }
  if (std::find(restored_nodes_.begin(), restored_nodes_.end(), node) == restored_nodes_.end()) {
    restored_nodes_.push_back(node);
  }
  if (number >= 0) {
    numbered_.push_back({node, number});
  }
  return FALSE;
}

XBOOL PVFRestoreFM::InsertToMaps(PDTnode* node) {
  if (node != nullptr) {
    nodes_by_name_[node->get_name()] = node;
    nodes_by_id_[node->get_id() != nullptr ? node->get_id() : ""] = node;
  }
  return FALSE;
}

PDTnode* PVFRestoreFM::GetNodeByName(const char* name) const {
  auto found = nodes_by_name_.find(name != nullptr ? name : "");
  return found == nodes_by_name_.end() ? nullptr : found->second;
}

PDTnode* PVFRestoreFM::GetNodeById(const char* id) const {
  auto found = nodes_by_id_.find(id != nullptr ? id : "");
  return found == nodes_by_id_.end() ? nullptr : found->second;
}

XBOOL PVFRestoreFM::ResetNodeId(PDTnode* node, int number) {
  if (node == nullptr) {
    return TRUE;
  }
  node->SetId(std::to_string(number).c_str());
  return FALSE;
}

int PVFRestoreFM::FindPosInSortedList(const std::vector<NodeNumberInList>& list, int number) {
  if (list.empty() || list.front().number > number) {
    return 0;
  }
  if (list.back().number <= number) {
    return static_cast<int>(list.size());
  }
  auto after = std::upper_bound(
      list.begin(), list.end(), number,
      [](int wanted, const NodeNumberInList& entry) { return wanted < entry.number; });
  return static_cast<int>(after - list.begin());
}

XBOOL PVFRestoreFM::SortLists() {
  if (numbered_.empty() || all_nodes == nullptr) {
    return FALSE;
  }
  std::vector<NodeNumberInList> sorted;
  sorted.reserve(numbered_.size());
  std::unordered_set<PDTnode*> numbered;
  for (const NodeNumberInList& entry : numbered_) {
    if (numbered.insert(entry.node).second && all_nodes->contains(entry.node)) {
      sorted.insert(sorted.begin() + FindPosInSortedList(sorted, entry.number), entry);
    }
  }
  // The numbered nodes leave the node list and come back at its end in their order; the nodes
  // behind the first of them keep theirs.
  int from = all_nodes->size();
  for (const NodeNumberInList& entry : sorted) {
    from = std::min(from, all_nodes->lookup(entry.node));
  }
  std::vector<PDTnode*> tail;
  for (int i = from; i < all_nodes->size(); ++i) {
    if (numbered.count((*all_nodes)[i]) == 0) {
      tail.push_back((*all_nodes)[i]);
    }
  }
  all_nodes->erase(from);
  for (PDTnode* node : tail) {
    all_nodes->add(node);
  }
  std::vector<PDTnode*> restored;
  for (PDTnode* node : restored_nodes_) {
    if (numbered.count(node) == 0) {
      restored.push_back(node);
    }
  }
  for (const NodeNumberInList& entry : sorted) {
    all_nodes->add(entry.node);
    restored.push_back(entry.node);
  }
  restored_nodes_ = std::move(restored);
  return FALSE;
}

XBOOL PVFRestoreFM::Finish() {
  if (all_nodes == nullptr) {
    return TRUE;
  }
  LinkCombinations(restored_nodes_);
  SortLists();
  const int n = static_cast<int>(restored_nodes_.size());
  if (n == 0) {
    return FALSE;
  }
  if (IsMergeMode()) {
    total_count = instance_counter_;
    const int first = PDTnode::get_id_count() + 1 - n;
    // Names taken by a restored object stay renamed; an identifier that names nothing restored
    // pointed outside the package and is given back its old text.
    VALUE_LIST<PVMStrg> rename_from, rename_to, revert_from, revert_to;
    std::unordered_set<std::string> fresh_texts;
    for (const auto& [old_text, fresh] : identifiers_.map) {
      fresh_texts.insert(fresh);
    }
    for (const std::string& old_text : renamed_) {
      const std::string* fresh = identifiers_.Find(old_text);
      if (fresh == nullptr || *fresh == old_text || fresh_texts.count(old_text) != 0) {
        continue;
      }
      PVMStrg fresh_name(fresh->c_str());
      std::string outer = fresh->substr(0, fresh->find('.'));
      bool restored = NodeOfName(fresh_name) != nullptr || search(outer.c_str()) != nullptr;
      (restored ? rename_from : revert_from).add(PVMStrg(old_text.c_str()));
      (restored ? rename_to : revert_to).add(fresh_name);
    }
    for (int i = 0; i < n; ++i) {
      PDTnode* node = restored_nodes_[i];
      ResetNodeId(node, first + i);
      if (rumpf* root = node->GetRootDataElement()) {
        if (revert_from.count() > 0) {
          root->ValSrcAustausch(&revert_to, &revert_from);
        }
        if (rename_from.count() > 0) {
          root->ValSrcAustausch(&rename_from, &rename_to);
        }
      }
      PVFRestore::RepairRelPosError(node, 0);
    }
    return FALSE;
  }
  long largest = 0;
  long largest_id = 0;
  for (PDTnode* node : restored_nodes_) {
    largest = std::max(largest, NumberAfterAt(node->get_name()));
    if (std::strncmp(node->get_id(), "PDTnode_@", 9) == 0) {
      largest_id = std::max(largest_id, NumberAfterAt(node->get_id()));
    }
  }
  // Instances without node may carry larger numbers (the data-structure file's counter knows
  // them): the counter never goes back, or the next instance would take a name in use.
  total_count = std::max(total_count, static_cast<int>(largest) + 1);
  if (PDTnode::get_id_count() < largest_id) {
    PDTnode::set_id_count(static_cast<int>(largest_id));
  }
  GENERIC_LIST<PVFconnect2dBa> contours;
  PVFconnect2dBa::GetCon2dList(&contours);
  for (int i = 0; i < contours.count(); ++i) {
    PVFconnect2dBa::SetIdentCountByChar(contours[i]->get_IdentC());
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Attribute clean-up lists

void PVFRestoreFM::CreateListNoRefAcisAtts() {
  DelListNoRefAcisAtts(FALSE);
  no_ref_atts_ = std::make_unique<std::vector<ATTRIB*>>();
  double_ref_geoms_ = std::make_unique<std::vector<object_geom*>>();
}

void PVFRestoreFM::AddAttToListNoRefAcisAtts(ATTRIB* attribute) {
  if (no_ref_atts_ != nullptr && attribute != nullptr) {
    no_ref_atts_->push_back(attribute);
  }
}

void PVFRestoreFM::AddAttToListDoubleRefGeoms(object_geom* object, ENTITY* entity) {
  if (double_ref_geoms_ == nullptr || object == nullptr) {
    return;
  }
  ENTITY* first = object->GetGeometry();
  if (first != nullptr && first != entity && get_owner(first) != get_owner(entity)) {
    double_ref_geoms_->push_back(object);
  }
}

void PVFRestoreFM::DelListNoRefAcisAtts(XBOOL remove) {
  if (remove && no_ref_atts_ != nullptr) {
    for (ATTRIB* attribute : *no_ref_atts_) {
      if (ENTITY* owner = attribute->entity()) {
        owner->lose_attrib(attribute);
      }
    }
  }
  if (remove && double_ref_geoms_ != nullptr) {
    for (object_geom* object : *double_ref_geoms_) {
      GENERIC_LIST<ENTITY> entities;
      object->GetAllUnsortedGeometry(&entities);
      for (int i = 0; i < entities.count(); ++i) {
        ENTITY* body = get_owner(entities[i]);
        if (gmod_anfang == nullptr || gmod_anfang->lookup(body) < 0) {
          remove_attds_from_entity(entities[i], object);
        }
      }
    }
  }
  no_ref_atts_.reset();
  double_ref_geoms_.reset();
}

// ---------------------------------------------------------------------------------------------
// The dependency-tree file

int PVMStoreTreeFile(std::FILE* file) {
  if (file == nullptr) {
    return 1;
  }
  PVFSStream out;
  PVFRestore::StructStgFeatureTree(out, nullptr);
  return std::fwrite(out.GetpStr(), 1, out.Length(), file) == out.Length() ? 0 : 1;
}

int PVMRestoreTreeFile(std::FILE* file) {
  if (file == nullptr || all_nodes == nullptr) {
    return 1;
  }
  std::string text;
  std::vector<char> chunk(1 << 16);
  for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;) {
    text.append(chunk.data(), got);
  }
  if (std::ferror(file) != 0) {
    PVFSetRecordError("PVFRestore", "the dependency-tree file cannot be read");
    return 1;
  }
  PVFSStream in(text.c_str());
  std::unique_ptr<PVFRestoreFM> own;
  PVFRestoreFM* context = PVFRestore::GetInstance();
  if (context == nullptr) {
    own = std::make_unique<PVFRestoreFM>();
    context = own.get();
    PVFRestore::SetInstance(context);
  }
  while (PVFRestore::ReadNode(in, 0) == TRUE) {
  }
  bool damaged = PVFRecordError() != nullptr || !LinkCombinations(context->RestoredNodes());
  if (own != nullptr) {
    if (!damaged) {
      own->Finish();
    }
    PVFRestore::SetInstance(nullptr);
  }
  return damaged ? 1 : 0;
}
