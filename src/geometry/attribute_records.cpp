// The attribute records of a body in the body text.
#include "geometry/attribute_records.h"

#include <varnex/geometry/attribute_base.h>

#include <TopTools_DataMapOfShapeInteger.hxx>
#include <cerrno>
#include <cstdlib>
#include <map>

#include "base/string_printf.h"
#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"

namespace {

// ---- the kinds ----

struct KindCode {
  EntityKind kind;
  char letter;
  TopAbs_ShapeEnum type;
};

constexpr KindCode kKinds[] = {
    {EntityKind::Lump, 'L', TopAbs_SOLID},   {EntityKind::Shell, 'S', TopAbs_SHELL},
    {EntityKind::Face, 'F', TopAbs_FACE},    {EntityKind::Loop, 'P', TopAbs_WIRE},
    {EntityKind::Wire, 'W', TopAbs_WIRE},    {EntityKind::Edge, 'E', TopAbs_EDGE},
    {EntityKind::Vertex, 'V', TopAbs_VERTEX}};

const KindCode* CodeOf(EntityKind kind) {
  for (const KindCode& code : kKinds) {
    if (code.kind == kind) {
      return &code;
    }
  }
  return nullptr;
}

const KindCode* CodeOf(char letter) {
  for (const KindCode& code : kKinds) {
    if (code.letter == letter) {
      return &code;
    }
  }
  return nullptr;
}

// The body's pieces by type, in stable order, mapped on first use.
class PieceIndex {
 public:
  explicit PieceIndex(const TopoDS_Shape& shape) : shape_(shape) {}
  const TopTools_IndexedMapOfShape& Of(TopAbs_ShapeEnum type) {
    auto found = maps_.find(type);
    if (found == maps_.end()) {
      found = maps_.emplace(type, MapPieces(shape_, type)).first;
    }
    return found->second;
  }

 private:
  TopoDS_Shape shape_;
  std::map<TopAbs_ShapeEnum, TopTools_IndexedMapOfShape> maps_;
};

// ---- writing ----

// Appends are used throughout: "text" + std::string(...) trips a false -Wrestrict of GCC 12.
std::string Tagged(char tag, const std::string& value) {
  std::string field(1, tag);
  field += value;
  return field;
}

std::string StringToken(const std::string& text) {
  std::string token = Tagged('s', std::to_string(text.size()));
  token += ':';
  token += text;
  return token;
}

class TextWriter : public AttribWriter {
 public:
  void write_int(long value) override { fields_.push_back(Tagged('i', std::to_string(value))); }
  void write_double(double value) override {
    fields_.push_back(varnex::base::StringPrintf("d%.17g", value));
  }
  void write_string(const std::string& text) override { fields_.push_back(StringToken(text)); }
  const std::vector<std::string>& fields() const { return fields_; }

 private:
  std::vector<std::string> fields_;
};

void AppendRecords(const ENTITY* entity, char letter, int index, int sub, std::string& out,
                   int& count) {
  for (ATTRIB* attrib : entity->attribs()) {
    if (!attrib->saveable()) {
      continue;
    }
    TextWriter fields;
    attrib->save(fields);
    out += letter;
    for (const std::string& part :
         {std::to_string(index), std::to_string(sub), StringToken(attrib->identifier()),
          std::to_string(fields.fields().size())}) {
      out += ' ';
      out += part;
    }
    for (const std::string& field : fields.fields()) {
      out += ' ';
      out += field;
    }
    out += "\n";
    ++count;
  }
}

// ---- reading ----

class Cursor {
 public:
  explicit Cursor(const std::string& text) : text_(text) {}
  bool AtEnd() { return SkipBlanks() >= text_.size(); }

  // A word up to the next blank.
  bool Word(std::string& word) {
    std::size_t start = SkipBlanks();
    std::size_t end = start;
    while (end < text_.size() && text_[end] != ' ' && text_[end] != '\n') {
      ++end;
    }
    word = text_.substr(start, end - start);
    position_ = end;
    return !word.empty();
  }
  bool Integer(long& value) {
    std::string word;
    return Word(word) && ParseLong(word, value);
  }
  // s<length>:<bytes>, exactly.
  bool String(std::string& value) {
    std::size_t start = SkipBlanks();
    if (start >= text_.size() || text_[start] != 's') {
      return false;
    }
    std::size_t colon = text_.find(':', start);
    long length = 0;
    if (colon == std::string::npos ||
        !ParseLong(text_.substr(start + 1, colon - start - 1), length) || length < 0 ||
        static_cast<std::size_t>(length) > text_.size() - colon - 1) {
      return false;
    }
    value = text_.substr(colon + 1, static_cast<std::size_t>(length));
    position_ = colon + 1 + static_cast<std::size_t>(length);
    return true;
  }
  // One field as written: its type letter and its text (a string's bytes).
  bool Field(char& type, std::string& value) {
    std::size_t start = SkipBlanks();
    if (start >= text_.size()) {
      return false;
    }
    type = text_[start];
    if (type == 's') {
      return String(value);
    }
    if (!Word(value)) {
      return false;
    }
    value.erase(0, 1);
    return type == 'i' || type == 'd';
  }

