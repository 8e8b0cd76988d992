// Start-up and shut-down of the engine's global tables, and the SAT-file-operation flag.
#include <varnex/builtins/builtins.h>
#include <varnex/language/interpreter.h>
#include <varnex/library/feature_list.h>
#include <varnex/library/library_hooks.h>
#include <varnex/library/modeller.h>
#include <varnex/library/variable_table.h>
#include <varnex/model/model.h>
#include <varnex/model/model_hooks.h>
#include <varnex/persistence/entity_connection_set.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/model_registry.h>

#include <memory>
#include <string>
#include <type_traits>

namespace {

// The modeller's state: set by PVFSetSATFileOperation, reset by initialize_modeller.
XBOOL sat_file_operation = FALSE;

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

const char* OldFeatureNameIntoNew(PVMStrg& name) {
  return pFeatureList != nullptr ? pFeatureList->OldNameIntoNewName(name) : name.GetpStr();
}

// The globals are this module's: a table left from earlier use is freed, not leaked.
template <class T>
void ReplaceGlobal(T*& global, std::type_identity_t<T>* value) {
  delete global;
  global = value;
}

}  // namespace

int initialize_modeller(const char* name) {
  if (WMODEL != nullptr) {
    deinitialize_modeller();
  }
  ReplaceGlobal(NOVL_functions, new ifunc_list());
  fill_method_table();
  ReplaceGlobal(pFeatureList, new FEATURE_LIST());
  pFeatureList->Read();
  PVFInstallObjectRecords();
  pPVFOldNameIntoNewName = &OldFeatureNameIntoNew;
  pPVFGetSATFileOperation = &PVFGetSATFileOperation;
  WMODEL = new mod_list();
  WMODEL->add(name != nullptr ? name : "NoName");
  total_count = 1;
  if (PVFTreeLifecycle start = GetModellerTreeStart()) {
    start();
  }
  ReplaceGlobal(pDefParaVar, new PVFDefParaVar());
  PVFCreateEntityConnections();
  SetLibraryFormulaEvaluator(&EvaluateForLibrary);
  sat_file_operation = FALSE;
  return 0;
}

int deinitialize_modeller() {
  // The nodes go first: they stand for objects of the model.
  if (PVFTreeLifecycle end = GetModellerTreeEnd()) {
    end();
  }
  while (WMODEL != nullptr && WMODEL->get_first() != nullptr) {
    WMODEL->remove(WMODEL->get_first());
  }
  ReplaceGlobal(WMODEL, nullptr);
  pPVFOldNameIntoNewName = nullptr;
  pPVFGetSATFileOperation = nullptr;
  if (GetLibraryFormulaEvaluator() == &EvaluateForLibrary) {
    SetLibraryFormulaEvaluator(nullptr);
  }
  ReplaceGlobal(pFeatureList, nullptr);
  ReplaceGlobal(NOVL_functions, nullptr);
  ReplaceGlobal(pDefParaVar, nullptr);
  PVFDeleteEntityConnections();
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
