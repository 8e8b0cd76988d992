// Model packages and the part files of a model (see packages.h).
#include <sys/stat.h>
#include <unistd.h>
#include <varnex/base/file_io.h>
#include <varnex/base/messages.h>
#include <varnex/geometry/body_io.h>
#include <varnex/geometry/entity.h>
#include <varnex/library/feature_list.h>
#include <varnex/modelstore/packages.h>
#include <varnex/persistence/file_stream.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/model_registry.h>
#include <varnex/tree/nodes.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "base/private_directory.h"
#include "modelstore/body_links.h"
#include "persistence/text_file_binding.h"

namespace {

using varnex::base::BaseName;
using varnex::base::PrivateDirectory;

constexpr char kEndOfInput = 26;
constexpr const char* kHeader = "\"# VARNEX Version 4.2\n\"";

bool feature_list_switch = true;
std::string last_error;

// The model store is the default of the registry's whole-model hooks.
struct DefaultModelStores {
  DefaultModelStores() {
    if (store_mod == nullptr && restore_mod == nullptr) {
      store_mod = &store_mod_element;
      restore_mod = &restore_mod_element;
    }
  }
} install_default_model_stores;

void Failed(const char* operation, const std::string& message) {
  if (last_error.empty()) {
    last_error = message;
  }
  ClassError("PVMStoreFM", operation, message.c_str(), 1, 0);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  bytes = all.str();
  return !in.bad();
}

std::FILE* FileOf(PVFFStream& stream) {
  return stream.Binding() != nullptr ? stream.Binding()->file() : nullptr;
}

// Writes one part file through `write`; its name, or empty (reported) when it failed.
template <class Write>
PVMStrg WritePart(const std::string& path, Write write) {
  PVFAtomicFile file(path.c_str());
  if (!file.Ok()) {
    Failed("store", file.Error());
    return PVMStrg();
  }
  PVFClearRecordError();
  write(file.Stream());
  if (PVFRecordError() != nullptr) {
    file.Fail(PVFRecordError());
  }
  if (!file.Commit()) {
    Failed("store", file.Error());
    return PVMStrg();
  }
  return PVMStrg(path.c_str());
}

// Reads one part file through `read`: 0 when read, 1 when missing, 2 when damaged.
template <class Read>
int ReadPart(const std::string& path, Read read) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (file == nullptr) {
    return 1;
  }
  PVFClearRecordError();
  bool ok = read(file.get());
  if (!ok || PVFRecordError() != nullptr) {
    Failed("restore", path + ": " + (PVFRecordError() != nullptr ? PVFRecordError() : "damaged"));
    return 2;
  }
  return 0;
}

bool AddSection(PVFFStream& stream, const PVMStrg& part, const char* marker) {
  return part.IsVoid() || PVMStoreCopy(part, stream, marker) == TRUE;
}

// Writes base.nd when some geometric object holds a body; its name, else empty.
PVMStrg StoreBodyLinks(const PVMStrg& base, geo_list* bodies) {
  std::string path = std::string(base.GetpStr()) + ".nd";
  int lines = 0;
  PVMStrg written = WritePart(path, [&](std::FILE* f) {
    lines = varnex::modelstore::WriteBodyLinks(f, bodies);
    if (lines < 0) {
      PVFSetRecordError("PVMStoreFM", "the body links cannot be written");
    }
  });
  if (lines == 0 && written.IsNotVoid()) {
    std::remove(path.c_str());
    return PVMStrg();
  }
  return written;
}

