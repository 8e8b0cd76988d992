#include <varnex/library/part_tree.h>

#include <algorithm>

PVMFMSTree::PVMFMSTree(PVMFMSTree* parent, const char* name, const char* info, const char* comment,
                       const char* preceding_comment, int position)
    : PVMFMSTree(parent, PVMStrg(name), PVMStrg(info), PVMStrg(comment), PVMStrg(preceding_comment),
                 position) {}

PVMFMSTree::PVMFMSTree(PVMFMSTree* parent, const PVMStrg& name, const PVMStrg& info,
                       const PVMStrg& comment, const PVMStrg& preceding_comment, int position)
    : name_(name), info_(info), comment_(comment), preceding_comment_(preceding_comment) {
  if (parent != nullptr) {
    parent->Adopt(std::unique_ptr<PVMFMSTree>(this), position);
  }
}

PVMFMSTree::PVMFMSTree(const PVMFMSTree& other)
    : name_(other.name_),
      info_(other.info_),
      comment_(other.comment_),
      preceding_comment_(other.preceding_comment_) {
  for (const auto& child : other.children_) {
    Adopt(std::make_unique<PVMFMSTree>(*child), -1);
  }
}

PVMFMSTree::~PVMFMSTree() {
  if (parent_ != nullptr) {
    // Deleted by the host while still hung in a tree: leave the parent's list first.
    Detach().release();
  }
  // Tear the subtree down without recursion, so a deep tree cannot exhaust the stack.
  std::vector<std::unique_ptr<PVMFMSTree>> doomed = std::move(children_);
  while (!doomed.empty()) {
    std::unique_ptr<PVMFMSTree> node = std::move(doomed.back());
    doomed.pop_back();
    node->parent_ = nullptr;
    for (auto& child : node->children_) {
      doomed.push_back(std::move(child));
    }
    node->children_.clear();
  }
}

const char* PVMFMSTree::GetName(PVMStrg& out) const {
  out = name_;
  return out;
}

const char* PVMFMSTree::GetInfo(PVMStrg& out) const {
  out = info_;
  return out;
}

const char* PVMFMSTree::GetComment(PVMStrg& out) const {
  out = comment_;
  return out;
}

const char* PVMFMSTree::GetPrecedingComment(PVMStrg& out) const {
  out = preceding_comment_;
  return out;
}

PVMFMSTree* PVMFMSTree::GetRoot() {
  PVMFMSTree* node = this;
  while (node->parent_ != nullptr) {
    node = node->parent_;
  }
  return node;
}

int PVMFMSTree::GetChildren(GENERIC_LIST<PVMFMSTree>* children) const {
  if (children != nullptr) {
    children->Clear();
    for (const auto& child : children_) {
      children->add(child.get());
    }
  }
  return static_cast<int>(children_.size());
}

void PVMFMSTree::Adopt(std::unique_ptr<PVMFMSTree> child, int position) {
  child->parent_ = this;
  if (position < 0 || position > static_cast<int>(children_.size())) {
    children_.push_back(std::move(child));
  } else {
    children_.insert(children_.begin() + position, std::move(child));
  }
}

int PVMFMSTree::IndexInParent() const {
  if (parent_ == nullptr) {
    return -1;
  }
  const auto& siblings = parent_->children_;
  auto found = std::find_if(siblings.begin(), siblings.end(),
                            [this](const auto& sibling) { return sibling.get() == this; });
  return static_cast<int>(found - siblings.begin());
}

std::unique_ptr<PVMFMSTree> PVMFMSTree::Detach() {
  auto& siblings = parent_->children_;
  auto position = siblings.begin() + IndexInParent();
  std::unique_ptr<PVMFMSTree> self = std::move(*position);
  siblings.erase(position);
  parent_ = nullptr;
  return self;
}

XBOOL PVMFMSTree::IsInSubtreeOf(const PVMFMSTree* node) const {
  for (const PVMFMSTree* walk = this; walk != nullptr; walk = walk->parent_) {
    if (walk == node) {
      return TRUE;
    }
  }
  return FALSE;
}

PVMFMSTree* PVMFMSTree::Insert(PVMFMSTree* node, int position) {
  if (node == nullptr) {
    return nullptr;
  }
  PVMFMSTree* root = node->GetRoot();
  if (root == GetRoot()) {
    return nullptr;
  }
  Adopt(std::unique_ptr<PVMFMSTree>(root), position);
  return root;
}

