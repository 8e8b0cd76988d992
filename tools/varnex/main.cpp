// varnex: the command-line host. Dispatches to one subcommand per file.
#include <varnex/varnex.h>

#include <array>
#include <cstdio>
#include <iostream>
#include <string>

#include "commands.h"

namespace varnex::cli {

bool WantsHelp(Arguments args) {
  for (const char* arg : args) {
    std::string_view word(arg);
    if (word == "--help" || word == "-h") {
      return true;
    }
  }
  return false;
}

int Fail(std::string_view message) {
  std::cerr << "varnex: " << message << '\n';
  return 1;
}

namespace {

const std::array kCommands = {&kCheckCommand, &kConfigCommand, &kDemoCommand,
                              &kEvalCommand,  &kExportCommand, &kListCommand,
                              &kPartsCommand, &kRunCommand,    &kSessionCommand};

void PrintOverview(std::FILE* out) {
  std::fprintf(out, "usage: varnex COMMAND [ARGS...]\n       varnex --version\n\ncommands:\n");
  for (const Command* command : kCommands) {
    std::fprintf(out, "  %-10.*s %.*s\n", static_cast<int>(command->name.size()),
                 command->name.data(), static_cast<int>(command->synopsis.size()),
                 command->synopsis.data());
  }
  std::fprintf(out, "\n'varnex COMMAND --help' describes one command.\n");
}

}  // namespace
}  // namespace varnex::cli

int main(int argc, char** argv) {
  using namespace varnex::cli;
  if (argc < 2) {
    PrintOverview(stderr);
    return 1;
  }
  std::string_view name(argv[1]);
  if (name == "--version") {
    std::printf("varnex %s\n", VarnexVersion());
    return 0;
  }
  if (name == "--help" || name == "-h" || name == "help") {
    PrintOverview(stdout);
    return 0;
  }
  Arguments args(argv + 2, static_cast<std::size_t>(argc - 2));
  for (const Command* command : kCommands) {
    if (command->name == name) {
      if (WantsHelp(args)) {
        std::printf("%.*s", static_cast<int>(command->help.size()), command->help.data());
        return 0;
      }
      return command->run(args);
    }
  }
  return Fail("unknown command '" + std::string(name) + "' (try 'varnex --help')");
}
