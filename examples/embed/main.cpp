// A minimal CAD host: installs its message handler, starts the engine over the feature library
// that NOVLPath names, evaluates a formula, instantiates a feature and measures its bodies.
#include <varnex/varnex.h>

#include <cstdio>
#include <memory>

// The engine reports to the host through this handler; a GUI host would show a dialog.
class ConsoleMessages : public PVFHandleMessage {
 public:
  void Error(const char* title, const char* text) override {
    std::fprintf(stderr, "error: %s: %s\n", title, text);
  }
};

int main() {
  ConsoleMessages messages;
  pPVFHandleMessage = &messages;
  initialize_modeller("embed");  // built-ins, the feature library, the first model

  std::unique_ptr<aritm> value(evaluate_string("2 * 21;"));
  PVMStrg text;
  std::printf("2 * 21 = %s\n", value ? value->GetValue(text) : "nothing");

  const char* name = interpret("hex_nut");  // every parameter takes its default
  rumpf* nut = name != nullptr ? search(name) : nullptr;
  ENTITY_LIST bodies;
  double volume = 0;
  if (nut != nullptr && PVFCollectInstanceBodies(nut, bodies) > 0) {
    for (int i = 0; i < bodies.count(); ++i)
      volume += fmvolume_of_body(bodies[i]);
  }
  std::printf("%s volume = %.3f\n", name != nullptr ? name : "no instance", volume);
  deinitialize_modeller();
  gmod_del_all();
  pPVFHandleMessage = nullptr;
  return volume > 0 ? 0 : 1;
}
