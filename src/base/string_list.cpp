// PVFRStringList: linked elements in the transaction space.
#include <varnex/base/string_list.h>

PVFRStringList::PVFRStringList(const PVFRStringList& other) : unique_(other.unique_) {
  other.Copy(*this);
}

PVFRStringList& PVFRStringList::operator=(const PVFRStringList& other) {
  if (this != &other) {
    Clear();
    unique_ = other.unique_;
    other.Copy(*this);
  }
  return *this;
}

PVFRStringList::~PVFRStringList() {
  Clear();
}

int PVFRStringList::Add(const char* text) {
  return Insert(text, -1);
}

int PVFRStringList::Insert(const char* text, int index) {
  if (unique_ && Lookup(text) >= 0) {
    return count_;
  }
  auto* element = new PVFRStringElement(text);
  if (index == 0 && first_ != nullptr) {
    element->next = first_;
    first_ = element;
  } else if (index > 0 && index < count_) {
    PVFRStringElement* previous = ElementAt(index - 1);
    element->next = previous->next;
    previous->next = element;
  } else {
    (last_ == nullptr ? first_ : last_->next) = element;
    last_ = element;
  }
  return ++count_;
}

int PVFRStringList::Lookup(const char* text) const {
  int index = 0;
  for (PVFRStringElement* e = first_; e != nullptr; e = e->next, ++index) {
    if (e->text == text) {
      return index;
    }
  }
  return -1;
}

XBOOL PVFRStringList::Remove(const char* text) {
  return Remove(Lookup(text));
}

XBOOL PVFRStringList::Remove(int index) {
  if (index < 0 || index >= count_) {
    return FALSE;
  }
  PVFRStringElement* previous = index == 0 ? nullptr : ElementAt(index - 1);
  Unlink(previous, previous == nullptr ? first_ : previous->next);
  return TRUE;
}

void PVFRStringList::Clear() {
  while (first_ != nullptr) {
    Unlink(nullptr, first_);
  }
}

int PVFRStringList::Copy(PVFRStringList& target) const {
  for (PVFRStringElement* e = first_; e != nullptr; e = e->next) {
    target.Add(e->text);
  }
  return target.Count();
}

const char* PVFRStringList::At(PVMStrg& out, int index) const {
  PVFRStringElement* element = ElementAt(index);
  if (element == nullptr) {
    return nullptr;
  }
  out = element->text;
  return out.GetpStr();
}

const char* PVFRStringList::operator[](int index) const {
  PVFRStringElement* element = ElementAt(index);
  return element == nullptr ? nullptr : element->text.GetpStr();
}

PVFRStringElement* PVFRStringList::ElementAt(int index) const {
  if (index < 0 || index >= count_) {
    return nullptr;
  }
  PVFRStringElement* element = first_;
  while (index-- > 0) {
    element = element->next;
  }
  return element;
}

void PVFRStringList::Unlink(PVFRStringElement* previous, PVFRStringElement* element) {
  (previous == nullptr ? first_ : previous->next) = element->next;
  if (last_ == element) {
    last_ = previous;
  }
  delete element;
  --count_;
}
