// The value part of the object kinds' stream records (see stream_values.h).
#include "model/stream_values.h"

#include <varnex/geometry/spa.h>
#include <varnex/model/object_contour.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/object_vectors.h>
#include <varnex/model/transf_records.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace varnex::model {
namespace {

std::string Numbers(const double* values, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) {
    if (i > 0) {
      out += ' ';
    }
    out += ExactNumber(values[i]);
  }
  return out;
}

// Exactly `n` finite numbers separated by white space, nothing else.
bool ReadNumbers(const std::string& text, double* values, int n) {
  const char* p = text.c_str();
  for (int i = 0; i < n; ++i) {
    char* end = nullptr;
    errno = 0;
    values[i] = std::strtod(p, &end);
    if (end == p || !std::isfinite(values[i])) {
      return false;
    }
    p = end;
  }
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') {
    ++p;
  }
  return *p == '\0';
}

bool ReadLong(const std::string& text, long& value) {
  const char* p = text.c_str();
  char* end = nullptr;
  errno = 0;
  long read = std::strtol(p, &end, 10);
  if (end == p || *end != '\0' || errno == ERANGE || read < INT_MIN || read > INT_MAX) {
    return false;
  }
  value = read;
  return true;
}

// "index #a#b#": the selected index and the allowed values.
bool ReadEnumeration(const std::string& text, int& index, std::vector<std::string>& values) {
  std::size_t blank = text.find(' ');
  long read = 0;
  if (blank == std::string::npos || !ReadLong(text.substr(0, blank), read)) {
    return false;
  }
  std::string rest = text.substr(blank + 1);
  if (rest.empty() || rest.front() != '#' || rest.back() != '#') {
    return false;
  }
  std::size_t start = 1;
  while (start < rest.size()) {
    std::size_t hash = rest.find('#', start);
    values.push_back(rest.substr(start, hash - start));
    start = hash + 1;
  }
  if (read < -1 || (read >= static_cast<long>(values.size()) && read > 0)) {
    return false;
  }
  index = static_cast<int>(read);
  return true;
}

bool Fail(std::string& error, const std::string& reason) {
  error = reason;
  return false;
}

}  // namespace

std::string ExactNumber(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

bool StreamValues::Write(rumpf& object, std::string& out, std::string& error) {
  out.clear();
  if (auto* number = dynamic_cast<object_number*>(&object)) {
    out = std::to_string(number->value_);
  } else if (auto* zahl = dynamic_cast<object_zahl*>(&object)) {
    out = ExactNumber(zahl->value_);
  } else if (auto* logic = dynamic_cast<object_logic*>(&object)) {
    out = logic->value_ ? "XTRUE" : "XFALSE";
  } else if (auto* text = dynamic_cast<object_text*>(&object)) {
    std::string value(text->text_.GetpStr());
    if (value.find(";\n") != std::string::npos) {
      return Fail(error, "a text containing ';' followed by a line break cannot be stored");
    }
    out = "'" + value + "'";
  } else if (auto* enumeration = dynamic_cast<object_enum*>(&object)) {
    out = std::to_string(enumeration->index_) + " ";
    for (int i = 0; i < enumeration->values_.Count(); ++i) {
      std::string value(enumeration->values_[i]);
      if (value.find_first_of("#;\n") != std::string::npos) {
        return Fail(error,
                    "an enumeration value containing '#', ';' or a line break cannot be "
                    "stored");
      }
      out += "#" + value;
    }
    out += "#";
  } else if (auto* vector = dynamic_cast<object_vector*>(&object)) {
    out = Numbers(vector->xyz_, 3);
  } else if (auto* axis = dynamic_cast<object_axis*>(&object)) {
    out = Numbers(axis->axis_, 6);
  } else if (auto* trans = dynamic_cast<object_trans*>(&object)) {
    PVMStrg text("\n\t\t");
    if (transmatrix_into_string(text, trans->transformation_.get()) == nullptr) {
      text = "\n\t\tNULL";
    }
    out = text.GetpStr();
  } else if (auto* reference = dynamic_cast<object_reference*>(&object)) {
    out = reference->target_.IsVoid() ? "NULL" : reference->target_.GetpStr();
  } else {
    out = "NULL";
  }
  return true;
}

bool StreamValues::Read(rumpf& object, const std::string& text, std::string& error) {
  const std::string bad = "unreadable value <" + text + ">";
  if (auto* number = dynamic_cast<object_number*>(&object)) {
    long value = 0;
    if (!ReadLong(text, value)) {
      return Fail(error, bad);
    }
    number->value_ = value;
  } else if (auto* zahl = dynamic_cast<object_zahl*>(&object)) {
    double value = 0.0;
    if (!ReadNumbers(text, &value, 1)) {
      return Fail(error, bad);
    }
    zahl->value_ = value;
  } else if (auto* logic = dynamic_cast<object_logic*>(&object)) {
    if (text != "XTRUE" && text != "XFALSE") {
      return Fail(error, bad);
    }
    logic->value_ = text == "XTRUE" ? TRUE : FALSE;
  } else if (auto* string = dynamic_cast<object_text*>(&object)) {
    if (text.size() < 2 || text.front() != '\'' || text.back() != '\'') {
      return Fail(error, bad);
    }
    string->text_ = text.substr(1, text.size() - 2).c_str();
  } else if (auto* enumeration = dynamic_cast<object_enum*>(&object)) {
    int index = 0;
    std::vector<std::string> values;
    if (!ReadEnumeration(text, index, values)) {
      return Fail(error, bad);
    }
    enumeration->values_.Clear();
    for (const std::string& value : values) {
      enumeration->values_.Add(value.c_str());
    }
    enumeration->index_ = enumeration->values_.Count() > index ? index : 0;
  } else if (auto* vector = dynamic_cast<object_vector*>(&object)) {
    double xyz[3];
    if (!ReadNumbers(text, xyz, 3)) {
      return Fail(error, bad);
    }
    std::memcpy(vector->xyz_, xyz, sizeof xyz);
  } else if (auto* axis = dynamic_cast<object_axis*>(&object)) {
    double six[6];
    if (!ReadNumbers(text, six, 6)) {
      return Fail(error, bad);
    }
    std::memcpy(axis->axis_, six, sizeof six);
  } else if (auto* trans = dynamic_cast<object_trans*>(&object)) {
    std::unique_ptr<SPAtransf> read(ReadTransMatrixString(text.c_str()));
    if (read == nullptr && text.find("NULL") == std::string::npos) {
      return Fail(error, bad);
    }
    trans->Take(read.get(), 3013);
  } else if (auto* reference = dynamic_cast<object_reference*>(&object)) {
    if (text.empty() || text.find_first_of(" \t\n") != std::string::npos) {
      return Fail(error, bad);
    }
    reference->target_ = text == "NULL" ? "" : text.c_str();
  } else if (text != "NULL") {
    return Fail(error, bad);
  }
  return true;
}

std::string StreamValues::ConnectName(rumpf& object) {
  auto* annotation = dynamic_cast<PVFAnnotationZahl*>(&object);
  return annotation == nullptr || annotation->connect_name_.IsVoid()
             ? "NULL"
             : annotation->connect_name_.GetpStr();
}

void StreamValues::SetConnectName(rumpf& object, const std::string& name) {
  if (auto* annotation = dynamic_cast<PVFAnnotationZahl*>(&object)) {
    annotation->connect_name_ = name == "NULL" ? "" : name.c_str();
  }
}

}  // namespace varnex::model
