// Worlds: the element chain, inclusion and removal of objects, the name index and lookups.
#include <varnex/base/messages.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <algorithm>

#include "model/name_index.h"

namespace {

// Sub-worlds are scanned while small; beyond this many objects they get a name index too.
constexpr int kSubworldIndexThreshold = 64;

void ReportWelt(const char* operation, const PVMStrg& message) {
  ClassError("welt", operation, message, 1, 0);
}

}  // namespace

namespace varnex::model {
namespace {

// A chunk splits in two when it grows beyond this many names.
constexpr std::size_t kChunkCapacity = 512;

std::string_view NameOf(const PVFMapWeltToName& entry) {
  return entry.GetName().Std();
}

}  // namespace

std::size_t NameIndex::ChunkFor(std::string_view name) const {
  auto above = std::upper_bound(
      first_names_.begin(), first_names_.end(), name,
      [](std::string_view n, const PVMStrg& first) { return n < std::string_view(first.Std()); });
  return above == first_names_.begin() ? 0
                                       : static_cast<std::size_t>(above - first_names_.begin()) - 1;
}

bool NameIndex::Insert(const char* name, welt* element) {
  std::string_view key(name);
  if (chunks_.empty()) {
    chunks_.emplace_back();
    first_names_.emplace_back(name);
  }
  std::size_t c = ChunkFor(key);
  Chunk& chunk = chunks_[c];
  auto at =
      std::lower_bound(chunk.begin(), chunk.end(), key,
                       [](const PVFMapWeltToName& e, std::string_view n) { return NameOf(e) < n; });
  if (at != chunk.end() && NameOf(*at) == key) {
    return false;
  }
  chunk.emplace(at, name, element);
  first_names_[c] = chunk.front().GetName();
  ++size_;
  if (chunk.size() > kChunkCapacity) {
    Split(c);
  }
  return true;
}

void NameIndex::Split(std::size_t c) {
  Chunk& full = chunks_[c];
  Chunk upper(full.begin() + static_cast<std::ptrdiff_t>(full.size() / 2), full.end());
  full.resize(full.size() / 2, PVFMapWeltToName(nullptr));
  PVMStrg upper_first = upper.front().GetName();
  chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(c) + 1, std::move(upper));
  first_names_.insert(first_names_.begin() + static_cast<std::ptrdiff_t>(c) + 1, upper_first);
}

bool NameIndex::Remove(const char* name, welt* element) {
  if (chunks_.empty()) {
    return false;
  }
  std::string_view key(name);
  std::size_t c = ChunkFor(key);
  Chunk& chunk = chunks_[c];
  auto at =
      std::lower_bound(chunk.begin(), chunk.end(), key,
                       [](const PVFMapWeltToName& e, std::string_view n) { return NameOf(e) < n; });
  if (at == chunk.end() || NameOf(*at) != key ||
      (element != nullptr && at->GetWeltPtr() != element)) {
    return false;
  }
  chunk.erase(at);
  --size_;
  if (chunk.empty()) {
    chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
    first_names_.erase(first_names_.begin() + static_cast<std::ptrdiff_t>(c));
  } else {
    first_names_[c] = chunk.front().GetName();
  }
  return true;
}

welt* NameIndex::Find(const char* name) const {
  if (chunks_.empty()) {
    return nullptr;
  }
  std::string_view key(name);
  const Chunk& chunk = chunks_[ChunkFor(key)];
  auto at =
      std::lower_bound(chunk.begin(), chunk.end(), key,
                       [](const PVFMapWeltToName& e, std::string_view n) { return NameOf(e) < n; });
  return at != chunk.end() && NameOf(*at) == key ? at->GetWeltPtr() : nullptr;
}

void NameIndex::Clear() {
  chunks_.clear();
  first_names_.clear();
  size_ = 0;
}

}  // namespace varnex::model

// ---------------------------------------------------------------------------------------------
// welt

int welt::store(FILE* file) {
  if (file == nullptr) {
    return -1;
  }
  for (welt* element = this; element != nullptr; element = element->next_) {
    if (element->member_ != nullptr) {
      element->member_->store(file);
    }
  }
  return 1;
}

XBOOL welt::Store(PVFStream& stream) {
  XBOOL unhandled = FALSE;
  for (welt* element = this; element != nullptr; element = element->next_) {
    if (element->member_ != nullptr && element->member_->Store(stream) == TRUE) {
      unhandled = TRUE;
    }
  }
  return unhandled;
}

