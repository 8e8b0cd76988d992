// Text records of transformations (see transf_records.h).
#include <varnex/geometry/spa.h>
#include <varnex/model/transf_records.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/number_format.h"
#include "model/operands/transf_text.h"

namespace {

constexpr int kMatrixPrecision = 14;

std::string Number(double value) {
  return varnex::base::FormatFloat(value, kMatrixPrecision);
}

// One line of the file without its line feed; false at the end of the file.
bool ReadLine(std::FILE* file, std::string& line) {
  line.clear();
  int c = std::fgetc(file);
  if (c == EOF) {
    return false;
  }
  for (; c != EOF && c != '\n'; c = std::fgetc(file)) {
    line += static_cast<char>(c);
  }
  return true;
}

// Exactly `n` finite numbers separated by ", " (blanks and tabs around them allowed).
bool LineNumbers(const std::string& line, double* values, int n) {
  const char* p = line.c_str();
  for (int i = 0; i < n; ++i) {
    while (*p == ' ' || *p == '\t' || (i > 0 && *p == ',')) {
      ++p;
    }
    char* end = nullptr;
    values[i] = std::strtod(p, &end);
    if (end == p || !std::isfinite(values[i])) {
      return false;
    }
    p = end;
  }
  while (*p == ' ' || *p == '\t' || *p == '\r') {
    ++p;
  }
  return *p == '\0';
}

SPAtransf* FromLines(const std::vector<std::string>& lines) {
  if (lines.size() != 5) {
    return nullptr;
  }
  double values[12];
  double last[4];
  if (!LineNumbers(lines[1], values, 3) || !LineNumbers(lines[2], values + 3, 3) ||
      !LineNumbers(lines[3], values + 6, 3) || !LineNumbers(lines[4], last, 4)) {
    return nullptr;
  }
  values[9] = last[0];
  values[10] = last[1];
  values[11] = last[2];
  const std::string& flags = lines[0];
  int rotate = flags.find("no rotation") == std::string::npos ? 1 : 0;
  int reflect = flags.find("no reflection") == std::string::npos ? 1 : 0;
  int shear = flags.find("no shear") == std::string::npos ? 1 : 0;
  return RestoreMatrix(values, last[3], rotate, reflect, shear);
}

}  // namespace

int store_matrix(const char* title, std::FILE* file, const SPAtransf* transf) {
  if (file == nullptr || transf == nullptr) {
    return -1;
  }
  const SPAmatrix& m = transf->affine();
  const SPAvector& t = transf->translation();
  std::string text = std::string(title != nullptr ? title : "") + ":";
  text += transf->rotate() ? " rotation" : " no rotation";
  text += transf->reflect() ? " reflection" : " no reflection";
  text += transf->shear() ? " shear" : " no shear";
  for (int row = 0; row < 3; ++row) {
    text += "\n\t" + Number(m.element(row, 0)) + ", " + Number(m.element(row, 1)) + ", " +
            Number(m.element(row, 2));
  }
  text += "\n\t" + Number(t.x()) + ", " + Number(t.y()) + ", " + Number(t.z()) + ", " +
          Number(transf->scaling());
  std::fputs(text.c_str(), file);
  return 0;
}

SPAtransf* restore_matrix(std::FILE* file) {
  if (file == nullptr) {
    return nullptr;
  }
  std::vector<std::string> lines(5);
  for (std::string& line : lines) {
    if (!ReadLine(file, line)) {
      return nullptr;
    }
  }
  return FromLines(lines);
}

SPAtransf* restore_matrix_text(const char* text) {
  if (text == nullptr) {
    return nullptr;
  }
  std::vector<std::string> lines;
  std::string all(text);
  std::size_t start = 0;
  while (start <= all.size() && lines.size() < 6) {
    std::size_t end = all.find('\n', start);
    lines.push_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) {
      break;
    }
    start = end + 1;
  }
  return FromLines(lines);
}

const char* transmatrix_into_string(PVMStrg& text, const SPAtransf* transf) {
  if (transf == nullptr) {
    return nullptr;
  }
  std::string out = varnex::model::TransfMatrixText(*transf);
  text = (std::string(text.GetpStr()) + out).c_str();
  return text;
}

SPAtransf* RestoreMatrix(const double values[12], double scale, int rotate, int reflect,
                         int shear) {
  if (values == nullptr) {
    return nullptr;
  }
  SPAmatrix affine(SPAvector(values[0], values[1], values[2]),
                   SPAvector(values[3], values[4], values[5]),
                   SPAvector(values[6], values[7], values[8]));
  return new SPAtransf(affine, SPAvector(values[9], values[10], values[11]), scale,
                       ToXBool(rotate != 0), ToXBool(reflect != 0), ToXBool(shear != 0));
}

SPAtransf* ReadTransMatrixString(const char* text) {
  auto read = std::make_unique<SPAtransf>();
  if (!varnex::model::ReadTransfMatrix(text, *read)) {
    return nullptr;
  }
  return read.release();
}
