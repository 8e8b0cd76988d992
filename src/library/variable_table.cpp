// VARIABLE_TABLE and PVFDefParaVar: symbol substitution to a fixed point.
#include <varnex/language/lexer.h>
#include <varnex/library/para_feature.h>
#include <varnex/library/variable_table.h>

#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "base/string_printf.h"
#include "library/token_reader.h"

using varnex::library::AppendJoined;
using varnex::library::QuoteLiteral;
using varnex::library::TokenReader;

// Owned by the modeller: created by initialize_modeller, deleted by deinitialize_modeller.
PVFDefParaVar* pDefParaVar = nullptr;

VARIABLE_TABLE::~VARIABLE_TABLE() = default;

int VARIABLE_TABLE::Find(const char* symbol) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].symbol == symbol) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int VARIABLE_TABLE::add(const char* symbol, const char* text) {
  if (symbol == nullptr || *symbol == '\0' || text == nullptr) {
    return -1;
  }
  int found = Find(symbol);
  if (found >= 0) {
    return found + 1;
  }
  entries_.push_back({PVMStrg(symbol), PVMStrg(text)});
  return 0;
}

int VARIABLE_TABLE::add(const PVMStrg& symbol, const PVMStrg& text) {
  return add(symbol.GetpStr(), text.GetpStr());
}

int VARIABLE_TABLE::change(const char* symbol, const char* text) {
  if (symbol == nullptr || text == nullptr) {
    return -1;
  }
  int found = Find(symbol);
  if (found < 0) {
    return 0;
  }
  entries_[found].text = text;
  return found + 1;
}

int VARIABLE_TABLE::change(const PVMStrg& symbol, const PVMStrg& text) {
  return change(symbol.GetpStr(), text.GetpStr());
}

int VARIABLE_TABLE::remove(const char* symbol) {
  int found = symbol == nullptr ? -1 : Find(symbol);
  if (found < 0) {
    return 0;
  }
  entries_.erase(entries_.begin() + found);
  return found + 1;
}

int VARIABLE_TABLE::remove(const PVMStrg& symbol) {
  return remove(symbol.GetpStr());
}

const char* VARIABLE_TABLE::lookup(const char* symbol) const {
  int found = symbol == nullptr ? -1 : Find(symbol);
  return found < 0 ? nullptr : entries_[found].text.GetpStr();
}

const char* VARIABLE_TABLE::lookup(const PVMStrg& symbol) const {
  return lookup(symbol.GetpStr());
}

const char* VARIABLE_TABLE::symbol(int index) const {
  return index < 0 || index >= count() ? nullptr : entries_[index].symbol.GetpStr();
}

const char* VARIABLE_TABLE::text(int index) const {
  return index < 0 || index >= count() ? nullptr : entries_[index].text.GetpStr();
}

int VARIABLE_TABLE::contain(const char* text) const {
  if (text == nullptr) {
    return 0;
  }
  TokenReader reader{PVMStrg(text)};
  int found = 0;
  for (int code = reader.Next(); code != novl::END_OF_TEXT; code = reader.Next()) {
    const char* value = code == novl::IDENT ? lookup(reader.Value()) : nullptr;
    if (value != nullptr && *value != '\0') {
      ++found;
    }
  }
  return found;
}

int VARIABLE_TABLE::contain(const PVMStrg& text) const {
  return contain(text.GetpStr());
}

namespace {

// A text of more than one token goes in brackets, so that it keeps its meaning inside the
// formula it is substituted into (a = b + 1 in a * 2 is (b + 1) * 2).
PVMStrg AsOperand(const char* text) {
  TokenReader reader{PVMStrg(text)};
  int tokens = 0;
  while (tokens < 2 && reader.Next() != novl::END_OF_TEXT) {
    ++tokens;
  }
  return tokens > 1 ? "(" & PVMStrg(text) & ")" : PVMStrg(text);
}

}  // namespace

PVMStrg VARIABLE_TABLE::ReplaceOnce(const PVMStrg& text) const {
  TokenReader reader(text);
  PVMStrg result;
  std::unordered_map<const char*, PVMStrg> operands;  // per symbol text, lexed once a pass
  for (int code = reader.Next(); code != novl::END_OF_TEXT; code = reader.Next()) {
    const char* value = code == novl::IDENT ? lookup(reader.Value()) : nullptr;
    if (value != nullptr && *value != '\0') {
      auto [operand, fresh] = operands.try_emplace(value);
      if (fresh) {
        operand->second = AsOperand(value);
      }
      AppendJoined(result, operand->second);
    } else if (code == novl::STRING_CONST) {
      AppendJoined(result, QuoteLiteral(reader.Value()));
    } else if (code == '-') {
      result &= " - ";
    } else {
      AppendJoined(result, reader.Text());
    }
  }
  return result;
}

XBOOL VARIABLE_TABLE::replace(PVMStrg& text) const {
  std::unordered_set<std::string> seen{varnex::library::ToStd(text)};
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    PVMStrg next = ReplaceOnce(text);
    if (next == text) {
      return TRUE;
    }
    if (next.Length() > kMaxLength || !seen.insert(varnex::library::ToStd(next)).second) {
      return FALSE;
    }
    text.Swap(next);
  }
  return FALSE;
}

int VARIABLE_TABLE::replace(char* buffer, std::size_t size) const {
  if (buffer == nullptr || size == 0 || std::memchr(buffer, '\0', size) == nullptr) {
    return -1;
  }
  PVMStrg text(buffer);
  replace(text);
  if (text.Length() + 1 > size) {
    return -1;
  }
  std::memcpy(buffer, text.GetpStr(), text.Length() + 1);
  return static_cast<int>(text.Length());
}

PVFDefParaVar::PVFDefParaVar() {
  UpdateDefVar();
}

PVFDefParaVar::~PVFDefParaVar() = default;

void PVFDefParaVar::UpdateDefVar() {
  std::string radius = varnex::base::StringPrintf("%lf", PVFParaFeature::Current()->GetRadius());
  if (change("RUNDRADIUS", radius.c_str()) == 0) {
    add("RUNDRADIUS", radius.c_str());
  }
}

const char* PVFDefParaVar::lookup(const char* symbol) {
  UpdateDefVar();
  return VARIABLE_TABLE::lookup(symbol);
}

const char* PVFDefParaVar::lookup(const PVMStrg& symbol) {
  return lookup(symbol.GetpStr());
}

XBOOL PVFDefParaVar::replace(PVMStrg& text) {
  UpdateDefVar();
  return VARIABLE_TABLE::replace(text);
}

int PVFDefParaVar::replace(char* buffer, std::size_t size) {
  UpdateDefVar();
  return VARIABLE_TABLE::replace(buffer, size);
}
