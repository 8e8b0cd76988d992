// The table of built-in functions: hashing of call names, insertion keeping the first handler,
// the lookup-and-call of a call expression, and the argument counter of variadic built-ins.
#include <varnex/language/function_table.h>

namespace {

// The table starts with 11 buckets and grows once its load passes 1.0.
constexpr std::size_t kInitialBuckets = 11;

std::uint32_t HashBytes(std::string_view name) {
  std::uint32_t value = 0;
  for (char byte : name) {
    // A character is a signed byte: bytes above 127 extend their sign into the 32 bits.
    auto c = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(byte)));
    value ^= c + 0x9E3779B9u + (value << 6) + (value >> 2);
  }
  return value;
}

}  // namespace

// Owned by the modeller: created and filled by initialize_modeller, deleted by
// deinitialize_modeller (tests may install their own for their span).
ifunc_list* NOVL_functions = nullptr;

std::uint32_t NovlNameHash(const char* name) {
  return name == nullptr ? 0u : HashBytes(name);
}

std::size_t NovlNameHasher::operator()(std::string_view name) const {
  return HashBytes(name);
}

ifunc_list::ifunc_list() : entries_(kInitialBuckets) {
  entries_.max_load_factor(1.0f);
}

ifunc_list::~ifunc_list() = default;

XBOOL ifunc_list::insert(const char* name, handler function) {
  if (name == nullptr || function == nullptr) {
    return FALSE;
  }
  return ToXBool(entries_.emplace(name, function).second);
}

ifunc_list::handler ifunc_list::find(const char* name) const {
  if (name == nullptr) {
    return nullptr;
  }
  auto found = entries_.find(std::string_view(name));
  return found == entries_.end() ? nullptr : found->second;
}

int ifunc_list::call(const char* name, aritm** args, aritm** result) const {
  if (result == nullptr) {
    return 0;
  }
  *result = nullptr;
  handler function = find(name);
  if (function == nullptr) {
    return 0;
  }
  function(args, result);
  return 1;
}

int CallNovlFunction(const char* name, aritm** args, aritm** result) {
  if (NOVL_functions == nullptr) {
    if (result != nullptr) {
      *result = nullptr;
    }
    return 0;
  }
  return NOVL_functions->call(name, args, result);
}

int ParametersFromStack(void** args, void_list* list) {
  if (args == nullptr) {
    return 0;
  }
  int count = 0;
  for (; args[count] != nullptr; ++count) {
    if (list != nullptr && list->lookup(args[count]) < 0) {
      list->add(args[count]);
    }
  }
  return count;
}
