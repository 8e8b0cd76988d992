// Fuzzes the dependency-tree file reader: node records read into an empty tree of a model of
// their own; the tree must never loop and everything read is destroyed again.
#include <varnex/varnex.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varnex::fuzz::StartModeller("fuzz");
  std::string text(reinterpret_cast<const char*>(data), size);
  if (WMODEL->add("scratch") == nullptr || WMODEL->activate("scratch") == nullptr) {
    return 0;
  }
  PDTnodes* nodes = all_nodes;
  rvoid_list* roots = free_nodes;
  all_nodes = new PDTnodes();
  free_nodes = new rvoid_list();
  PVFClearRecordError();
  if (std::FILE* in = fmemopen(text.data(), text.size() + (text.empty() ? 1 : 0), "r")) {
    PVMRestoreTreeFile(in);
    std::fclose(in);
  }
  for (PDTnode* node : *all_nodes) {
    int steps = 0;
    for (PDTnode* up = node->get_parent(); up != nullptr; up = up->get_parent()) {
      if (++steps > all_nodes->size()) {
        std::abort();  // the tree loops
      }
    }
  }
  PVFClearRecordError();
  PDTdelete();
  delete all_nodes;
  delete free_nodes;
  all_nodes = nodes;
  free_nodes = roots;
  WMODEL->activate("fuzz");
  WMODEL->remove("scratch");
  return 0;
}
