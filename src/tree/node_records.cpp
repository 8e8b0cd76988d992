// The node records of the dependency-tree file: one "Key_: value" pair a line, base part first,
// then the part of the node's kind. A reader sees the record after its "Type_:" word.
#include <varnex/geometry/spa.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/op_geometry.h>
#include <varnex/model/rumpf.h>
#include <varnex/persistence/stream.h>
#include <varnex/tree/comb.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>

#include "tree/tree_internal.h"

namespace {

constexpr int kRevision = 100;

const char* OrNull(const char* text) {
  return text != nullptr && *text != '\0' ? text : "NULL";
}

void WritePair(PVFStream& stream, const char* key, const char* value) {
  stream << key << " " << OrNull(value) << "\n";
}

// Reads the word `key` and the word after it into `value` ("NULL" gives an empty value).
bool ReadPair(PVFStream& stream, const char* key, PVMStrg& value) {
  PVMStrg word;
  stream >> word;
  if (word != key) {
    return false;
  }
  stream >> value;
  if (value == "NULL") {
    value = "";
  }
  return true;
}

// As ReadPair for a name: a model merged into another renames its generated names, and the
// node must follow the objects it stands for.
bool ReadName(PVFStream& stream, const char* key, PVMStrg& value) {
  if (!ReadPair(stream, key, value)) {
    return false;
  }
  if (value.IsNotVoid() && pPVFConvertRestoreName != nullptr) {
    pPVFConvertRestoreName(value);
  }
  return true;
}

bool ReadInt(PVFStream& stream, const char* key, int& value) {
  PVMStrg word;
  stream >> word;
  if (word != key) {
    return false;
  }
  stream >> value;
  return true;
}

PDTnode* NodeNamed(const PVMStrg& name) {
  return name.IsNotVoid() && all_nodes != nullptr ? all_nodes->findByName(name) : nullptr;
}

}  // namespace

// ---- base part ----

XBOOL PDTnode::StoreBase(PVFStream& stream) {
  rumpf* root = GetRootDataElement();
  WritePair(stream, "Type_:", type_);
  stream << "Revision_: " << revision_ << "\n";
  WritePair(stream, "Element_:", root != nullptr ? root->get_name() : nullptr);
  WritePair(stream, "NodeId_:", id_);
  WritePair(stream, "Name_:", name_);
  WritePair(stream, "Parent_:", parent_ != nullptr ? parent_->get_name() : nullptr);
  stream << "SilentSwitch_: " << silent_ << "\n";
  stream << "SilentTrans_: {\n\t\t";
  if (silent_trans_ != nullptr) {
    op_trans matrix(silent_trans_.get());
    PVMStrg text;
    matrix.GetValue(text);
    stream << text;
  } else {
    stream << "NULL";
  }
  stream << "\n}\n";
  return FALSE;
}

XBOOL PDTnode::RestoreBase(PVFStream& stream) {
  PVMStrg element, id, name, word;
  if (!ReadInt(stream, "Revision_:", revision_) || !ReadName(stream, "Element_:", element) ||
      !ReadPair(stream, "NodeId_:", id) || !ReadName(stream, "Name_:", name) ||
      !ReadName(stream, "Parent_:", restored_parent_)) {
    return TRUE;
  }
  stream >> word;
  if (word != "SilentSwitch_:") {
    return TRUE;
  }
  stream >> word;
  silent_ = ToXBool(word == "TRUE");
  stream >> word;
  if (word != "SilentTrans_:") {
    return TRUE;
  }
  stream >> word;  // "{"
  PVMStrg matrix;
  for (stream >> word; word != "}"; stream >> word) {
    if (word.IsVoid()) {
      return TRUE;  // end of input inside the block
    }
    matrix &= matrix.IsVoid() ? "" : " ";
    matrix &= word;
  }
  silent_trans_.reset();
  if (matrix != "NULL") {
    op_trans reader;
    reader.setsval(matrix);
    if (SPAtransf* t = reader.get_transf(); t != nullptr) {
      silent_trans_ = std::make_unique<SPAtransf>(*t);
    }
  }
  if (id.IsNotVoid()) {
    id_ = id;
  }
  set_name(name);
  return FALSE;
}

XBOOL PDTnode::Store(PVFStream& stream) {
  return StoreBase(stream);
}

