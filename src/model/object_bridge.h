// What operands need from named objects and worlds. Operands only hold rumpf pointers; these
// calls are the whole of their dependence on object behaviour, so the named-object classes
// provide them beside their own code.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/base/xbool.h>

class aritm;
class rumpf;

namespace varnex::model::objects {

/// Resolves a (qualified) name from the current world; null when not found.
rumpf* Search(const char* name);
/// The object's simple name; null for a null object.
const char* SimpleName(const rumpf* object);
/// Writes the object's qualified name into `out` and returns it; null when it has none.
const char* FullName(const rumpf* object, PVMStrg& out);
/// A copy of the object under `name` in the current world (an instance copies its sub-world);
/// null on failure.
rumpf* Copy(rumpf* object, const char* name);
/// TRUE for an instance whose sub-world holds at least one object.
XBOOL IsFilledInstance(const rumpf* object);
/// A new operand of the object's current value, owned by the caller; null on failure.
aritm* ValueOperand(rumpf* object);
/// Creates the object kind matching the operand's kind under `name` in the current world,
/// holding the operand's value; the world owns it. Null when it cannot be created.
rumpf* CreateFor(aritm& value, const char* name);
/// Sets the object's value from the operand's payload; FALSE when the object refuses it.
XBOOL SetValue(rumpf* object, aritm& value);
/// Gives the object a value source (null removes it) and a validity code.
void SetSourceAndValidity(rumpf* object, const char* valueSource, int validity);
/// Replaces the object's restriction formulas (null or empty removes them).
void SetRestrictions(rumpf* object, const VALUE_LIST<PVMStrg>* restrictions);

}  // namespace varnex::model::objects
