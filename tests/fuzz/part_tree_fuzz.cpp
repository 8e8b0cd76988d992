// The part tree's binary file: read, and when it reads, written and read again to the same tree.
#include <varnex/library/part_tree.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(varnex::fuzz::AsText(data, size));
  bytes.push_back('\0');  // fmemopen needs a buffer; the reader sees only `size` bytes
  FILE* in = fmemopen(bytes.data(), size == 0 ? 1 : size, "rb");
  if (in == nullptr) {
    return 0;
  }
  PVMStrg header;
  std::unique_ptr<PVMFMSTree> tree(PVMFMSTree::BinRead(in, header));
  std::fclose(in);
  if (!tree) {
    return 0;
  }
  char* buffer = nullptr;
  std::size_t written = 0;
  FILE* out = open_memstream(&buffer, &written);
  int nodes = tree->BinWrite(out, header);
  std::fclose(out);
  FILE* again = fmemopen(buffer, written, "rb");
  PVMStrg header_again;
  std::unique_ptr<PVMFMSTree> reread(PVMFMSTree::BinRead(again, header_again));
  std::fclose(again);
  std::free(buffer);
  if (nodes == 0 || !reread || !reread->IsEqual(tree.get()) || header_again != header) {
    std::abort();  // what the writer wrote must read back as the same tree
  }
  return 0;
}
