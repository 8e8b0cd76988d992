// PVFAchsen: the axis record of the model files.
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/stream.h>
#include <varnex/persistence/string_stream.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

// The six coordinates as a PVFAcisStream prints them: origin, " \t ", direction.
std::string CoordinateLine(const double* origin, const double* direction) {
  PVFAcisStream line;
  line << origin[0] << " " << origin[1] << " " << origin[2] << " \t " << direction[0] << " "
       << direction[1] << " " << direction[2];
  return line.GetpStr();
}

bool AllFinite(const double* six) {
  for (int i = 0; i < 6; ++i) {
    if (!std::isfinite(six[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

PVFAchsen::PVFAchsen() = default;

PVFAchsen::PVFAchsen(std::FILE* file) {
  double six[6];
  if (file != nullptr &&
      std::fscanf(file, "%lf %lf %lf %lf %lf %lf", &six[0], &six[1], &six[2], &six[3], &six[4],
                  &six[5]) == 6 &&
      AllFinite(six)) {
    std::memcpy(origin_, six, sizeof origin_);
    std::memcpy(direction_, six + 3, sizeof direction_);
  }
}

PVFAchsen::PVFAchsen(const double* origin, const double* direction) {
  if (origin != nullptr) {
    std::memcpy(origin_, origin, sizeof origin_);
  }
  if (direction != nullptr) {
    std::memcpy(direction_, direction, sizeof direction_);
  }
}

PVFAchsen::~PVFAchsen() = default;

int PVFAchsen::store(std::FILE* file) const {
  if (file == nullptr) {
    return -1;
  }
  std::fputs(CoordinateLine(origin_, direction_).c_str(), file);
  return 0;
}

XBOOL PVFAchsen::Store(PVFStream& stream) const {
  stream << "Revision_: " << revision_ << "\n"
         << CoordinateLine(origin_, direction_).c_str() << "\n";
  return FALSE;
}

XBOOL PVFAchsen::Restore(PVFStream& stream) {
  PVMStrg word;
  int revision = 0;
  double six[6];
  stream >> word >> revision;
  for (double& value : six) {
    value = NAN;
    stream >> value;
  }
  if (std::strcmp(word.GetpStr(), "Revision_:") != 0 || !AllFinite(six)) {
    return TRUE;
  }
  revision_ = revision;
  std::memcpy(origin_, six, sizeof origin_);
  std::memcpy(direction_, six + 3, sizeof direction_);
  return FALSE;
}
