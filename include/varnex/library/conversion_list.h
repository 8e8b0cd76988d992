// CONVERSION_LIST: the two-way name table a model restore uses to rename identifiers.
#pragma once

#include <varnex/export.h>

#include <string>
#include <vector>

/// Pairs of original and translated names, both unique, each side searchable by binary search.
class VARNEX_API CONVERSION_LIST {
 public:
  explicit CONVERSION_LIST(int capacity = 100);
  virtual ~CONVERSION_LIST();

  /// Adds the pair unless an argument is null, the original is known or the translation is
  /// taken. Returns 0.
  int Include(const char* original, const char* translation);
  /// The translation of `original`, or null. The text lives as long as the list.
  const char* OriginalIntoTranslation(const char* original) const;
  /// The original of `translation`, or null.
  const char* TranslationIntoOriginal(const char* translation) const;
  int Count() const { return static_cast<int>(byOriginal_.size()); }

 private:
  struct Pair {
    std::string key;
    std::string value;
  };
  static const char* Find(const std::vector<Pair>& sorted, const char* key);
  static void InsertSorted(std::vector<Pair>& sorted, const char* key, const char* value);

  std::vector<Pair> byOriginal_;     // originals in order, with their translations
  std::vector<Pair> byTranslation_;  // translations in order, with their originals
};

/// The table of the running restore, or null.
extern VARNEX_API CONVERSION_LIST* _pPVFVsConvList;