// Worlds are read record by record by the persistence layer's reader, which creates each object
// in the current world; an element has nothing of its own to read.
XBOOL welt::Restore(PVFStream&, int) {
  return TRUE;
}

welt::~welt() {
  if (previous_ != nullptr) {
    previous_->next_ = next_;
  }
  if (next_ != nullptr) {
    next_->previous_ = previous_;
  }
}

XBOOL welt::InsertAfterWorld(welt* element) {
  if (element == nullptr) {
    return FALSE;
  }
  element->next_ = next_;
  element->previous_ = this;
  if (next_ != nullptr) {
    next_->previous_ = element;
  }
  next_ = element;
  return TRUE;
}

welt* welt::RemoveLastWorld() {
  if (next_ == nullptr) {
    return nullptr;
  }
  welt* last = next_;
  while (last->next_ != nullptr) {
    last = last->next_;
  }
  last->previous_->next_ = nullptr;
  last->previous_ = nullptr;
  return last;
}

// ---------------------------------------------------------------------------------------------
// PVFMapWeltToName

PVFMapWeltToName::PVFMapWeltToName(welt* element)
    : name_(element != nullptr && element->get_member() != nullptr
                ? element->get_member()->get_name()
                : ""),
      element_(element) {}

XBOOL PVFMapWeltToName::operator==(const PVFMapWeltToName& other) const {
  if (name_ != other.name_) {
    return FALSE;
  }
  return ToXBool(element_ == nullptr || other.element_ == nullptr || element_ == other.element_);
}

// ---------------------------------------------------------------------------------------------
// nullwelt: construction and destruction

nullwelt::nullwelt() : index_(std::make_unique<varnex::model::NameIndex>()) {}

nullwelt::nullwelt(object_planet* owner) : owner_(owner), superworld_(anfang) {}

nullwelt::~nullwelt() {
  DeleteAllObjects();
  // The current world must never dangle: fall back to the world this one was entered from.
  if (anfang == this) {
    anfang = !stack_.empty() ? stack_.back() : superworld_;
  }
  if (previous_world == this) {
    previous_world = nullptr;
  }
}

void nullwelt::DeleteAllObjects() {
  while (last_ != nullptr) {
    welt* element = last_;
    rumpf* member = element->get_member();
    if (member != nullptr) {
      delete member;  // its destructor removes its element
    }
    if (last_ == element) {
      remove_current(element);  // a member that did not unlink itself, or none at all
    }
  }
}

// ---------------------------------------------------------------------------------------------
// nullwelt: elements

int nullwelt::include_object(rumpf* object) {
  if (object == nullptr) {
    return 0;
  }
  const char* name = object->get_name();
  if (find_welt(name) != nullptr) {
    ReportWelt("include_object", PVMStrg("object ") & name & " already existing");
    return 0;
  }
  auto* element = new welt(object);
  welt* previous = last_ != nullptr ? last_ : this;
  previous->set_next(element);
  element->set_previous(previous);
  last_ = element;
  ++count_;
  object->SetFirstWorld(this);
  if (index_ != nullptr) {
    index_->Insert(name, element);
  } else {
    MaybeCreateIndex();
  }
  return 1;
}

welt* nullwelt::remove_object(rumpf* object) {
  if (object == nullptr) {
    return nullptr;
  }
  if (last_ != nullptr && last_->get_member() == object) {
    return remove_current(last_);
  }
  welt* element = find_welt(object->get_name());
  if (element == nullptr || element->get_member() != object) {
    element = nullptr;
    for (welt* e = get_first(); e != nullptr; e = e->get_next()) {
      if (e->get_member() == object) {
        element = e;
        break;
      }
    }
  }
  return element == nullptr ? nullptr : remove_current(element);
}

welt* nullwelt::remove_current(welt* element) {
  if (element == nullptr || element == this) {
    return nullptr;
  }
  welt* next = element->get_next();
  if (index_ != nullptr && element->get_member() != nullptr) {
    index_->Remove(element->get_member()->get_name(), element);
  }
  Unlink(element);
  return next;
}

void nullwelt::Unlink(welt* element) {
  if (element == last_) {
    welt* previous = element->get_previous();
    last_ = previous == this ? nullptr : previous;
  }
  delete element;  // joins its neighbours
  if (count_ > 0) {
    --count_;
  }
}

// ---------------------------------------------------------------------------------------------
// nullwelt: lookups