bool EndsWithSeparator(const std::string& text, const std::string& separator) {
  return text.size() >= separator.size() &&
         text.compare(text.size() - separator.size(), separator.size(), separator) == 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Storing

PVMStrg PVMStoreFMfds(PVMStrg& base) {
  if (store_fds == nullptr) {
    return PVMStrg();
  }
  return WritePart(std::string(base.GetpStr()) + ".fds", [](std::FILE* f) { store_fds(f); });
}

PVMStrg PVMStoreFMpdt(PVMStrg& base) {
  if (store_pdt == nullptr) {
    return PVMStrg();
  }
  return WritePart(std::string(base.GetpStr()) + ".pdt", [](std::FILE* f) {
    if (store_pdt(f) != 0) {
      PVFSetRecordError("PVMStoreFM", "the dependency tree cannot be written");
    }
  });
}

PVMStrg PVMStoreFeatList(PVMStrg& base) {
  std::string path = std::string(base.GetpStr()) + ".fli";
  if (pFeatureList == nullptr) {
    return PVMStrg();
  }
  if (!feature_list_switch) {
    return PVMStrg(path.c_str());
  }
  PVFAtomicFile file(path.c_str());
  if (!file.Ok()) {
    Failed("store", file.Error());
    return PVMStrg();
  }
  {
    PVFFStream stream(file.TemporaryPath(), PVFFiStream::kWrite);
    pFeatureList->Store(stream);
    std::FILE* f = FileOf(stream);
    if (f == nullptr || std::fflush(f) != 0 || std::ferror(f) != 0 || stream.Close() == FALSE) {
      file.Fail("cannot write " + path);
    }
  }
  if (!file.Commit()) {
    Failed("store", file.Error());
    return PVMStrg();
  }
  return PVMStrg(path.c_str());
}

PVMStrg PVMStoreFMgeo(PVMStrg& base, mod_element* model) {
  if (store_glist == nullptr || model == nullptr) {
    return PVMStrg();
  }
  return WritePart(std::string(base.GetpStr()) + ".sat",
                   [model](std::FILE* f) { store_glist(f, model->get_bodies()); });
}

XBOOL PVMStoreCopy(const char* part, PVFFStream& stream, const char* marker) {
  if (part == nullptr || marker == nullptr) {
    return FALSE;
  }
  std::string bytes;
  bool read = ReadWhole(part, bytes);
  std::remove(part);
  if (!read) {
    Failed("store", std::string("cannot read the part file ") + part);
    return FALSE;
  }
  if (bytes.find(kPVMSectionSeparator) != std::string::npos) {
    Failed("store", std::string("the ") + marker +
                        " section holds the package separator text and cannot be stored");
    return FALSE;
  }
  stream << kPVMSectionSeparator << "\n" << marker << "\n";
  stream.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
  stream << "\n";
  return TRUE;
}

PVMStrg PVMStoreFM(PVFFStream& stream, PVMStrg& base, mod_element* model, XBOOL withFeatureList) {
  last_error.clear();
  std::string package = std::string(base.GetpStr()) + ".VNX";
  PVFAtomicFile target(package.c_str());
  PrivateDirectory parts;
  if (!target.Ok() || !parts.Ok() ||
      stream.Open(target.TemporaryPath(), PVFFiStream::kWrite) == FALSE) {
    Failed("store", !target.Ok() ? target.Error() : "cannot write " + package);
    return PVMStrg();
  }
  stream.PutCString(kHeader);
  stream << "\n\n";
  bool ok = true;
  geo_list* bodies = model != nullptr ? model->get_bodies() : nullptr;
  if (bodies != nullptr && bodies->count() > 0) {
    PVFStoreBodies(bodies, nullptr);
    stream << "ACIS-Start\n";
    stream.Flush();
    outcome saved = api_save_entity_list(FileOf(stream), TRUE, *bodies);
    PVFListAfterStore(bodies);
    stream << "\n";
    if (!saved.ok()) {
      Failed("store", "the bodies cannot be saved: " + saved.message());
      ok = false;
    }
  }
  PVMStrg part_base(parts.Inside(BaseName(base.GetpStr())).c_str());
  ok = ok && AddSection(stream, PVMStoreFMfds(part_base), "FDS-FILE");
  ok = ok && AddSection(stream, PVMStoreFMpdt(part_base), "PDT-FILE");
  if (withFeatureList) {
    ok = ok && AddSection(stream, PVMStoreFeatList(part_base), "FLI-FILE");
  }
  // Which objects hold which bodies, when any do: readers that know no such section skip it.
  if (ok && bodies != nullptr && bodies->count() > 0) {
    ok = AddSection(stream, StoreBodyLinks(part_base, bodies), "NB-FILE");
  }
  ok = ok && last_error.empty();
  std::FILE* file = FileOf(stream);
  if (file == nullptr || std::fflush(file) != 0 || std::ferror(file) != 0) {
    ok = false;
  }
  if (stream.Close() == FALSE) {
    ok = false;
  }
  if (!ok) {
    target.Fail(last_error.empty() ? "cannot write " + package : last_error);
  }
  if (!target.Commit()) {
    Failed("store", target.Error());
    return PVMStrg();
  }
  return PVMStrg(package.c_str());
}

int store_mod_element(const char* name, mod_element* model) {
  if (name == nullptr) {
    return -1;
  }
  PVFFStream stream;
  PVMStrg base(name);
  PVMStrg package = PVMStoreFM(stream, base, model, TRUE);
  if (package.IsVoid()) {
    return 1;
  }
  PVMStoreFMgeo(base, model);
  return last_error.empty() ? 0 : 1;
}

// ---------------------------------------------------------------------------------------------
// Restoring

XBOOL PVMReStoreCopy(const char* base, PVFFStream& stream, const char* suffix) {
  std::string path = std::string(base != nullptr ? base : "") + (suffix != nullptr ? suffix : "");
  const std::string separator = kPVMSectionSeparator;
  XBOOL skip = stream.FmtSkipWhite(FALSE);
  std::string section;
  char c = 0;
  stream >> c;
  while (c == '\n' || c == '\r') {
    stream >> c;
  }
  bool found = false;
  while (c != kEndOfInput) {
    section += c;
    if (EndsWithSeparator(section, separator)) {
      section.resize(section.size() - separator.size());
      found = true;
      break;
    }
    stream >> c;
  }
  stream.FmtSkipWhite(skip);
  // The part file lives in the restore's private directory: no other reader can see it half
  // written, so a plain checked write is enough.
  std::FILE* out = std::fopen(path.c_str(), "wb");
  bool written =
      out != nullptr && std::fwrite(section.data(), 1, section.size(), out) == section.size();
  if (out == nullptr || std::fclose(out) != 0 || !written) {
    Failed("restore", "cannot write " + path);
  }
  return ToXBool(found);
}

const char* PVMReStoreFM(PVFFStream& stream, PVMStrg& file, const char* base, mod_element* model,
                         XBOOL withFeatureList) {
  std::string name(file.GetpStr());
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.substr(dot + 1) != "VNX" ||
      stream.Open(name.c_str(), PVFFiStream::kRead) == FALSE) {
    Failed("restore", "cannot read the package " + name);
    return file;
  }
  PVMStrg header;
  stream.GetCString(header);
  if (header.IsVoid()) {
    Failed("restore", name + " is no model package");
    stream.Close();
    return file;
  }
  PVMStrg word;
  stream >> word;
  if (word == "ACIS-Start") {
    XBOOL skip = stream.FmtSkipWhite(FALSE);
    char line_feed = 0;
    stream >> line_feed;
    stream.FmtSkipWhite(skip);
    ENTITY_LIST restored;
    outcome read = api_restore_entity_list(FileOf(stream), TRUE, restored);
    if (!read.ok()) {
      Failed("restore", "the bodies of " + name + " cannot be read: " + read.message());
    } else {
      geo_list bodies;
      bodies.add(restored);
      PVFRestoreBodies(&bodies, model != nullptr ? model->get_bodies() : nullptr);
    }
    stream >> word;
  }
  bool after_separator = word == kPVMSectionSeparator;
  std::string part_base(base != nullptr ? base : "");
  while (true) {
    stream >> word;
    if (word.IsVoid()) {
      break;
    }
    const char* suffix = word == "FDS-FILE"                      ? ".fds"
                         : word == "PDT-FILE"                    ? ".pdt"
                         : word == "FLI-FILE" && withFeatureList ? ".fli"
                         : word == "NB-FILE"                     ? ".nd"
                                                                 : nullptr;
    if (after_separator && suffix != nullptr) {
      after_separator = PVMReStoreCopy(part_base.c_str(), stream, suffix) == TRUE;
    } else {
      after_separator = word == kPVMSectionSeparator;
    }
  }
  stream.Close();
  return file;
}

