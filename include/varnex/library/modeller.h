// The host's door to the engine: start-up and shut-down of the global tables, and instances
// of library features (interpret, reinterpret). Formulas and nested texts are evaluated
// through <varnex/language/interpreter.h>. Single-threaded, like the whole engine.
#pragma once

#include <varnex/base/xbool.h>
#include <varnex/export.h>

class rumpf;

/// Builds the global tables: the built-in function table (NOVL_functions), the feature library
/// (pFeatureList, read from the context's language path "NOVLPath"), the first model named
/// `name` ("NoName" for null) whose root world becomes current, the default parameter
/// variables (pDefParaVar) and the running set of entity connections
/// (pPVFSaveAllEntityConnections); installs the interpreter as the library's formula evaluator and
/// resets total_count to 1, and starts the dependency tree with empty node containers (when the
/// tree is part of the program). A second call without deinitialize_modeller first frees the tables
/// of the first. Returns 0.
VARNEX_API int initialize_modeller(const char* name);
/// Frees what initialize_modeller built: first every dependency-tree node, then the first
/// model's root world with everything in it;
/// afterwards anfang is null and the tables are null. Returns 0.
VARNEX_API int deinitialize_modeller();

/// Creates a new instance of the library feature `name` in the current world from the
/// operands in hand_over (its parameters in declaration order; absent ones take their
/// defaults) and returns its name "name_@N", N being total_count, which every call that finds
/// its feature advances. When the feature's RETURN hands over an instance, the new instance
/// takes over that instance's world; when it hands nothing over the name is returned although
/// no object of that name exists. Null for a null name, an unknown feature, no current world,
/// or a RETURN value that is no instance. The text lives until the next call.
VARNEX_API char* interpret(const char* name);
/// Creates a new instance from the current parameter values of `instance`: of the instance's
/// own feature when `name` is null, else of feature `name`, whose parameters then receive
/// plain values (no value sources). Returns the new name (a text that lives until the next
/// call), or null when the instance, a feature or a parameter object is missing.
VARNEX_API char* interpret(rumpf* instance, const char* name);
/// Rebuilds `instance` from its feature text and its current parameter values, keeping its
/// name. The old instance is replaced only when the rebuild produced an instance; otherwise it
/// stays untouched and 0 is returned. 1 when replaced; 0 for null, an unknown feature or a
/// missing parameter object.
VARNEX_API int reinterpret(rumpf* instance);

/// Whether a SAT file operation runs (FALSE after initialize_modeller).
VARNEX_API XBOOL PVFGetSATFileOperation();
/// Sets the flag; returns its previous value.
VARNEX_API XBOOL PVFSetSATFileOperation(XBOOL running);
