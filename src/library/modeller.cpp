// Start-up and shut-down of the engine's global tables, and the SAT-file-operation flag.
#include <varnex/builtins/builtins.h>
#include <varnex/language/interpreter.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/library_hooks.h>
#include <varnex/library/modeller.h>
#include <varnex/library/variable_table.h>
#include <varnex/model/model.h>

#include <memory>
#include <string>
#include <type_traits>

namespace {

// The modeller's state: set by PVFSetSATFileOperation, reset by initialize_modeller.
XBOOL sat_file_operation = FALSE;

// The models of the session. Until the model store arrives there is exactly one model: its
// name and its root world. The root world is owned here when start-up created it; a world that
// was current before start-up stays its creator's.
struct FirstModel {
  std::string name;
  nullwelt* root = nullptr;
  bool owns_root = false;
};
std::unique_ptr<FirstModel> first_model;

// The library's restraint checks and value texts go through the interpreter.
XBOOL EvaluateForLibrary(const char* formula, PVMStrg& text, int* logical) {
  std::unique_ptr<aritm> value(evaluate_string(formula));
  if (!value) {
    return FALSE;
  }
  value->GetValue(text);
  if (logical != nullptr) {
    *logical = value->IsOpLogic() ? (value->get_LOGICAL() == TRUE ? 1 : 0) : -1;
  }
  return TRUE;
}

void CreateFirstModel(const char* name) {
  first_model = std::make_unique<FirstModel>();
  first_model->name = name != nullptr ? name : "NoName";
  first_model->owns_root = anfang == nullptr;
  ds_init();
  first_model->root = anfang->get_inertial_world();
  total_count = 1;
}

void DeleteFirstModel() {
  if (first_model == nullptr) {
    return;
  }
  if (first_model->owns_root) {
    anfang = nullptr;
    delete first_model->root;
  }
  first_model.reset();
}

// The globals are this module's: a table left from earlier use is freed, not leaked.
template <class T>
void ReplaceGlobal(T*& global, std::type_identity_t<T>* value) {
  delete global;
  global = value;
}

}  // namespace

int initialize_modeller(const char* name) {
  if (first_model != nullptr) {
    deinitialize_modeller();
  }
  ReplaceGlobal(NOVL_functions, new ifunc_list());
  fill_method_table();
  ReplaceGlobal(pFeatureList, new FEATURE_LIST());
  pFeatureList->Read();
  CreateFirstModel(name);
  if (PVFTreeLifecycle start = GetModellerTreeStart()) {
    start();
  }
  ReplaceGlobal(pDefParaVar, new PVFDefParaVar());
  SetLibraryFormulaEvaluator(&EvaluateForLibrary);
  sat_file_operation = FALSE;
  return 0;
}

int deinitialize_modeller() {
  // The nodes go first: they stand for objects of the model.
  if (PVFTreeLifecycle end = GetModellerTreeEnd()) {
    end();
  }
  DeleteFirstModel();
  if (GetLibraryFormulaEvaluator() == &EvaluateForLibrary) {
    SetLibraryFormulaEvaluator(nullptr);
  }
  ReplaceGlobal(pFeatureList, nullptr);
  ReplaceGlobal(NOVL_functions, nullptr);
  ReplaceGlobal(pDefParaVar, nullptr);
  return 0;
}

XBOOL PVFGetSATFileOperation() {
  return sat_file_operation;
}

XBOOL PVFSetSATFileOperation(XBOOL running) {
  XBOOL previous = sat_file_operation;
  sat_file_operation = running;
  return previous;
}
