// TREE_ELEMENT: an owning tree of named, typed elements.
#include <varnex/library/tree_element.h>

#include <algorithm>

TREE_ELEMENT::~TREE_ELEMENT() = default;

TREE_ELEMENT* TREE_ELEMENT::Add(const PVMStrg& name, const PVMStrg& type) {
  children_.push_back(std::make_unique<TREE_ELEMENT>(name, type));
  children_.back()->parent_ = this;
  return children_.back().get();
}

XBOOL TREE_ELEMENT::Remove(TREE_ELEMENT* child) {
  auto found = std::find_if(children_.begin(), children_.end(),
                            [child](const auto& owned) { return owned.get() == child; });
  if (found == children_.end()) {
    return FALSE;
  }
  children_.erase(found);
  return TRUE;
}

TREE_ELEMENT* TREE_ELEMENT::operator[](int index) const {
  return index >= 0 && index < Count() ? children_[index].get() : nullptr;
}

int TREE_ELEMENT::TotalCount() const {
  int total = 1;
  for (const auto& child : children_) {
    total += child->TotalCount();
  }
  return total;
}

int TREE_ELEMENT::Depth() const {
  int deepest = 0;
  for (const auto& child : children_) {
    deepest = std::max(deepest, child->Depth());
  }
  return 1 + deepest;
}

int TREE_ELEMENT::Width() const {
  if (children_.empty()) {
    return 1;
  }
  int leaves = 0;
  for (const auto& child : children_) {
    leaves += child->Width();
  }
  return leaves;
}

int TREE_ELEMENT::IndexInParent() const {
  if (parent_ == nullptr) {
    return -1;
  }
  auto& siblings = parent_->children_;
  auto found = std::find_if(siblings.begin(), siblings.end(),
                            [this](const auto& owned) { return owned.get() == this; });
  return static_cast<int>(found - siblings.begin());
}

void TREE_ELEMENT::MoveUp() {
  int index = IndexInParent();
  if (index > 0) {
    std::swap(parent_->children_[index], parent_->children_[index - 1]);
  }
}

void TREE_ELEMENT::MoveDown() {
  int index = IndexInParent();
  if (index >= 0 && index + 1 < parent_->Count()) {
    std::swap(parent_->children_[index], parent_->children_[index + 1]);
  }
}

const char* TREE_ELEMENT::GetName(PVMStrg& out) const {
  out = name_;
  return out.GetpStr();
}

const char* TREE_ELEMENT::GetType(PVMStrg& out) const {
  out = type_;
  return out.GetpStr();
}

XBOOL TREE_ELEMENT::operator==(const TREE_ELEMENT& other) const {
  if (name_ != other.name_ || type_ != other.type_ || Count() != other.Count()) {
    return FALSE;
  }
  for (int i = 0; i < Count(); ++i) {
    if (*children_[i] != *other.children_[i]) {
      return FALSE;
    }
  }
  return TRUE;
}
