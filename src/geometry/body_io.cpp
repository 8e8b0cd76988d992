// Saving and restoring lists of bodies: the body text, its binary twin, and C files.
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/topology.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BinTools.hxx>
#include <algorithm>
#include <cstring>
#include <iostream>
#include <sstream>

#include "geometry/attribute_records.h"
#include "geometry/body_pieces.h"
#include "geometry/body_registry.h"
#include "geometry/isolated_reader.h"
#include "geometry/kernel_scope.h"

namespace {

constexpr const char* kTextMagic = "VARNEX-BODIES";
constexpr const char* kBinaryMagic = "VNXB";
constexpr int kFormatVersion = 1;

// The bodies of the entities, each once, in list order.
std::vector<BODY*> BodiesOf(const EntitySet& entities) {
  std::vector<BODY*> bodies;
  for (int i = 0; i < entities.count(); ++i) {
    BODY* body = BodyOf(entities[i]);
    if (body != nullptr && std::find(bodies.begin(), bodies.end(), body) == bodies.end()) {
      bodies.push_back(body);
    }
  }
  return bodies;
}

// Where a list is read from: a string or a C file, by lines and by byte counts.
class Source {
 public:
  virtual ~Source() = default;
  /// The next line without its line feed; false at the end.
  virtual bool Line(std::string& line) = 0;
  /// Exactly `count` bytes; false when fewer remain.
  virtual bool Bytes(std::size_t count, std::string& bytes) = 0;
};

class StringSource : public Source {
 public:
  explicit StringSource(const std::string& text) : text_(text) {}
  bool Line(std::string& line) override {
    if (position_ >= text_.size()) {
      return false;
    }
    std::size_t end = text_.find('\n', position_);
    end = end == std::string::npos ? text_.size() : end;
    line = text_.substr(position_, end - position_);
    position_ = std::min(end + 1, text_.size());
    return true;
  }
  bool Bytes(std::size_t count, std::string& bytes) override {
    if (count > text_.size() - position_) {
      return false;
    }
    bytes = text_.substr(position_, count);
    position_ += count;
    return true;
  }
  std::size_t position() const { return position_; }

 private:
  const std::string& text_;
  std::size_t position_ = 0;
};

class FileSource : public Source {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  bool Line(std::string& line) override {
    line.clear();
    int c = 0;
    while ((c = std::fgetc(file_)) != EOF && c != '\n') {
      line += static_cast<char>(c);
    }
    return c != EOF || !line.empty();
  }
  bool Bytes(std::size_t count, std::string& bytes) override {
    bytes.clear();
    char chunk[4096];
    while (bytes.size() < count) {
      std::size_t wanted = std::min(sizeof chunk, count - bytes.size());
      std::size_t got = std::fread(chunk, 1, wanted, file_);
      bytes.append(chunk, got);
      if (got < wanted) {
        return false;
      }
    }
    return true;
  }

 private:
  std::FILE* file_;
};

// "word n1 n2 ..." with exactly the expected word and count of non-negative numbers.
bool ParseHeader(const std::string& line, const char* word, std::vector<std::size_t>& numbers,
                 std::size_t count) {
  std::istringstream in(line);
  std::string first;
  if (!(in >> first) || first != word) {
    return false;
  }
  numbers.assign(count, 0);
  for (std::size_t& number : numbers) {
    long long value = -1;
    if (!(in >> value) || value < 0) {
      return false;
    }
    number = static_cast<std::size_t>(value);
  }
  std::string rest;
  return !(in >> rest);
}

// ---- shapes ----

std::string WriteShape(const TopoDS_Shape& shape, bool binary) {
  std::ostringstream out;
  if (binary) {
    BinTools::Write(shape, out, false, false, BinTools_FormatVersion_CURRENT);
  } else {
    BRepTools::Write(shape, out, false, false, TopTools_FormatVersion_CURRENT);
  }
  RequireKernel(out.good(), KERNEL_WRITE_FAILED, "shape");
  return out.str();
}

TopoDS_Shape ShapeOfText(const std::string& text, bool binary);

// A shape is written as it reads back: reading recomputes derived values (directions of an axis
// system, signs of zeros) and drops cached check flags, so writing the shape as it stands would
// make a stored, restored and stored again list differ from the first store.
std::string ShapeText(const TopoDS_Shape& shape, bool binary) {
  return WriteShape(ShapeOfText(WriteShape(shape, binary), binary), binary);
}

// Open CASCADE's readers print complaints about damaged data to standard output; a host's
// output is not the place for them (the failure itself is reported through the outcome).
class QuietStandardOutput {
 public:
  QuietStandardOutput() : saved_(std::cout.rdbuf(sink_.rdbuf())) {}
  ~QuietStandardOutput() { std::cout.rdbuf(saved_); }
  QuietStandardOutput(const QuietStandardOutput&) = delete;
  QuietStandardOutput& operator=(const QuietStandardOutput&) = delete;

