// PDTnodes: the node sequence with its two constant-time indices, and the global containers.
#include <varnex/base/pointer_index.h>
#include <varnex/tree/node.h>
#include <varnex/tree/nodes.h>

#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

PDTnodes* all_nodes = nullptr;
rvoid_list* free_nodes = nullptr;
rvoid_list* selected_nodes = nullptr;
int (*delete_pdt)(void) = nullptr;
int (*store_pdt)(FILE*) = nullptr;
int (*restore_pdt)(FILE*) = nullptr;

// Positions by node and nodes by name. Positions after a change in the middle are renumbered
// at once, so that every lookup stays a single hash probe.
namespace {

// Nodes by name: linear probing over a power-of-two table of (hash, node, short name) kept at
// most half full. A name of up to 15 bytes is kept in its slot, so a lookup reads one slot and
// touches the node only for longer names: lookups cost the same however large the tree grows.
// Deletion shifts the following cluster back, so no tombstones accumulate.
class NameTable {
 public:
  PDTnode* Find(std::string_view name) const {
    if (size_ == 0) {
      return nullptr;
    }
    std::size_t hash = Hash(name);
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].node != nullptr; i = (i + 1) & mask) {
      if (slots_[i].hash == hash && slots_[i].Holds(name)) {
        return slots_[i].node;
      }
    }
    return nullptr;
  }
  /// Enters `node` under its current name (replacing an entry of that name).
  void Set(PDTnode* node) {
    if ((size_ + 1) * 2 > slots_.size()) {
      Rehash(slots_.empty() ? 16 : 2 * slots_.size());
    }
    std::string_view name = node->get_name();
    std::size_t hash = Hash(name);
    std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    for (; slots_[i].node != nullptr; i = (i + 1) & mask) {
      if (slots_[i].hash == hash && slots_[i].Holds(name)) {
        slots_[i] = Slot(hash, node, name);
        return;
      }
    }
    slots_[i] = Slot(hash, node, name);
    ++size_;
  }
  /// Removes the entry of `node` under `name` (its name when it was entered).
  void Erase(const PDTnode* node, std::string_view name) {
    if (size_ == 0) {
      return;
    }
    std::size_t mask = slots_.size() - 1;
    std::size_t hole = Hash(name) & mask;
    for (; slots_[hole].node != node; hole = (hole + 1) & mask) {
      if (slots_[hole].node == nullptr) {
        return;
      }
    }
    for (std::size_t next = (hole + 1) & mask; slots_[next].node != nullptr;
         next = (next + 1) & mask) {
      std::size_t home = slots_[next].hash & mask;
      if (((next - home) & mask) >= ((next - hole) & mask)) {
        slots_[hole] = slots_[next];
        hole = next;
      }
    }
    slots_[hole] = Slot{};
    --size_;
  }
  void Clear() {
    slots_.clear();
    size_ = 0;
  }

 private:
  struct Slot {
    static constexpr std::size_t kShort = 15;
    Slot() = default;
    Slot(std::size_t h, PDTnode* n, std::string_view name) : hash(h), node(n) {
      if (name.size() <= kShort) {
        std::memcpy(text, name.data(), name.size());
      } else {
        text[kShort] = 1;  // a long name: compare with the node's own
      }
    }
    bool Holds(std::string_view name) const {
      if (text[kShort] != 0) {
        return name == node->get_name();
      }
      return name.size() <= kShort && std::memcmp(text, name.data(), name.size()) == 0 &&
             text[name.size()] == '\0';
    }
    std::size_t hash = 0;
    PDTnode* node = nullptr;  // null: empty
    char text[kShort + 1] = {};
  };
  static std::size_t Hash(std::string_view name) { return std::hash<std::string_view>{}(name); }
  void Rehash(std::size_t count) {
    std::vector<Slot> old(count);
    old.swap(slots_);
    size_ = 0;
    for (const Slot& slot : old) {
      if (slot.node != nullptr) {
        std::size_t mask = slots_.size() - 1;
        std::size_t i = slot.hash & mask;
        while (slots_[i].node != nullptr) {
          i = (i + 1) & mask;
        }
        slots_[i] = slot;
        ++size_;
      }
    }
  }
  std::vector<Slot> slots_;
  std::size_t size_ = 0;
};

bool HasName(const char* name) {
  return name != nullptr && *name != '\0';
}

}  // namespace

// Positions by node (the foundation's flat pointer index) and nodes by name. Positions after
// a change in the middle are renumbered at once, so that every lookup stays a single probe.
class PDTnodes::Index {
 public:
  PointerIndex position;
  NameTable by_name;

  PDTnode* Named(std::string_view name) const { return by_name.Find(name); }
  // Empty names are not indexed: nodes being restored have none yet.
  bool NameTakenByOther(const PDTnode* node, const char* name) const {
    if (!HasName(name)) {
      return false;
    }
    PDTnode* owner = Named(name);
    return owner != nullptr && owner != node;
  }
  void IndexName(PDTnode* node) {
    if (HasName(node->get_name())) {
      by_name.Set(node);
    }
  }
  void ForgetName(const PDTnode* node, const char* name) {
    if (HasName(name)) {
      by_name.Erase(node, name);
    }
  }
};

PDTnodes::PDTnodes() : index_(std::make_unique<Index>()) {}
PDTnodes::~PDTnodes() = default;

void PDTnodes::Reposition(std::size_t from) {
  for (std::size_t i = from; i < nodes_.size(); ++i) {
    index_->position.set(nodes_[i], i);
  }
}

XBOOL PDTnodes::add(PDTnode* node) {
  if (node == nullptr || contains(node) || index_->NameTakenByOther(node, node->get_name())) {
    return FALSE;
  }
  nodes_.push_back(node);
  index_->position.set(node, nodes_.size() - 1);
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
  std::size_t position = index_->position.find(node);
  return position == PointerIndex::kMissing ? -1 : static_cast<int>(position);
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
  index_->by_name.Clear();
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
