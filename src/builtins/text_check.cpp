// The checking pass over a feature text against the engine's own built-in names.
#include <varnex/builtins/builtins.h>

#include <memory>
#include <utility>

int NovlCheckText(const char* text, const NovlFindingSink& sink,
                  const NovlFunctionQuery& is_feature) {
  if (NOVL_functions != nullptr) {
    return NovlCheckTextWith(text, NOVL_functions, sink, is_feature);
  }
  auto full = std::make_unique<ifunc_list>();
  ifunc_list* saved = std::exchange(NOVL_functions, full.get());
  fill_method_table();
  NOVL_functions = saved;
  return NovlCheckTextWith(text, full.get(), sink, is_feature);
}
