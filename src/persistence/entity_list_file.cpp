// Entity lists saved into and restored from a BinaryFile.
#include <varnex/geometry/body_io.h>
#include <varnex/persistence/entity_list_file.h>

#include <vector>

namespace {

// Everything from the file's position to its end.
std::vector<unsigned char> RestOf(BinaryFile& file) {
  std::vector<unsigned char> data;
  unsigned char chunk[64 * 1024];
  for (std::size_t n; (n = file.read(chunk, sizeof chunk)) > 0;) {
    data.insert(data.end(), chunk, chunk + n);
  }
  return data;
}

}  // namespace

outcome api_save_entity_list_file(BinaryFile* file, const EntitySet& entities) {
  if (file == nullptr) {
    return outcome(KERNEL_NULL_ARGUMENT, "no file");
  }
  std::vector<unsigned char> data;
  outcome saved = SaveEntityListBinary(entities, data);
  if (saved.ok()) {
    file->write(data.data(), data.size());
  }
  return saved;
}

outcome api_restore_entity_list_file(BinaryFile* file, ENTITY_LIST& bodies) {
  if (file == nullptr) {
    return outcome(KERNEL_NULL_ARGUMENT, "no file");
  }
  BinaryFile::Mark start = file->set_mark();
  std::vector<unsigned char> data = RestOf(*file);
  std::size_t consumed = 0;
  outcome restored = RestoreEntityListBinary(data.data(), data.size(), bodies, &consumed);
  file->goto_mark(restored.ok() ? static_cast<BinaryFile::Mark>(start + consumed) : start);
  return restored;
}
