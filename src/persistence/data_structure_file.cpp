// The data-structure file: a header and the records of the current world, each object's common
// fields followed by its value part (written and read by the object kinds themselves).
#include <varnex/base/messages.h>
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/language/lexer.h>
#include <varnex/language/parse_attachment.h>
#include <varnex/language/tokens.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/persistence/model_records.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/record_text.h"
#include "persistence/object_kinds.h"

namespace {

constexpr const char* kTitle = "# Feature Data Structure File\n";
constexpr const char* kVersion = "# VARNEX Version 4.2\n";
constexpr const char* kOldVersion = "# VARNEX Version 4.1\n";
constexpr const char* kComment = "# parametric model: the objects of the current world\n";
// Files older than the version line carry a fixed comment of 30 characters in its place.
constexpr const char* kOldestHeader = "## VARNEX feature data file #\n";

// ---------------------------------------------------------------------------------------------
// Scanning the file

bool IsBlank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// One blank-delimited word; empty at the end of the file.
std::string Word(std::FILE* file) {
  std::string word;
  int c = std::fgetc(file);
  while (c != EOF && IsBlank(c)) {
    c = std::fgetc(file);
  }
  while (c != EOF && !IsBlank(c)) {
    word += static_cast<char>(c);
    c = std::fgetc(file);
  }
  if (c != EOF) {
    std::ungetc(c, file);
  }
  return word;
}

// The characters up to the next ';' outside string literals (consumed, not kept); one blank or
// tab directly after the keyword is dropped. False when the file ends first.
bool FieldText(std::FILE* file, std::string& out, bool literals) {
  out.clear();
  int c = std::fgetc(file);
  if (c == ' ' || c == '\t') {
    c = std::fgetc(file);
  }
  bool literal = false;
  for (; c != EOF; c = std::fgetc(file)) {
    if (c == '\'' && literals) {
      literal = !literal;
    } else if (c == ';' && !literal) {
      return true;
    }
    out += static_cast<char>(c);
  }
  return false;
}

bool SkipTo(std::FILE* file, int wanted) {
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    if (c == wanted) {
      return true;
    }
  }
  return false;
}

// "{...}" up to the next ';': the text between the braces (literals may hold braces).
bool ListText(std::FILE* file, std::string& out) {
  out.clear();
  if (!SkipTo(file, '{')) {
    return false;
  }
  bool literal = false;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    if (c == '\'') {
      literal = !literal;
    } else if (c == '}' && !literal) {
      return SkipTo(file, ';');
    }
    out += static_cast<char>(c);
  }
  return false;
}

std::string Line(std::FILE* file, bool& complete) {
  std::string line;
  complete = false;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    line += static_cast<char>(c);
    if (c == '\n') {
      complete = true;
      break;
    }
  }
  return line;
}

// ---------------------------------------------------------------------------------------------
// Old-format conversions

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '@';
}

std::string OldNameIntoNewName(const std::string& name) {
  PVMStrg converted(name.c_str());
  if (ObjectLinks().OldNameIntoNewName(PVMStrg(name.c_str()), converted) == FALSE) {
    return name;
  }
  return converted.GetpStr();
}

// Every identifier that is not followed by '.' goes through the feature library's old-to-new
// name map; string literals come back in single quotes; other tokens are copied.
std::string ConvertOldFormula(const std::string& text) {
  struct Token {
    int code;
    std::string text;
  };
  std::vector<Token> tokens;
  {
    PARSE_ATTACHMENT source(PVMStrg(text.c_str()), PARSE_ATTACHMENT::Verbatim{});
    ParseObjectScope scope(&source);
    for (int code = yylex(); code != 0; code = yylex()) {
      std::string token;
      if (code == novl::STRING_CONST) {
        token.append(1, '\'').append(yylval.text.GetpStr()).append(1, '\'');
      } else {
        token = yytext.GetpStr();
      }
      tokens.push_back({code, token});
    }
  }
  std::string out;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    std::string token = tokens[i].text;
    bool dotted = i + 1 < tokens.size() && tokens[i + 1].text == ".";
    if (tokens[i].code == novl::IDENT && !dotted) {
      token = OldNameIntoNewName(token);
    }
    if (!out.empty() && !token.empty() && IsWordChar(out.back()) && IsWordChar(token.front())) {
      out += ' ';
    }
    out += token;
  }
  return out;
}