 private:
  std::ostringstream sink_;
  std::streambuf* saved_;
};

TopoDS_Shape ShapeOfText(const std::string& text, bool binary) {
  std::istringstream in(text);
  // Open CASCADE does not check the stream while it reads: a damaged count would make it read
  // on from a failed stream almost without end. A failed read throws instead, which the kernel
  // operation reports as damaged data.
  if (!binary) {
    in.exceptions(std::ios::failbit | std::ios::badbit);
  }
  TopoDS_Shape shape;
  QuietStandardOutput quiet;
  if (binary) {
    BinTools::Read(shape, in);
  } else {
    BRepTools::Read(shape, in, BRep_Builder());
  }
  RequireKernel(!shape.IsNull(), KERNEL_READ_FAILED, "damaged shape data");
  return shape;
}

// ---- the list ----

std::string SaveList(const EntitySet& entities, bool binary) {
  std::vector<BODY*> bodies = BodiesOf(entities);
  std::string out = std::string(binary ? kBinaryMagic : kTextMagic) + " " +
                    std::to_string(kFormatVersion) + " " + std::to_string(bodies.size()) + "\n";
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    std::string shape = ShapeText(ShapeOf(bodies[i]), binary);
    int count = 0;
    std::string records = SaveAttributeRecords(bodies[i], count);
    out += "body " + std::to_string(i) + " " + std::to_string(shape.size()) + "\n" + shape +
           "\nattributes " + std::to_string(count) + " " + std::to_string(records.size()) + "\n" +
           records + "\n";
  }
  return out + "end\n";
}

// One body of a list as stored: its shape data and its attribute records.
struct StoredBody {
  std::string shape;
  std::string attributes;
  int attribute_count = 0;
};

StoredBody ReadStoredBody(Source& source, std::size_t index) {
  StoredBody body;
  std::string line;
  std::vector<std::size_t> numbers;
  RequireKernel(source.Line(line) && ParseHeader(line, "body", numbers, 2) && numbers[0] == index,
                KERNEL_READ_FAILED, "body header");
  RequireKernel(source.Bytes(numbers[1], body.shape) && source.Line(line) && line.empty(),
                KERNEL_READ_FAILED, "truncated shape");
  RequireKernel(source.Line(line) && ParseHeader(line, "attributes", numbers, 2),
                KERNEL_READ_FAILED, "attribute header");
  RequireKernel(numbers[0] <= numbers[1] && source.Bytes(numbers[1], body.attributes) &&
                    source.Line(line) && line.empty(),
                KERNEL_READ_FAILED, "truncated attributes");
  body.attribute_count = static_cast<int>(numbers[0]);
  return body;
}

