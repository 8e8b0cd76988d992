// The subcommands of the varnex host. Each returns the process exit status: 0 on success,
// 1 on failure after a one-line reason on stderr.
#pragma once

#include <span>
#include <string_view>

namespace varnex::cli {

using Arguments = std::span<char* const>;

struct Command {
  std::string_view name;
  std::string_view synopsis;  ///< one line for the overview
  std::string_view help;      ///< full text for `varnex NAME --help`
  int (*run)(Arguments args);
};

int RunCheck(Arguments args);
int RunConfig(Arguments args);
int RunEval(Arguments args);
int RunDemo(Arguments args);
int RunExport(Arguments args);
int RunList(Arguments args);
int RunParts(Arguments args);
int RunRun(Arguments args);
int RunSession(Arguments args);

extern const Command kCheckCommand;
extern const Command kConfigCommand;
extern const Command kEvalCommand;
extern const Command kDemoCommand;
extern const Command kExportCommand;
extern const Command kListCommand;
extern const Command kPartsCommand;
extern const Command kRunCommand;
extern const Command kSessionCommand;

/// True when the arguments ask for help.
bool WantsHelp(Arguments args);
/// Prints "varnex: MESSAGE" on stderr and returns 1.
int Fail(std::string_view message);

}  // namespace varnex::cli