welt* nullwelt::find_welt(const char* name) const {
  if (name == nullptr) {
    return nullptr;
  }
  if (last_ != nullptr && last_->get_member() != nullptr && last_->get_member()->hasName(name)) {
    return last_;
  }
  if (index_ != nullptr && !index_->Empty()) {
    return index_->Find(name);
  }
  return ScanFor(name);
}

welt* nullwelt::ScanFor(const char* name) const {
  for (welt* e = get_first(); e != nullptr; e = e->get_next()) {
    if (e->get_member() != nullptr && e->get_member()->hasName(name)) {
      return e;
    }
  }
  return nullptr;
}

rumpf* nullwelt::find(const char* name) const {
  welt* element = find_welt(name);
  return element == nullptr ? nullptr : element->get_member();
}

const char* nullwelt::find_all(const char* name, const char* alias_type, PVMStrg& out) const {
  for (welt* e = get_first(); e != nullptr; e = e->get_next()) {
    rumpf* member = e->get_member();
    if (member == nullptr) {
      continue;
    }
    if ((name == nullptr || member->hasName(name)) &&
        (alias_type == nullptr || member->isAliasTypeOf(alias_type))) {
      PVMStrg full;
      if (member->get_full_name(full) != nullptr) {
        out &= full;
        out &= ";";
      }
    }
    if (member->isTypeOf("Planet") && member->get_subworld() != nullptr) {
      member->get_subworld()->find_all(name, alias_type, out);
    }
  }
  return out;
}

const char* nullwelt::find_all(const char* name, const char* alias_type) const {
  static PVMStrg result;
  result = "";
  return find_all(name, alias_type, result);
}

// ---------------------------------------------------------------------------------------------
// nullwelt: stack, superworlds, moving and the index

nullwelt* nullwelt::push(nullwelt* previous) {
  stack_.push_back(previous);
  return this;
}

nullwelt* nullwelt::pop() {
  if (stack_.empty()) {
    return nullptr;
  }
  nullwelt* top = stack_.back();
  stack_.pop_back();
  return top;
}

nullwelt* nullwelt::get_previous() const {
  return stack_.empty() ? nullptr : stack_.back();
}

nullwelt* nullwelt::get_inertial_world() {
  nullwelt* world = this;
  while (world->superworld_ != nullptr) {
    world = world->superworld_;
  }
  return world;
}

XBOOL nullwelt::ChgWelt(nullwelt* other) {
  if (other == nullptr || other == this || other->get_first() == nullptr) {
    return TRUE;
  }
  for (welt* e = other->get_first(); e != nullptr; e = e->get_next()) {
    if (e->get_member() != nullptr) {
      e->get_member()->SetFirstWorld(this);
    }
  }
  welt* previous = last_ != nullptr ? last_ : this;
  previous->set_next(other->get_first());
  other->get_first()->set_previous(previous);
  last_ = other->last_;
  count_ += other->count_;
  other->set_next(nullptr);
  other->last_ = nullptr;
  other->count_ = 0;
  other->ClearSortedList();
  if (index_ != nullptr) {
    CalibrateSortedWithNullWelt();
  } else {
    MaybeCreateIndex();
  }
  return FALSE;
}

int nullwelt::ChgSuperworld(nullwelt* from, nullwelt* to) {
  if (from == nullptr || to == nullptr || superworld_ != from) {
    return 1;
  }
  superworld_ = to;
  return 0;
}

void nullwelt::ClearSortedList() {
  index_.reset();
}

void nullwelt::CalibrateSortedWithNullWelt() {
  if (index_ == nullptr) {
    index_ = std::make_unique<varnex::model::NameIndex>();
  }
  index_->Clear();
  for (welt* e = get_first(); e != nullptr; e = e->get_next()) {
    if (e->get_member() != nullptr) {
      index_->Insert(e->get_member()->get_name(), e);
    }
  }
}

void nullwelt::MaybeCreateIndex() {
  if (index_ == nullptr && count_ > kSubworldIndexThreshold) {
    CalibrateSortedWithNullWelt();
  }
}

void nullwelt::RenameMember(rumpf* object, const char* old_name) {
  if (index_ == nullptr || object == nullptr) {
    return;
  }
  welt* element = index_->Find(old_name);
  if (element == nullptr || element->get_member() != object) {
    return;
  }
  index_->Remove(old_name, element);
  index_->Insert(object->get_name(), element);
}

int nullwelt::store(FILE* file) {
  if (file == nullptr) {
    return -1;
  }
  return get_first() == nullptr ? 1 : get_first()->store(file);
}
