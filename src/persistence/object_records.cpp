// The stream records of named objects and contours: the common fields, then the kind's part
// (its revision and its value, a sub-world for an instance). Installed into the object layer's
// hooks by PVFInstallObjectRecords.
#include <varnex/base/messages.h>
#include <varnex/model/contour.h>
#include <varnex/model/model_hooks.h>
#include <varnex/model/object_contour.h>
#include <varnex/model/object_values.h>
#include <varnex/model/planet.h>
#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/stream.h>

#include <memory>
#include <string>
#include <vector>

#include "model/stream_values.h"
#include "persistence/object_kinds.h"

namespace {

using varnex::persistence::ConvertRestoreName;

constexpr char kEndOfInput = 26;
constexpr int kRevision = 100;

std::string record_error;

const char* OrUnknown(const char* text) {
  return text == nullptr || *text == '\0' ? "unknown" : text;
}

// ---------------------------------------------------------------------------------------------
// Writing

void WriteList(PVFStream& stream, const char* keyword, const VALUE_LIST<PVMStrg>& items) {
  if (items.count() == 0) {
    return;
  }
  stream << keyword << " { ";
  for (int i = 0; i < items.count(); ++i) {
    if (i > 0) {
      stream << " ; ";
    }
    stream.PutCString(items[i]);
  }
  stream << " }\n";
}

void WriteCommonFields(rumpf& object, PVFStream& stream, const char* type) {
  stream << "typ_: " << OrUnknown(type) << "\n";
  stream << "Revision_: " << kRevision << "\n";
  stream << "name_: " << OrUnknown(object.get_name()) << "\n";
  stream << "alias_typ_: " << OrUnknown(object.get_alias_type()) << "\n";
  if (const char* source = object.get_value_source(); source != nullptr && *source != '\0') {
    stream << "value_source_: ";
    stream.PutCString(source);
    stream << "\n";
  }
  VALUE_LIST<PVMStrg> restrictions, to, by;
  object.GetRestrictions(&restrictions);
  object.GetReferencesTo(&to);
  object.GetReferencesBy(&by);
  WriteList(stream, "restriction_:", restrictions);
  WriteList(stream, "reference_to_:", to);
  WriteList(stream, "referenced_by_:", by);
}

XBOOL WriteObject(rumpf& object, PVFStream& stream);

XBOOL WriteKindPart(rumpf& object, PVFStream& stream) {
  stream << "Revision_: " << kRevision << "\n";
  if (object.isTypeOf("Planet")) {
    stream << "{\n";
    XBOOL failed = FALSE;
    if (nullwelt* world = object.get_subworld(); world != nullptr) {
      for (welt* element = world->get_first(); element != nullptr; element = element->get_next()) {
        if (element->get_member() != nullptr && WriteObject(*element->get_member(), stream)) {
          failed = TRUE;
        }
      }
    }
    stream << "}\n";
    return failed;
  }
  if (auto* contour_object = dynamic_cast<object_connect2d*>(&object)) {
    if (PVFconnect2dBa* contour = contour_object->get_Connect(); contour != nullptr) {
      contour->Store(stream);
    }
  }
  std::string value, error;
  if (!varnex::model::StreamValues::Write(object, value, error)) {
    PVMStrg full;
    PVFSetRecordError(
        "rumpf",
        ("object " + std::string(OrUnknown(object.get_name())) + " not stored: " + error).c_str());
    value = "NULL";
    stream << "element_: " << value.c_str() << ";\n";
    return TRUE;
  }
  stream << "element_: " << value.c_str() << ";\n";
  return FALSE;
}

// Returns TRUE when the record could not be written faithfully (reported).
XBOOL WriteObject(rumpf& object, PVFStream& stream) {
  if (dynamic_cast<PVFAnnotationZahl*>(&object) != nullptr) {
    stream << "typ_: ANNOTATIONZAHL\n{\n";
    WriteCommonFields(object, stream, object.get_type());
    XBOOL failed = WriteKindPart(object, stream);
    stream << "Revision_: " << kRevision << "\n";
    stream << "ConnectName_: " << varnex::model::StreamValues::ConnectName(object).c_str()
           << "\n}\n";
    return failed;
  }
  WriteCommonFields(object, stream, object.get_type());
  return WriteKindPart(object, stream);
}

XBOOL StoreObjectRecord(rumpf& object, PVFStream& stream) {
  return WriteObject(object, stream);
}

XBOOL StoreContourRecord(PVFconnect2dBa& contour, PVFStream& stream) {
  stream << "Revision_: " << kRevision << "\n";
  stream << "Ident_: " << OrUnknown(contour.get_IdentC()) << "\n";
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Reading

bool AtEnd(PVFStream& stream) {
  return stream.Peek() == kEndOfInput;
}

std::string Word(PVFStream& stream) {
  PVMStrg word;
  stream >> word;
  return word.GetpStr();
}

// The value after "element_: ": everything up to the ";" that ends its line.
bool ReadValueText(PVFStream& stream, std::string& out) {
  out.clear();
  XBOOL skip = stream.FmtSkipWhite(FALSE);
  char c = 0;
  stream >> c;
  bool found = false;
  if (c != ' ' && c != kEndOfInput && c != '\0') {
    out += c;  // the one blank after the keyword belongs to the frame
  }
  while (c != kEndOfInput && c != '\0') {
    if (out.size() >= 2 && out.compare(out.size() - 2, 2, ";\n") == 0) {
      out.resize(out.size() - 2);
      found = true;
      break;
    }
    stream >> c;
    if (c != kEndOfInput && c != '\0') {
      out += c;
    }
  }
  stream.FmtSkipWhite(skip);
  return found;
}

// "{ "a" ; "b" }" after a list keyword.
bool ReadList(PVFStream& stream, std::vector<std::string>& items, bool convert) {
  if (Word(stream) != "{") {
    return false;
  }
  while (true) {
    if (stream.Peek() == '}') {
      Word(stream);
      return true;
    }
    PVMStrg item;
    stream.GetCString(item);
    std::string text(item.GetpStr());
    items.push_back(convert ? ConvertRestoreName(text) : text);
    std::string separator = Word(stream);
    if (separator == "}") {
      return true;
    }
    if (separator != ";") {
      return false;
    }
  }
}

struct CommonFields {
  std::string name;
  std::string alias;
  std::string source;
  bool has_source = false;
  std::vector<std::string> restrictions;
  std::vector<std::string> to;
  std::vector<std::string> by;
};

enum class ReadResult { kRead, kEnd, kDamaged };

ReadResult Damaged(const std::string& message) {
  PVFSetRecordError("rumpf", message.c_str());
  return ReadResult::kDamaged;
}

// Reads the common fields up to the kind's "Revision_:" (consumed).
ReadResult ReadCommonFields(PVFStream& stream, CommonFields& fields) {
  if (Word(stream) != "Revision_:") {
    return AtEnd(stream) ? ReadResult::kEnd : Damaged("record without revision");
  }
  int revision = 0;
  stream >> revision;
  while (true) {
    std::string keyword = Word(stream);
    if (keyword.empty()) {
      return ReadResult::kEnd;
    }
    if (keyword == "Revision_:" || keyword == "}") {
      return keyword == "}" ? Damaged("record of <" + fields.name + "> without value")
                            : ReadResult::kRead;
    }
    if (keyword == "value_source_:") {
      PVMStrg source;
      stream.GetCString(source);
      fields.source = ConvertRestoreName(source.GetpStr());
      fields.has_source = true;
    } else if (keyword == "name_:") {
      fields.name = ConvertRestoreName(Word(stream));
    } else if (keyword == "alias_typ_:") {
      fields.alias = Word(stream);
      if (fields.alias == "ENUMERATION") {
        stream.Skip();
        XBOOL skip = stream.FmtSkipWhite(FALSE);
        std::string list = " ";
        char c = 0;
        do {
          stream >> c;
          if (c == kEndOfInput || c == '\0') {
            break;
          }
          list += c;
        } while (c != ')');
        stream.FmtSkipWhite(skip);
        fields.alias += list;
      }
    } else if (keyword == "restriction_:" || keyword == "reference_to_:" ||
               keyword == "referenced_by_:") {
      auto& items = keyword == "restriction_:"    ? fields.restrictions
                    : keyword == "reference_to_:" ? fields.to
                                                  : fields.by;
      if (!ReadList(stream, items, keyword != "restriction_:")) {
        return AtEnd(stream) ? ReadResult::kEnd : Damaged("damaged list in <" + fields.name + ">");
      }
    }
    if (AtEnd(stream)) {
      return ReadResult::kEnd;
    }
  }
}

VALUE_LIST<PVMStrg> ToList(const std::vector<std::string>& items) {
  VALUE_LIST<PVMStrg> list;
  for (const std::string& item : items) {
    list.add(PVMStrg(item.c_str()));
  }
  return list;
}

ReadResult ApplyName(rumpf& object, const CommonFields& fields) {
  if (fields.name.empty() || fields.name == "unknown") {
    return Damaged("record without name");
  }
  if (object.get_first_world() == nullptr || (std::string(object.get_name()) != fields.name &&
                                              object.set_name(fields.name.c_str()) == 0)) {
    return Damaged("object <" + fields.name + "> cannot be added to its world");
  }
  if (fields.alias != "unknown") {
    object.set_alias_type(fields.alias.c_str());
  }
  return ReadResult::kRead;
}

void ApplyFormulaAndLists(rumpf& object, const CommonFields& fields) {
  if (fields.has_source) {
    object.set_value_source(fields.source.empty() ? nullptr : fields.source.c_str());
  }
  if (!fields.restrictions.empty()) {
    VALUE_LIST<PVMStrg> restrictions = ToList(fields.restrictions);
    object.SetRestrictions(&restrictions);
  }
  VALUE_LIST<PVMStrg> to = ToList(fields.to);
  VALUE_LIST<PVMStrg> by = ToList(fields.by);
  object.SetReferencesTo(&to);
  object.SetReferencesBy(&by);
}

ReadResult ReadSubworld(rumpf& object, PVFStream& stream, int flag) {
  if (Word(stream) != "{") {
    return AtEnd(stream)
               ? ReadResult::kEnd
               : Damaged("instance <" + std::string(object.get_name()) + "> without world");
  }
  if (object.qualify() == nullptr) {
    return Damaged("instance <" + std::string(object.get_name()) + "> cannot be entered");
  }
  XBOOL closed = PVFReadObjectRecords(stream, flag);
  requalify();
  if (PVFRecordError() != nullptr) {
    return ReadResult::kDamaged;
  }
  return closed ? ReadResult::kRead : ReadResult::kEnd;
}

ReadResult ReadValue(rumpf& object, PVFStream& stream) {
  if (auto* contour_object = dynamic_cast<object_connect2d*>(&object)) {
    if (PVFRestoreCon2Stream != nullptr && stream.Peek() != 'e') {
      PVFconnect2dBa* contour = PVFRestoreCon2Stream(stream, 0);
      if (contour != nullptr) {
        contour_object->set(contour);
        contour_object->SetValidity(contour->iErrNumber());
        contour->RestoreRefNamesOfOpObj();
      }
    }
    std::string word;
    do {
      word = Word(stream);
    } while (!word.empty() && word != "element_:");
    if (word.empty()) {
      return ReadResult::kEnd;
    }
  } else if (Word(stream) != "element_:") {
    return AtEnd(stream)
               ? ReadResult::kEnd
               : Damaged("record of <" + std::string(object.get_name()) + "> without value");
  }
  std::string text, error;
  if (!ReadValueText(stream, text)) {
    return ReadResult::kEnd;
  }
  if (!varnex::model::StreamValues::Read(object, text, error)) {
    return Damaged("object <" + std::string(object.get_name()) + ">: " + error);
  }
  return ReadResult::kRead;
}

ReadResult ReadRecord(rumpf& object, PVFStream& stream, int flag) {
  CommonFields fields;
  ReadResult result = ReadCommonFields(stream, fields);
  if (result != ReadResult::kRead) {
    return result;
  }
  if ((result = ApplyName(object, fields)) != ReadResult::kRead) {
    return result;
  }
  int revision = 0;
  stream >> revision;
  result =
      object.isTypeOf("Planet") ? ReadSubworld(object, stream, flag) : ReadValue(object, stream);
  if (result == ReadResult::kRead) {
    ApplyFormulaAndLists(object, fields);
  }
  return result;
}

ReadResult ReadAnnotation(rumpf& object, PVFStream& stream, int flag) {
  if (Word(stream) != "{" || Word(stream) != "typ_:") {
    return AtEnd(stream) ? ReadResult::kEnd : Damaged("damaged annotation number");
  }
  Word(stream);  // the number's own type
  ReadResult result = ReadRecord(object, stream, flag);
  if (result != ReadResult::kRead) {
    return result;
  }
  int revision = 0;
  if (Word(stream) != "Revision_:") {
    return AtEnd(stream) ? ReadResult::kEnd : Damaged("damaged annotation number");
  }
  stream >> revision;
  if (Word(stream) != "ConnectName_:") {
    return AtEnd(stream) ? ReadResult::kEnd : Damaged("damaged annotation number");
  }
  varnex::model::StreamValues::SetConnectName(object, Word(stream));
  if (Word(stream) != "}") {
    return AtEnd(stream) ? ReadResult::kEnd : Damaged("damaged annotation number");
  }
  return ReadResult::kRead;
}

XBOOL RestoreObjectRecord(rumpf& object, PVFStream& stream, int flag) {
  ReadResult result = dynamic_cast<PVFAnnotationZahl*>(&object) != nullptr
                          ? ReadAnnotation(object, stream, flag)
                          : ReadRecord(object, stream, flag);
  if (result == ReadResult::kEnd && PVFRecordError() == nullptr) {
    PVFSetRecordError("rumpf", "the input ends inside an object record");
  }
  return ToXBool(result != ReadResult::kRead);
}

XBOOL RestoreContourRecord(PVFconnect2dBa& contour, PVFStream& stream, int) {
  int revision = 0;
  if (Word(stream) != "Revision_:") {
    return TRUE;
  }
  stream >> revision;
  if (Word(stream) != "Ident_:") {
    return TRUE;
  }
  std::string ident = Word(stream);
  if (ident != "unknown") {
    PVMStrg text(ident.c_str());
    contour.set_Ident(text);
  }
  return FALSE;
}

}  // namespace

void PVFInstallObjectRecords() {
  pPVFStoreObject = &StoreObjectRecord;
  pPVFRestoreObject = &RestoreObjectRecord;
  pPVFStoreContour = &StoreContourRecord;
  pPVFRestoreContour = &RestoreContourRecord;
}

XBOOL PVFReadObjectRecords(PVFStream& stream, int flag) {
  PVFInstallObjectRecords();
  rumpf* last = nullptr;
  while (PVFRecordError() == nullptr) {
    std::string word = Word(stream);
    if (word.empty()) {
      if (last != nullptr) {
        last->SetValidity(26);
      }
      return FALSE;
    }
    if (word == "}") {
      return TRUE;
    }
    if (word != "typ_:") {
      continue;
    }
    std::string type = Word(stream);
    if (!type.empty() && type.back() == ';') {
      type.pop_back();
    }
    std::unique_ptr<rumpf> object(varnex::persistence::CreateObjectOfType(type));
    if (object == nullptr) {
      continue;
    }
    XBOOL ended = object->Restore(stream, flag);
    if (PVFRecordError() != nullptr) {
      break;  // a damaged object goes; what was read before it stays for the caller to judge
    }
    last = object.release();  // the world owns it
    if (ended) {
      last->SetValidity(26);
      return FALSE;
    }
  }
  return FALSE;
}

const char* PVFRecordError() {
  return record_error.empty() ? nullptr : record_error.c_str();
}

void PVFClearRecordError() {
  record_error.clear();
}

void PVFSetRecordError(const char* cls, const char* message) {
  if (record_error.empty()) {
    record_error = message != nullptr && *message != '\0' ? message : "damaged record";
  }
  ClassError(cls, "Restore", message, 1, 0);
}