// Open CASCADE's shape readers trust their data: some damage makes them dereference null or
// run without end. The shapes are therefore read in a child process, which answers with the
// kernel's binary data of each (length, newline, bytes).
std::vector<TopoDS_Shape> ReadShapes(const std::vector<StoredBody>& stored, bool binary) {
  if (stored.empty()) {
    return {};
  }
  std::string answer = varnex::geometry::RunIsolated([&] {
    std::string out;
    for (const StoredBody& body : stored) {
      std::string data = varnex::geometry::BinaryShapeData(ShapeOfText(body.shape, binary));
      out += std::to_string(data.size());
      out += '\n';
      out += data;
    }
    return out;
  });
  std::vector<TopoDS_Shape> shapes;
  std::size_t at = 0;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    std::size_t newline = answer.find('\n', at);
    RequireKernel(newline != std::string::npos, KERNEL_READ_FAILED, "shape reader answer");
    std::size_t size = std::stoull(answer.substr(at, newline - at));
    RequireKernel(size <= answer.size() - newline - 1, KERNEL_READ_FAILED, "shape reader answer");
    shapes.push_back(varnex::geometry::ShapeOfBinaryData(answer.substr(newline + 1, size)));
    at = newline + 1 + size;
  }
  return shapes;
}

outcome RestoreList(Source& source, bool binary, ENTITY_LIST& bodies) {
  std::vector<BODY*> made;
  outcome result = RunKernelOperation([&] {
    std::string line;
    std::vector<std::size_t> numbers;
    RequireKernel(
        source.Line(line) && ParseHeader(line, binary ? kBinaryMagic : kTextMagic, numbers, 2),
        KERNEL_READ_FAILED, "not a body list");
    RequireKernel(numbers[0] == kFormatVersion, KERNEL_READ_FAILED, "unknown format version");
    std::vector<StoredBody> stored;
    for (std::size_t i = 0; i < numbers[1]; ++i) {
      stored.push_back(ReadStoredBody(source, i));
    }
    RequireKernel(source.Line(line) && line == "end", KERNEL_READ_FAILED, "missing end");
    std::vector<TopoDS_Shape> shapes = ReadShapes(stored, binary);
    for (std::size_t i = 0; i < stored.size(); ++i) {
      // Each new body is in `made` as soon as it exists, so a failure deletes it.
      made.push_back(CreateBody(shapes[i]));
      RequireKernel(
          RestoreAttributeRecords(made.back(), stored[i].attributes, stored[i].attribute_count),
          KERNEL_READ_FAILED, "damaged attribute records");
    }
  });
  if (!result.ok()) {
    for (BODY* body : made) {
      DeleteBody(body);
    }
    return result;
  }
  for (BODY* body : made) {
    bodies.add(body);
  }
  return result;
}

}  // namespace

outcome SaveEntityListText(const EntitySet& entities, std::string& text) {
  return RunKernelOperation([&] { text += SaveList(entities, false); });
}

outcome RestoreEntityListText(const std::string& text, ENTITY_LIST& bodies, std::size_t* consumed) {
  StringSource source(text);
  outcome result = RestoreList(source, false, bodies);
  if (consumed != nullptr) {
    *consumed = result.ok() ? source.position() : 0;
  }
  return result;
}

outcome SaveEntityListBinary(const EntitySet& entities, std::vector<unsigned char>& data) {
  return RunKernelOperation([&] {
    std::string saved = SaveList(entities, true);
    data.insert(data.end(), saved.begin(), saved.end());
  });
}

outcome RestoreEntityListBinary(const unsigned char* data, std::size_t size, ENTITY_LIST& bodies,
                                std::size_t* consumed) {
  std::string text(reinterpret_cast<const char*>(data), data == nullptr ? 0 : size);
  StringSource source(text);
  outcome result = RestoreList(source, true, bodies);
  if (consumed != nullptr) {
    *consumed = result.ok() ? source.position() : 0;
  }
  return result;
}

outcome api_save_entity_list(std::FILE* file, XBOOL text_mode, const EntitySet& entities) {
  if (file == nullptr) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  return RunKernelOperation([&] {
    std::string saved = SaveList(entities, !text_mode);
    RequireKernel(std::fwrite(saved.data(), 1, saved.size(), file) == saved.size(),
                  KERNEL_WRITE_FAILED, "file");
  });
}

outcome api_restore_entity_list(std::FILE* file, XBOOL text_mode, ENTITY_LIST& bodies) {
  if (file == nullptr) {
    return RecordOutcome(outcome(KERNEL_NULL_ARGUMENT));
  }
  FileSource source(file);
  return RestoreList(source, !text_mode, bodies);
}