int PVMReStoreFMfds(const char* base) {
  if (restore_fds == nullptr || base == nullptr) {
    return 1;
  }
  return ReadPart(std::string(base) + ".fds", [](std::FILE* f) { return restore_fds(f) == 1; });
}

int PVMReStoreFMpdt(const char* base) {
  if (restore_pdt == nullptr || base == nullptr) {
    return 1;
  }
  return ReadPart(std::string(base) + ".pdt", [](std::FILE* f) { return restore_pdt(f) == 0; });
}

int PVMReStoreFeatList(const char* base) {
  if (!feature_list_switch || pFeatureList == nullptr || base == nullptr) {
    return 1;
  }
  std::string path = std::string(base) + ".fli";
  if (!Exists(path)) {
    return 1;
  }
  PVFFStream stream(path.c_str(), PVFFiStream::kRead);
  if (pFeatureList->Restore(stream) < 0) {
    Failed("restore", path + ": damaged feature definitions");
    return 2;
  }
  return 0;
}

int PVMReStoreFMgeo(const char* file, mod_element* model) {
  if (file == nullptr) {
    return -1;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file, "rb"), &std::fclose);
  if (in == nullptr) {
    return -1;
  }
  if (restore_glist == nullptr) {
    return 1;
  }
  int lists = 0;
  while (geo_list* restored = restore_glist(in.get())) {
    PVFRestoreBodies(restored, model != nullptr ? model->get_bodies() : nullptr);
    delete restored;
    ++lists;
  }
  return lists > 0 ? 0 : 1;
}