PVMFMSTree* PVMFMSTree::SearchPartByInfoOrName(const PVMStrg& text, XBOOL by_name) {
  if ((by_name ? name_ : info_) == text) {
    return this;
  }
  for (const auto& child : children_) {
    if (PVMFMSTree* found = child->SearchPartByInfoOrName(text, by_name)) {
      return found;
    }
  }
  return nullptr;
}

PVMFMSTree* PVMFMSTree::SeparatePart(const PVMStrg& name) {
  if (name.IsVoid()) {
    return nullptr;
  }
  for (const auto& child : children_) {
    if (child->name_ == name) {
      return child->Detach().release();
    }
  }
  return nullptr;
}

XBOOL PVMFMSTree::DeletePart(const PVMStrg& name) {
  for (const auto& child : children_) {
    if (PVMFMSTree* found = child->SearchPartByInfoOrName(name, TRUE)) {
      found->Detach();  // the returned owner destroys the part and its subtree
      return TRUE;
    }
  }
  return FALSE;
}

void PVMFMSTree::MoveUp() {
  int index = IndexInParent();
  if (index > 0) {
    std::swap(parent_->children_[index - 1], parent_->children_[index]);
  }
}

void PVMFMSTree::MoveDown() {
  int index = IndexInParent();
  if (index >= 0 && index + 1 < static_cast<int>(parent_->children_.size())) {
    std::swap(parent_->children_[index], parent_->children_[index + 1]);
  }
}

XBOOL PVMFMSTree::CanPlaceAfter(const PVMFMSTree* target) {
  // A part gets a sibling, so it needs a parent; a group takes a first child.
  return ToXBool(target != nullptr && (target->info_.IsVoid() || target->parent_ != nullptr));
}

void PVMFMSTree::PlaceAfter(std::unique_ptr<PVMFMSTree> node, PVMFMSTree* target) {
  if (target->info_.IsNotVoid()) {
    target->parent_->Adopt(std::move(node), target->IndexInParent() + 1);
  } else {
    target->Adopt(std::move(node), 0);
  }
}

PVMFMSTree* PVMFMSTree::MoveAfter(PVMFMSTree* target) {
  if (!CanPlaceAfter(target) || target->IsInSubtreeOf(this)) {
    return nullptr;
  }
  std::unique_ptr<PVMFMSTree> self =
      parent_ != nullptr ? Detach() : std::unique_ptr<PVMFMSTree>(this);
  PlaceAfter(std::move(self), target);
  return this;
}

PVMFMSTree* PVMFMSTree::CopyAfter(PVMFMSTree* target) {
  if (!CanPlaceAfter(target)) {
    return nullptr;
  }
  auto copy = std::make_unique<PVMFMSTree>(*this);
  PVMFMSTree* placed = copy.get();
  PlaceAfter(std::move(copy), target);
  return placed;
}

PVMFMSTree* PVMFMSTree::Merge(PVMFMSTree* other) {
  if (other == nullptr || IsInSubtreeOf(other)) {
    return nullptr;
  }
  std::vector<std::unique_ptr<PVMFMSTree>> moved = std::move(other->children_);
  other->children_.clear();
  for (auto& child : moved) {
    Adopt(std::move(child), -1);
  }
  return this;
}

XBOOL PVMFMSTree::IsEqual(const PVMFMSTree* other) const {
  if (other == nullptr || name_ != other->name_ || info_ != other->info_ ||
      comment_ != other->comment_ || preceding_comment_ != other->preceding_comment_ ||
      children_.size() != other->children_.size()) {
    return FALSE;
  }
  // Each child needs its own counterpart: with siblings of one name, the first one found by
  // name alone could stand for all of them, and a tree would differ from its own copy.
  std::vector<bool> matched(other->children_.size(), false);
  for (const auto& child : children_) {
    bool found = false;
    for (std::size_t i = 0; i < other->children_.size() && !found; ++i) {
      const PVMFMSTree* candidate = other->children_[i].get();
      if (!matched[i] && candidate->name_ == child->name_ && child->IsEqual(candidate)) {
        matched[i] = found = true;
      }
    }
    if (!found) {
      return FALSE;
    }
  }
  return TRUE;
}
