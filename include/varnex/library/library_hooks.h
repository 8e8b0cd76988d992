// The feature library's seams. Formula evaluation: initialize_modeller installs the
// interpreter's evaluation (and deinitialize_modeller removes it); tests install their own to
// run the library without the interpreter. The used instances and the tree's start and end:
// installed by the dependency tree, which is built above the library. The description kept in a
// model's persistent messenger: installed by whatever keeps the messenger. Each hook is a plain
// function pointer, a global of this library that lives for the process; without one the documented
// default applies.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/base/xbool.h>
#include <varnex/export.h>

/// Evaluates `formula` (an expression followed by ";") the way the interpreter evaluates a
/// value text. On success writes the value's text form to `text`, stores 1 or 0 in `*logical`
/// for a logical value and -1 for any other, and returns TRUE; FALSE when the formula cannot
/// be evaluated.
using PVFFormulaEvaluator = XBOOL (*)(const char* formula, PVMStrg& text, int* logical);

/// Appends to `names` the name of the root object of every node of the dependency tree, in
/// tree order; returns their number.
using PVFUsedInstancesProvider = int (*)(VALUE_LIST<PVMStrg>* names);

/// Fills the name and text of the feature description a model carries in its persistent
/// messenger; FALSE when the model has none.
using PVFNovlDescriptionProvider = XBOOL (*)(PVMStrg& name, PVMStrg& text);

/// Starts or ends the dependency tree: 0 on success.
using PVFTreeLifecycle = int (*)();

/// Installs the dependency tree's start (called by initialize_modeller once the first model
/// exists) and end (called by deinitialize_modeller before the models go, so that no node
/// outlives the objects it stands for). The tree installs them itself when it is part of the
/// program; null: no tree.
VARNEX_API void SetModellerTreeHooks(PVFTreeLifecycle start, PVFTreeLifecycle end);
VARNEX_API PVFTreeLifecycle GetModellerTreeStart();
VARNEX_API PVFTreeLifecycle GetModellerTreeEnd();

/// Drops every memory body of the engine run and deletes its files.
using PVFMemBodyFilesDeleter = void (*)();
/// Installs the memory-body store's deleter (the dependency tree installs its own;
/// PVFParaFeature::DeleteMemBodyFiles calls it). Null: nothing to delete.
VARNEX_API void SetMemBodyFilesDeleter(PVFMemBodyFilesDeleter deleter);
VARNEX_API PVFMemBodyFilesDeleter GetMemBodyFilesDeleter();

/// Installs the evaluator (null restores the default) and returns the previous one. Default:
/// none, so parameter values are taken as written and restraints are not enforced.
VARNEX_API PVFFormulaEvaluator SetLibraryFormulaEvaluator(PVFFormulaEvaluator evaluator);
VARNEX_API PVFFormulaEvaluator GetLibraryFormulaEvaluator();

/// Installs the provider of the used instances (null restores the default: no instances, so
/// FEATURE_LIST::Store(PVFStream&) writes no definitions). Returns the previous one.
VARNEX_API PVFUsedInstancesProvider
SetLibraryUsedInstancesProvider(PVFUsedInstancesProvider provider);
VARNEX_API PVFUsedInstancesProvider GetLibraryUsedInstancesProvider();

/// Installs the provider of the messenger's description (null restores the default: none).
/// Returns the previous one.
VARNEX_API PVFNovlDescriptionProvider
SetLibraryNovlDescriptionProvider(PVFNovlDescriptionProvider provider);
VARNEX_API PVFNovlDescriptionProvider GetLibraryNovlDescriptionProvider();