int PVMDelReStoreFiles(const char* base) {
  int sum = 0;
  for (const char* suffix : {".fds", ".pdt", ".fli", ".nd"}) {
    sum += std::remove((std::string(base != nullptr ? base : "") + suffix).c_str()) == 0 ? 0 : -1;
  }
  return sum;
}

int PVMReStoreListChange() {
  feature_list_switch = !feature_list_switch;
  return feature_list_switch ? 1 : 0;
}

int restore_mod_element(const char* name, mod_element* model) {
  if (name == nullptr) {
    return -1;
  }
  last_error.clear();
  varnex::modelstore::ForgetRestoredBodies();
  std::string package = std::string(name) + ".VNX";
  std::string base = name;
  std::unique_ptr<PrivateDirectory> parts;
  if (Exists(package)) {
    parts = std::make_unique<PrivateDirectory>();
    if (!parts->Ok()) {
      Failed("restore", "cannot create a private directory for the parts of " + package);
      return 1;
    }
    base = parts->Inside(BaseName(name));
    PVFFStream stream;
    PVMStrg file(package.c_str());
    PVMReStoreFM(stream, file, base.c_str(), model, TRUE);
  }
  if (last_error.empty()) {
    PVMReStoreFeatList(base.c_str());
    if (PVMReStoreFMfds(base.c_str()) == 1 && parts != nullptr && restore_fds != nullptr) {
      Failed("restore", package + " holds no data-structure section");
    }
    PVMReStoreFMpdt(base.c_str());
    if (parts != nullptr) {
      ReadPart(base + ".nd", [](std::FILE* f) { return varnex::modelstore::ReadBodyLinks(f); });
    }
    varnex::modelstore::RelinkRestoredBodies();
  }
  if (parts != nullptr) {
    PVMDelReStoreFiles(base.c_str());
  }
  if (last_error.empty() && PVMReStoreFMgeo((std::string(name) + ".sat").c_str(), model) < 0) {
    PVMReStoreFMgeo((std::string(name) + ".SAT").c_str(), model);
  }
  return last_error.empty() ? 0 : 1;
}

const char* PVMLastStoreError() {
  return last_error.c_str();
}

void PVMStoreFailure(const char* message) {
  last_error.clear();
  Failed("store", message != nullptr ? message : "failed");
}
