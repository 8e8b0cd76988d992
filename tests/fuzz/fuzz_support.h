// What the fuzz targets share: the engine's global tables set up once, and a scratch file for
// readers that take a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnex::fuzz {

/// The input as text.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

/// Writes `bytes` to a file of this process named `name` in a scratch directory and returns its
/// path (the same path for the same name on every call).
std::string ScratchFile(const std::string& name, std::string_view bytes);

/// Sets up, once per process, the built-in function table, a root world and small run limits
/// (so that a fuzzed loop or recursion ends quickly); installs a message handler that drops
/// every message.
void StartEngine();

/// Starts, once per process, the whole modeller with an empty feature library, its first model
/// called `model`.
void StartModeller(const char* model);

}  // namespace varnex::fuzz