// A converted formula naming "CalcUV" takes the source of the object "ref_face" in place of
// "<world>.ref_face", the world being the instance two worlds up from that object.
std::string RewriteCalcUV(const std::string& source) {
  if (source.find("CalcUV") == std::string::npos || anfang == nullptr) {
    return source;
  }
  rumpf* ref_face = anfang->find("ref_face");
  if (ref_face == nullptr) {
    nullwelt* outer = anfang->get_inertial_world();
    ref_face = outer != nullptr ? outer->find("ref_face") : nullptr;
  }
  const char* replacement = ref_face != nullptr ? ref_face->get_value_source() : nullptr;
  if (replacement == nullptr) {
    return source;
  }
  nullwelt* first = ref_face->get_first_world();
  object_planet* owner = first != nullptr ? first->get_root() : nullptr;
  nullwelt* second = owner != nullptr ? owner->get_first_world() : nullptr;
  object_planet* world_owner = second != nullptr ? second->get_root() : nullptr;
  if (world_owner == nullptr || *world_owner->get_name() == '\0') {
    return source;
  }
  std::string target = std::string(world_owner->get_name()) + ".ref_face";
  std::size_t at = source.find(target);
  if (at == std::string::npos) {
    return source;
  }
  std::string value(replacement);
  value = value.substr(0, std::min(value.size(), value.rfind(" ;")));
  value = value.substr(0, std::min(value.size(), value.rfind(';')));
  return source.substr(0, at) + value + source.substr(at + target.size());
}

// ---------------------------------------------------------------------------------------------
// Reading records

struct PendingRecord {
  std::string type, name, alias;
  std::string source;
  std::string restrictions, to, by;
  bool has_restrictions = false, has_to = false, has_by = false;

  void ClearValueParts() {
    source.clear();
    restrictions.clear();
    to.clear();
    by.clear();
    has_restrictions = has_to = has_by = false;
  }
};

// The items of a list text; names (not restrictions) pass through the restore-name conversion.
VALUE_LIST<PVMStrg> Items(const std::string& text, bool names) {
  VALUE_LIST<PVMStrg> items;
  if (text.empty()) {
    return items;
  }
  std::vector<std::string> seen;
  for (std::string item : varnex::model::SplitStatements(text)) {
    if (names) {
      item = varnex::persistence::ConvertRestoreName(item);
    }
    if (std::find(seen.begin(), seen.end(), item) == seen.end()) {
      seen.push_back(item);
      items.add(PVMStrg(item.c_str()));
    }
  }
  return items;
}

void ApplyRecord(rumpf& object, const PendingRecord& record) {
  object.set_alias_type(record.alias.c_str());
  if (!record.source.empty()) {
    object.set_value_source(record.source.c_str());
  }
  if (record.has_restrictions) {
    VALUE_LIST<PVMStrg> restrictions = Items(record.restrictions, false);
    object.SetRestrictions(&restrictions);
  }
  VALUE_LIST<PVMStrg> to = Items(record.to, true);
  VALUE_LIST<PVMStrg> by = Items(record.by, true);
  object.SetReferencesTo(&to);
  object.SetReferencesBy(&by);
}

bool Refused(std::unique_ptr<rumpf>& object, const std::string& name) {
  if (object != nullptr && object->get_first_world() != nullptr) {
    return false;
  }
  PVFSetRecordError("readds", ("object <" + name + "> cannot be added to its world").c_str());
  return true;
}

int ReadWorld(std::FILE* file, XBOOL old_format, PendingRecord& record);

// "element_:": the object of the kind T named N reads its value part.
bool ReadElement(std::FILE* file, PendingRecord& record) {
  std::unique_ptr<rumpf> object(
      varnex::persistence::CreateNamedObjectOfType(record.type, record.name.c_str()));
  if (object == nullptr && record.type != "Planet") {
    SkipTo(file, ';');
    record.ClearValueParts();
    return true;
  }
  if (Refused(object, record.name)) {
    return false;
  }
  if (object->read_element(file) < 0) {
    PVFSetRecordError("readds", ("damaged value of <" + record.name + ">").c_str());
    return false;
  }
  ApplyRecord(*object, record);
  object.release();  // the world owns it
  record.ClearValueParts();
  return true;
}

