// rumpf: the common fields of the data-structure file record. Each kind appends its value part.
#include <varnex/model/rumpf.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/name_set.h"
#include "model/record_text.h"

namespace {

const char* OrUnknown(const PVFRString& text) {
  return text.IsVoid() ? "unknown" : text.GetpStr();
}

// "{a;b}": the items in braces, separated by ';'.
std::string BracedList(const std::vector<PVMStrg>& items) {
  std::string out = "{";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) {
      out += ';';
    }
    out += items[i].GetpStr();
  }
  return out + "}";
}

void WriteList(FILE* file, const char* keyword, const std::vector<PVMStrg>& items) {
  if (!items.empty()) {
    std::fprintf(file, "%s %s;\n", keyword, BracedList(items).c_str());
  }
}

std::vector<PVMStrg> Items(const PVFRStringList* list) {
  std::vector<PVMStrg> items;
  for (int i = 0; list != nullptr && i < list->Count(); ++i) {
    items.emplace_back((*list)[i]);
  }
  return items;
}

std::vector<PVMStrg> Items(const varnex::model::NameSet* names) {
  return names == nullptr ? std::vector<PVMStrg>() : names->Names();
}

}  // namespace

int rumpf::StoreCommonFields(FILE* file) const {
  if (file == nullptr) {
    return -1;
  }
  std::string source(value_source_.GetpStr());
  // The file keeps the formula up to its first ';' outside a string literal: a ';' inside a
  // literal is part of the formula, and the reader skips literals the same way.
  source = source.substr(0, varnex::model::StatementEnd(source));
  std::fprintf(file, "typ_: %s;\n", OrUnknown(type_));
  std::fprintf(file, "name_: %s;\n", OrUnknown(name_));
  std::fprintf(file, "alias_typ_: %s;\n", OrUnknown(alias_type_));
  std::fprintf(file, "value_source_: %s;\n", source.c_str());
  WriteList(file, "restriction_:", Items(restrictions_.get()));
  WriteList(file, "reference_to_:", Items(references_to_.get()));
  WriteList(file, "referenced_by_:", Items(referenced_by_.get()));
  return 1;
}

int rumpf::store(FILE* file) {
  return StoreCommonFields(file);
}
