// CONVERSION_LIST: two sorted vectors, one per direction.
#include <varnex/library/conversion_list.h>

#include <algorithm>

// The table of the running restore, owned by whoever runs it and set for its span; null
// otherwise.
CONVERSION_LIST* _pPVFVsConvList = nullptr;

namespace {
bool KeyLess(const auto& pair, const char* key) {
  return pair.key < key;
}
}  // namespace

CONVERSION_LIST::CONVERSION_LIST(int capacity) {
  byOriginal_.reserve(capacity > 0 ? capacity : 0);
  byTranslation_.reserve(capacity > 0 ? capacity : 0);
}

CONVERSION_LIST::~CONVERSION_LIST() = default;

const char* CONVERSION_LIST::Find(const std::vector<Pair>& sorted, const char* key) {
  if (key == nullptr) {
    return nullptr;
  }
  auto at = std::lower_bound(sorted.begin(), sorted.end(), key, KeyLess<Pair>);
  return at != sorted.end() && at->key == key ? at->value.c_str() : nullptr;
}

void CONVERSION_LIST::InsertSorted(std::vector<Pair>& sorted, const char* key, const char* value) {
  auto at = std::lower_bound(sorted.begin(), sorted.end(), key, KeyLess<Pair>);
  sorted.insert(at, Pair{key, value});
}

int CONVERSION_LIST::Include(const char* original, const char* translation) {
  if (original == nullptr || translation == nullptr || Find(byOriginal_, original) != nullptr ||
      Find(byTranslation_, translation) != nullptr) {
    return 0;
  }
  InsertSorted(byOriginal_, original, translation);
  InsertSorted(byTranslation_, translation, original);
  return 0;
}

const char* CONVERSION_LIST::OriginalIntoTranslation(const char* original) const {
  return Find(byOriginal_, original);
}

const char* CONVERSION_LIST::TranslationIntoOriginal(const char* translation) const {
  return Find(byTranslation_, translation);
}
