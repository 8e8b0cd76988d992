// The interpreter's entry points for formulas and nested texts, and the process-wide state
// every parse works on (beside anfang, hand_over and total_count of the object layer). The
// engine is single-threaded: call these from one thread only.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/export.h>

#include <cstdio>

class aritm;

/// Name of the feature whose text is being parsed; empty when none is.
extern VARNEX_API PVMStrg Current_File_Name;
/// Name of the instance being created ("%s_@%d"); any length.
extern VARNEX_API PVMStrg instance_name;
/// 1 at load time; 0 while an instance is rebuilt from another's values. For the host only.
extern VARNEX_API int Intern_par_call;
/// Only a switch: null means subparse() parses the text it is given; non-null that it parses
/// the feature whose function name it is given. Standard input at load time.
extern VARNEX_API std::FILE* yyin;

/// Parses `text` as a formula (one expression and ";") from the outermost world and returns
/// its value, an operand the caller owns; null for a null text or when nothing was evaluated.
/// The current world, hand_over, yyin and PARSEOBJECT are as before afterwards.
VARNEX_API aritm* evaluate_string(const char* text);

/// Parses and executes a nested text: with yyin null, `arg` is the text; otherwise `arg` is a
/// feature function name and that feature's text is parsed. The running parse, PARSEOBJECT
/// included, is undisturbed. 1 for a null argument or an unknown function, else 0.
VARNEX_API int subparse(const char* arg);

class void_list;

/// Fills hand_over with fresh operands for a list of HANDOVER_PARAMETER, in order, and ends
/// the list with null: each operand is of the kind the parameter's type takes, holds its value
/// (or formula) and its restraints. 1 on success, also for an empty list; -1 for a null list or
/// a parameter without type (the operands made so far are deleted, hand_over[0] is null). The
/// parse that binds the parameters owns the operands. Defined by the feature library.
VARNEX_API int fill_hand_over(void_list* parameters);
