// A minimal CAD host: installs its message handler, evaluates a NOVL formula and builds a body.
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
  ds_init();  // the model's root world

  std::unique_ptr<aritm> value(evaluate_string("2 * 21;"));
  PVMStrg text;
  std::printf("2 * 21 = %s\n", value ? value->GetValue(text) : "nothing");

  ENTITY* hole = fmcreate_cylinder(30, 5);  // stands on z = 0; the plate is centred on it
  api_apply_transf(hole, fmtranslate(0, 0, -15));
  ENTITY* plate = subtract(hole, fmcreate_cube(100, 50, 10));
  std::printf("plate volume = %.3f\n", fmvolume_of_body(plate));
  gmod_del_all();
  pPVFHandleMessage = nullptr;
  return plate != nullptr ? 0 : 1;
}