// "{": an instance and its sub-world.
int ReadInstance(std::FILE* file, XBOOL old_format, PendingRecord& record) {
  if (record.name.empty() || record.type != "Planet" || record.alias.empty()) {
    PVFSetRecordError("readds", "sub-world without a complete instance header");
    return 0;
  }
  if (old_format) {
    record.alias = OldNameIntoNewName(record.alias);
  }
  std::unique_ptr<rumpf> instance(new object_planet(record.name.c_str()));
  if (Refused(instance, record.name)) {
    return 0;
  }
  ApplyRecord(*instance, record);
  record.ClearValueParts();
  rumpf* owned = instance.release();
  if (owned->qualify() == nullptr) {
    return 0;
  }
  int result = ReadWorld(file, old_format, record);
  requalify();
  return result;
}

int ReadWorld(std::FILE* file, XBOOL old_format, PendingRecord& record) {
  while (PVFRecordError() == nullptr) {
    std::string word = Word(file);
    if (word.empty() || word == "};") {
      return 1;
    }
    if (word == "typ_:" || word == "name_:" || word == "alias_typ_:") {
      std::string& field = word == "typ_:"    ? record.type
                           : word == "name_:" ? record.name
                                              : record.alias;
      if (!FieldText(file, field, false)) {
        return 1;
      }
      if (&field == &record.name && !field.empty()) {
        field = varnex::persistence::ConvertRestoreName(field);
      }
    } else if (word == "value_source_:") {
      if (!FieldText(file, record.source, true)) {
        return 1;
      }
      if (old_format && !record.source.empty()) {
        record.source = RewriteCalcUV(ConvertOldFormula(record.source));
      }
      if (!record.source.empty()) {
        record.source = varnex::persistence::ConvertRestoreName(record.source);
      }
    } else if (word == "restriction_:" || word == "reference_to_:" || word == "referenced_by_:") {
      std::string& text = word == "restriction_:"    ? record.restrictions
                          : word == "reference_to_:" ? record.to
                                                     : record.by;
      (word == "restriction_:"    ? record.has_restrictions
       : word == "reference_to_:" ? record.has_to
                                  : record.has_by) = true;
      if (!ListText(file, text)) {
        return 1;
      }
    } else if (word == "element_:") {
      if (!ReadElement(file, record)) {
        return 1;
      }
    } else if (word == "{") {
      if (ReadInstance(file, old_format, record) == 0) {
        return 0;
      }
    }
  }
  return 1;
}

}  // namespace

int storeds(std::FILE* file) {
  if (file == nullptr) {
    return 1;
  }
  std::fputs(kTitle, file);
  std::fputs(kVersion, file);
  std::fputs(kComment, file);
  std::fprintf(file, "%d\n", total_count);
  return store_current_welt(file);
}

int readds(std::FILE* file) {
  if (file == nullptr) {
    return 1;
  }
  PVFInstallObjectRecords();
  bool complete = false;
  Line(file, complete);
  std::string version = Line(file, complete);
  Line(file, complete);
  std::string count = Word(file);
  char* end = nullptr;
  long read = std::strtol(count.c_str(), &end, 10);
  if (count.empty() || *end != '\0' || read < 0 || read >= INT_MAX) {
    PVFSetRecordError("readds", "the header holds no instance counter");
    return 0;
  }
  total_count = static_cast<int>(read);
  XBOOL old_format = ToXBool(version == kOldVersion || version == kOldestHeader);
  return read_current_welt(file, old_format);
}

int store_current_welt(std::FILE* file) {
  if (file == nullptr) {
    return 1;
  }
  GENERIC_LIST<rumpf> objects;
  list_world(&objects, nullptr);
  for (int i = 0; i < objects.count(); ++i) {
    if (objects[i] == nullptr) {
      return 0;
    }
    objects[i]->store(file);
  }
  return 1;
}

int read_current_welt(std::FILE* file, XBOOL old_format) {
  if (file == nullptr) {
    return 1;
  }
  PVFClearRecordError();
  PendingRecord record;
  return ReadWorld(file, old_format, record);
}