  static bool ParseLong(const std::string& word, long& value) {
    if (word.empty()) {
      return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtol(word.c_str(), &end, 10);
    return errno == 0 && end != nullptr && *end == '\0';
  }

 private:
  std::size_t SkipBlanks() {
    while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\n')) {
      ++position_;
    }
    return position_;
  }

  const std::string& text_;
  std::size_t position_ = 0;
};

struct Field {
  char type;
  std::string text;
};

class TextReader : public AttribReader {
 public:
  explicit TextReader(std::vector<Field> fields) : fields_(std::move(fields)) {}
  long read_int() override {
    long value = 0;
    const Field* field = Next('i');
    if (field != nullptr && !Cursor::ParseLong(field->text, value)) {
      set_failed();
    }
    return value;
  }
  double read_double() override {
    const Field* field = Next('d');
    if (field == nullptr) {
      return 0.0;
    }
    char* end = nullptr;
    double value = std::strtod(field->text.c_str(), &end);
    if (end == nullptr || *end != '\0') {
      set_failed();
      return 0.0;
    }
    return value;
  }
  std::string read_string() override {
    const Field* field = Next('s');
    return field == nullptr ? std::string() : field->text;
  }
  int remaining() const override { return static_cast<int>(fields_.size() - next_); }

 private:
  const Field* Next(char type) {
    if (next_ >= fields_.size() || fields_[next_].type != type) {
      set_failed();
      return nullptr;
    }
    return &fields_[next_++];
  }

  std::vector<Field> fields_;
  std::size_t next_ = 0;
};

ENTITY* EntityOfRecord(BODY* body, PieceIndex& pieces, char letter, long index, long sub) {
  if (letter == 'B') {
    return body;
  }
  if (letter == 'C') {
    const TopTools_IndexedMapOfShape& wires = pieces.Of(TopAbs_WIRE);
    if (index < 0 || index >= wires.Extent()) {
      return nullptr;
    }
    const auto& coedges = CoedgesOf(WrapPiece(body, wires(static_cast<int>(index) + 1)));
    return sub >= 0 && sub < static_cast<long>(coedges.size()) ? coedges[sub].get() : nullptr;
  }
  const KindCode* code = CodeOf(letter);
  if (code == nullptr) {
    return nullptr;
  }
  const TopTools_IndexedMapOfShape& map = pieces.Of(code->type);
  if (index < 0 || index >= map.Extent()) {
    return nullptr;
  }
  ENTITY* entity = WrapPiece(body, map(static_cast<int>(index) + 1));
  return entity != nullptr && entity->kind() == code->kind ? entity : nullptr;
}

}  // namespace

std::string SaveAttributeRecords(BODY* body, int& count) {
  count = 0;
  std::string out;
  AppendRecords(body, 'B', 0, -1, out, count);
  BodyCore* core = BodyCoreOf(body);
  PieceIndex pieces(core->shape);
  std::map<std::pair<int, int>, const ENTITY*> ordered;  // (kind, index) -> piece, stable order
  for (const auto& [shape, wrapper] : core->pieces) {
    const KindCode* code = CodeOf(wrapper->kind());
    int index = code == nullptr ? 0 : pieces.Of(code->type).FindIndex(shape) - 1;
    if (code != nullptr && index >= 0) {
      ordered[{static_cast<int>(code - kKinds), index}] = wrapper.get();
    }
  }
  for (const auto& [key, wrapper] : ordered) {
    AppendRecords(wrapper, kKinds[key.first].letter, key.second, -1, out, count);
    if (auto* wireCore = dynamic_cast<WireCore*>(wrapper->core())) {
      for (std::size_t i = 0; i < wireCore->coedges.size(); ++i) {
        AppendRecords(wireCore->coedges[i].get(), 'C', key.second, static_cast<int>(i), out, count);
      }
    }
  }
  return out;
}

bool RestoreAttributeRecords(BODY* body, const std::string& records, int count) {
  Cursor cursor(records);
  PieceIndex pieces(ShapeOf(body));
  for (int i = 0; i < count; ++i) {
    std::string kind, identifier;
    long index = 0, sub = 0, fieldCount = 0;
    if (!cursor.Word(kind) || kind.size() != 1 || !cursor.Integer(index) || !cursor.Integer(sub) ||
        !cursor.String(identifier) || !cursor.Integer(fieldCount) || fieldCount < 0) {
      return false;
    }
    std::vector<Field> fields;
    for (long f = 0; f < fieldCount; ++f) {
      Field field;
      if (!cursor.Field(field.type, field.text)) {
        return false;
      }
      fields.push_back(std::move(field));
    }
    ENTITY* owner = EntityOfRecord(body, pieces, kind[0], index, sub);
    if (owner == nullptr) {
      return false;
    }
    if (ATTRIB* attrib = CreateRegisteredAttrib(identifier, owner)) {
      TextReader reader(std::move(fields));
      attrib->restore(reader);
      if (reader.failed()) {
        return false;
      }
    }
  }
  return cursor.AtEnd();
}
