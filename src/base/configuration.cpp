// PVFConfiguration: line reader, section filter and queries.
#include <varnex/base/configuration.h>
#include <varnex/base/file_io.h>

#include <sstream>
#include <string>

namespace {

std::unique_ptr<PVMStrg> CopyUnlessEmpty(const PVMStrg& text) {
  return text.IsVoid() ? nullptr : std::make_unique<PVMStrg>(text);
}

std::unique_ptr<PVMStrg> CopyOf(const std::unique_ptr<PVMStrg>& text) {
  return text ? std::make_unique<PVMStrg>(*text) : nullptr;
}

bool IsCommentLine(const std::string& line) {
  std::size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == ';';
}

bool IsSectionHeader(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

PVFConfiguration::PVFConfiguration() = default;

PVFConfiguration::PVFConfiguration(const PVMStrg& file, const PVMStrg& module)
    : file_(CopyUnlessEmpty(file)), module_(CopyUnlessEmpty(module)) {
  ReadFile();
}

PVFConfiguration::PVFConfiguration(const PVFConfiguration& other)
    : file_(CopyOf(other.file_)),
      module_(CopyOf(other.module_)),
      names_(other.names_),
      values_(other.values_) {}

PVFConfiguration& PVFConfiguration::operator=(const PVFConfiguration& other) {
  if (this != &other) {
    file_ = CopyOf(other.file_);
    module_ = CopyOf(other.module_);
    names_ = other.names_;
    values_ = other.values_;
  }
  return *this;
}

PVFConfiguration::~PVFConfiguration() = default;

XBOOL PVFConfiguration::Refresh() {
  names_.Clear();
  values_.Clear();
  ReadFile();
  return FALSE;
}

// Lines of any length; a last line without a line feed counts like any other, and the carriage
// return of a CR LF file is dropped as a text-mode read would.
void PVFConfiguration::ReadFile() {
  if (!file_) {
    return;
  }
  // Regular files only, and bounded: a directory or a device ("/dev/zero") yields no entries.
  std::string bytes;
  if (!PVFReadRegularFile(file_->GetpStr(), bytes)) {
    return;
  }
  std::istringstream in(bytes);
  bool inModule = !module_;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (IsCommentLine(line)) {
      continue;
    }
    if (IsSectionHeader(line)) {
      inModule = !module_ || line.substr(1, line.size() - 2) == module_->Std().c_str();
      continue;
    }
    if (inModule) {
      TakeLine(PVMStrg(line));
    }
  }
}

void PVFConfiguration::TakeLine(const PVMStrg& line) {
  PVMStrg value(line);
  PVMStrg name;
  if (value.Find('=')) {
    value.CutForward(name, '=');
  } else {
    name = value;
    value = "";
  }
  names_.add(name);
  values_.add(value);
}

int PVFConfiguration::Name(const PVMStrg& name) const {
  if (name.IsVoid()) {
    return names_.count();
  }
  int matches = 0;
  for (int i = 0; i < names_.count(); ++i) {
    matches += names_[i] == name ? 1 : 0;
  }
  return matches;
}

int PVFConfiguration::Names(VALUE_LIST<PVMStrg>* out, XBOOL) const {
  for (int i = 0; out != nullptr && i < names_.count(); ++i) {
    out->add(names_[i]);
  }
  return names_.count();
}

const char* PVFConfiguration::Value(const PVMStrg& name, PVMStrg& out) const {
  for (int i = 0; i < names_.count(); ++i) {
    if (name.IsVoid() || names_[i] == name) {
      out = values_[i];
      return out.GetpStr();
    }
  }
  return nullptr;
}

int PVFConfiguration::Values(const PVMStrg& name, VALUE_LIST<PVMStrg>* out) const {
  if (out == nullptr) {
    return Name(name);
  }
  for (int i = 0; i < names_.count(); ++i) {
    if (name.IsVoid() || names_[i] == name) {
      out->add(values_[i]);
    }
  }
  return out->count();
}
