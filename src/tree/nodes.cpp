// PDTnodes: the node sequence with its two constant-time indices, and the global containers.
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

PDTnodes* all_nodes = nullptr;
rvoid_list* free_nodes = nullptr;
rvoid_list* selected_nodes = nullptr;
int (*delete_pdt)(void) = nullptr;
int (*store_pdt)(FILE*) = nullptr;
int (*restore_pdt)(FILE*) = nullptr;

// Positions by node and nodes by name. Positions after a change in the middle are renumbered
// at once, so that every lookup stays a single hash probe.
namespace {
// Lets the name index be probed with a string_view, without building a string per lookup.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    return std::hash<std::string_view>{}(name);
  }
};
}  // namespace

class PDTnodes::Index {
 public:
  std::unordered_map<const PDTnode*, std::size_t> position;
  std::unordered_map<std::string, PDTnode*, NameHash, std::equal_to<>> by_name;

  PDTnode* Named(std::string_view name) const {
    auto found = by_name.find(name);
    return found == by_name.end() ? nullptr : found->second;
  }
  // Empty names are not indexed: nodes being restored have none yet.
  bool NameTakenByOther(const PDTnode* node, const char* name) const {
    if (name == nullptr || *name == '\0') {
      return false;
    }
    PDTnode* owner = Named(name);
    return owner != nullptr && owner != node;
  }
  void IndexName(PDTnode* node) {
    const char* name = node->get_name();
    if (name != nullptr && *name != '\0') {
      by_name[name] = node;
    }
  }
  void ForgetName(const PDTnode* node, const char* name) {
    if (name == nullptr) {
      return;
    }
    auto found = by_name.find(std::string_view(name));
    if (found != by_name.end() && found->second == node) {
      by_name.erase(found);
    }
  }
};

PDTnodes::PDTnodes() : index_(std::make_unique<Index>()) {}
PDTnodes::~PDTnodes() = default;

void PDTnodes::Reposition(std::size_t from) {
  for (std::size_t i = from; i < nodes_.size(); ++i) {
    index_->position[nodes_[i]] = i;
  }
}

XBOOL PDTnodes::add(PDTnode* node) {
  if (node == nullptr || contains(node) || index_->NameTakenByOther(node, node->get_name())) {
    return FALSE;
  }
  nodes_.push_back(node);
  index_->position[node] = nodes_.size() - 1;
  index_->IndexName(node);
  return TRUE;
}

XBOOL PDTnodes::insert(PDTnode* node, int position) {
  if (node == nullptr || index_->NameTakenByOther(node, node->get_name())) {
    return FALSE;
  }
  remove(node);
  if (position < 0 || position >= size()) {
    return add(node);
  }
  nodes_.insert(nodes_.begin() + position, node);
  index_->IndexName(node);
  Reposition(static_cast<std::size_t>(position));
  return TRUE;
}

XBOOL PDTnodes::remove(PDTnode* node) {
  int position = lookup(node);
  return position < 0 ? FALSE : remove(position);
}

XBOOL PDTnodes::remove(int position) {
  if (position < 0 || position >= size()) {
    return FALSE;
  }
  PDTnode* node = nodes_[position];
  index_->position.erase(node);
  index_->ForgetName(node, node->get_name());
  nodes_.erase(nodes_.begin() + position);
  Reposition(static_cast<std::size_t>(position));
  return TRUE;
}

void PDTnodes::erase(int from) {
  if (from < 0) {
    from = 0;
  }
  while (size() > from) {
    remove(size() - 1);
  }
}

int PDTnodes::lookup(const PDTnode* node) const {
  auto found = index_->position.find(node);
  return found == index_->position.end() ? -1 : static_cast<int>(found->second);
}

PDTnode* PDTnodes::findByName(const char* name) const {
  return name == nullptr || *name == '\0' ? nullptr : index_->Named(name);
}

PDTnode* PDTnodes::operator[](int position) const {
  return position < 0 || position >= size() ? nullptr : nodes_[position];
}

void PDTnodes::clear() {
  nodes_.clear();
  index_->position.clear();
  index_->by_name.clear();
}

PDTnodes* PDTnodes::copy() const {
  auto* duplicate = new PDTnodes();
  for (PDTnode* node : nodes_) {
    duplicate->add(node);
  }
  return duplicate;
}

XBOOL PDTnodes::Rename(PDTnode* node, const char* old_name) {
  if (!contains(node)) {
    return FALSE;
  }
  if (index_->NameTakenByOther(node, node->get_name())) {
    return FALSE;
  }
  index_->ForgetName(node, old_name);
  index_->IndexName(node);
  return TRUE;
}
