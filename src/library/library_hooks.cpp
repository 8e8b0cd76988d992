// The installed seams of the feature library (see library_hooks.h for the defaults).
#include <varnex/library/library_hooks.h>

#include <utility>

namespace {

PVFFormulaEvaluator formulaEvaluator = nullptr;
PVFUsedInstancesProvider usedInstancesProvider = nullptr;
PVFNovlDescriptionProvider novlDescriptionProvider = nullptr;
PVFTreeLifecycle treeStart = nullptr;
PVFTreeLifecycle treeEnd = nullptr;
PVFMemBodyFilesDeleter memBodyFilesDeleter = nullptr;

}  // namespace

PVFFormulaEvaluator SetLibraryFormulaEvaluator(PVFFormulaEvaluator evaluator) {
  return std::exchange(formulaEvaluator, evaluator);
}

PVFFormulaEvaluator GetLibraryFormulaEvaluator() {
  return formulaEvaluator;
}

PVFUsedInstancesProvider SetLibraryUsedInstancesProvider(PVFUsedInstancesProvider provider) {
  return std::exchange(usedInstancesProvider, provider);
}

PVFUsedInstancesProvider GetLibraryUsedInstancesProvider() {
  return usedInstancesProvider;
}

PVFNovlDescriptionProvider SetLibraryNovlDescriptionProvider(PVFNovlDescriptionProvider provider) {
  return std::exchange(novlDescriptionProvider, provider);
}

PVFNovlDescriptionProvider GetLibraryNovlDescriptionProvider() {
  return novlDescriptionProvider;
}

void SetModellerTreeHooks(PVFTreeLifecycle start, PVFTreeLifecycle end) {
  treeStart = start;
  treeEnd = end;
}

PVFTreeLifecycle GetModellerTreeStart() {
  return treeStart;
}

PVFTreeLifecycle GetModellerTreeEnd() {
  return treeEnd;
}

void SetMemBodyFilesDeleter(PVFMemBodyFilesDeleter deleter) {
  memBodyFilesDeleter = deleter;
}

PVFMemBodyFilesDeleter GetMemBodyFilesDeleter() {
  return memBodyFilesDeleter;
}
