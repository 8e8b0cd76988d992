// varnex parts FILE: the indented listing of a part-tree binary file.
#include <varnex/varnex.h>

#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"

namespace varnex::cli {

const Command kPartsCommand = {
    "parts", "print a part-tree file as its indented listing",
    "usage: varnex parts FILE\n"
    "\n"
    "Reads a part-tree binary file (the host's tree of parts and groups) and prints it\n"
    "as its listing: one line a node, a tab for each level below the top, the name in\n"
    "double quotes, then two tabs and the part's file when it is a part. Preceding\n"
    "comments and comments are printed as they are stored. Exits 1 when FILE cannot be\n"
    "read or is no part-tree file (another kind of file, or a damaged one).\n",
    RunParts};

int RunParts(Arguments args) {
  if (args.size() != 1) {
    return Fail("parts needs one FILE (see 'varnex parts --help')");
  }
  std::string error;
  if (!PVFIsRegularFile(args[0], &error)) {
    return Fail("cannot read part-tree file: " + error);
  }
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(args[0], "rb"), &std::fclose);
  if (!file) {
    return Fail(std::string("cannot open part-tree file ") + args[0]);
  }
  PVMStrg header;
  std::unique_ptr<PVMFMSTree> tree(PVMFMSTree::BinRead(file.get(), header));
  if (!tree) {
    return Fail(std::string(args[0]) + " is no part-tree file, or it is damaged");
  }
  if (!tree->Write(stdout)) {
    return Fail("cannot write the listing");
  }
  return 0;
}

}  // namespace varnex::cli