XBOOL PDTnode::Restore(PVFStream& stream, int) {
  return RestoreBase(stream);
}

// ---- features and transformations ----

XBOOL PDTfeat::Store(PVFStream& stream) {
  StoreBase(stream);
  stream << "Revision_: " << feat_revision_ << "\n";
  WritePair(stream, "Element:_", feature_ != nullptr ? feature_->get_name() : nullptr);
  return FALSE;
}

XBOOL PDTfeat::Restore(PVFStream& stream, int) {
  PVMStrg element;
  if (RestoreBase(stream) || !ReadInt(stream, "Revision_:", feat_revision_) ||
      !ReadName(stream, "Element:_", element)) {
    return TRUE;
  }
  feature_ = element.IsNotVoid() ? varnex::tree::FindOutermost(element) : nullptr;
  return FALSE;
}

XBOOL PDTtrans::Store(PVFStream& stream) {
  StoreBase(stream);
  stream << "Revision_: " << trans_revision_ << "\n";
  if (replacement_ != nullptr) {
    WritePair(stream, "Element:_", replacement_->get_name());
  } else {
    stream << "Element:_ NULL \n{\n";
  }
  return FALSE;
}

XBOOL PDTtrans::Restore(PVFStream& stream, int) {
  PVMStrg element;
  if (RestoreBase(stream) || !ReadInt(stream, "Revision_:", trans_revision_) ||
      !ReadName(stream, "Element:_", element)) {
    return TRUE;
  }
  if (element.IsVoid() && stream.Skip().Peek() == '{') {
    char brace;
    stream >> brace;
  }
  replacement_ = element.IsNotVoid() ? varnex::tree::FindOutermost(element) : nullptr;
  return FALSE;
}

// ---- combinations ----

XBOOL PDTcomb::Store(PVFStream& stream) {
  StoreBase(stream);
  stream << "Revision_: " << comb_revision_ << "\n";
  WritePair(stream, "Operator1_:", op1_ != nullptr ? op1_->get_name() : nullptr);
  WritePair(stream, "Operator2_:", op2_ != nullptr ? op2_->get_name() : nullptr);
  stream << "CombConstraint_: " << comb_constraint_ << "\n";
  stream << "CombType_: " << comb_type_ << "\n";
  WritePair(stream, "Geometry_:", geometry_ != nullptr ? geometry_->get_name() : nullptr);
  return FALSE;
}

// The operands are read before their combination (the file is in tree order): they are
// linked here by name.
XBOOL PDTcomb::Restore(PVFStream& stream, int) {
  PVMStrg geometry, word;
  if (RestoreBase(stream) || !ReadInt(stream, "Revision_:", comb_revision_) ||
      !ReadName(stream, "Operator1_:", restored_op1_) ||
      !ReadName(stream, "Operator2_:", restored_op2_)) {
    return TRUE;
  }
  stream >> word;
  if (word == "Derived_:") {
    stream >> word;  // read and ignored
    stream >> word;
  }
  if (word != "CombConstraint_:") {
    return TRUE;
  }
  stream >> comb_constraint_;
  if (!ReadInt(stream, "CombType_:", comb_type_) || !ReadName(stream, "Geometry_:", geometry)) {
    return TRUE;
  }
  LinkRestoredOperands();
  geometry_ = geometry.IsNotVoid() ? varnex::tree::FindOutermost(geometry) : nullptr;
  return FALSE;
}

// An operand whose record comes later is linked when it has been read (the reader calls this
// again once every record is in). A node that already has another parent is not taken.
XBOOL PDTcomb::LinkRestoredOperands() {
  bool complete = true;
  auto link = [&](PDTnode*& slot, const PVMStrg& name) {
    if (name.IsVoid() || slot != nullptr) {
      return;
    }
    PDTnode* node = NodeNamed(name);
    bool ancestor = false;  // a damaged file must not make the tree a loop
    for (PDTnode* up = this; up != nullptr && !ancestor; up = up->get_parent()) {
      ancestor = up == node;
    }
    if (node == nullptr || ancestor ||
        (node->get_parent() != nullptr && node->get_parent() != this)) {
      complete = false;
      return;
    }
    AttachOperand(slot, node);
  };
  link(op1_, restored_op1_);
  link(op2_, restored_op2_);
  return ToXBool(complete);
}
