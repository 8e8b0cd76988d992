// Declarations create named objects in the current world; a FUNCTION header binds its
// parameters to the operands handed over.
#include <varnex/base/value_list.h>
#include <varnex/model/model.h>

#include <string_view>

#include "language/statement_executor.h"

namespace varnex::language {
namespace {

// The object a declared type name stands for, created under `name` in the current world
// (its constructor enters it there); null for a type name the language does not know.
rumpf* CreateDeclared(std::string_view type, const char* name) {
  if (type == "STRING" || type == "smlcond" || type == "smlsid") {
    return new object_text(name);
  }
  if (type == "distance" || type == "smlid") {
    return new object_zahl(name);
  }
  if (type == "NUMBER") {
    return new object_number(name);
  }
  if (type == "geometric") {
    return new object_geom(name);
  }
  if (type == "vector") {
    return new object_vector(name);
  }
  if (type == "axis") {
    return new object_axis(name);
  }
  if (type == "Reference" || type == "GeometricReference" || type == "ContextReference" ||
      type == "NodeReference") {
    return new object_reference(name);
  }
  if (type == "LOGIC") {
    return new object_logic(name);
  }
  if (type == "transformation_matrix") {
    return new object_trans(name);
  }
  if (type == "ConFace" || type == "ConWir1" || type == "ConWirN" || type == "ConLKO" ||
      type == "ConSolid") {
    return new object_connect2d(name);
  }
  return nullptr;
}

// Copies the operand's restrictions onto the object `name`; for a sub-feature instance also
// onto the object of the same name inside it.
void HandRestrictionsOver(aritm& operand, const char* name) {
  VALUE_LIST<PVMStrg> restrictions(TRUE);
  operand.GetRestrictions(&restrictions);
  rumpf* object = search(name);
  if (object == nullptr) {
    return;
  }
  if (object->isTypeOf("Planet") && object->qualify() != nullptr) {
    if (rumpf* inner = search(name)) {
      inner->SetRestrictions(&restrictions);
    }
    requalify();
  }
  object->SetRestrictions(&restrictions);
}

}  // namespace

// attr_decl -> IDENT ':' type
std::string StatementExecutor::declareObject(const std::string& name, const std::string& type) {
  if (rumpf* object = CreateDeclared(type, name.c_str())) {
    object->set_alias_type(type.c_str());
  }
  return name;
}

// attr_decl -> IDENT ':' ENUMERATION_OF '(' name_list ')'
std::string StatementExecutor::declareEnumeration(const std::string& name, const NameList& values) {
  VALUE_LIST<PVMStrg> allowed(TRUE);
  std::string alias_type = "ENUMERATION OF (";
  for (const std::string& value : values) {
    if (allowed.lookup(PVMStrg(value.c_str())) < 0) {
      alias_type += (allowed.count() == 0 ? "" : ", ") + value;
      allowed.add(PVMStrg(value.c_str()));
    }
  }
  rumpf* object = new object_enum(&allowed, 0, name.c_str());
  object->set_alias_type((alias_type + ")").c_str());
  return name;
}

// attr_decl -> IDENT ':' IDENT   (a copy of the entity's prototype, or an empty instance)
std::string StatementExecutor::declareFromPrototype(const std::string& name,
                                                    const std::string& prototype) {
  if (rumpf* original = search(prototype.c_str())) {
    original->copy(name.c_str());
  } else {
    rumpf* instance = new object_planet(name.c_str());
    instance->set_alias_type(prototype.c_str());
  }
  return name;
}

// decl -> name_list ',' attr_decl
NameList StatementExecutor::copyDeclaration(NameList names, const std::string& declared) {
  for (const std::string& name : names) {
    if (rumpf* original = search(declared.c_str())) {
      original->copy(name.c_str());
    }
  }
  names.push_back(declared);
  return names;
}

// param_list -> decl [ASSIGN expr restriction] | param_list ',' decl [ASSIGN expr restriction]
// From the first missing operand on, the group's remaining names take the default (or keep
// their declared state); the operands they skip are deleted with the consumed ones.
NameList StatementExecutor::bindParameters(NameList header, const NameList& group,
                                           Operand default_value, bool first_group) {
  std::size_t index = first_group ? 0 : hand_over_cursor_;
  bool receiving = true;
  for (const std::string& name : group) {
    Operand operand(hand_over[index]);
    hand_over[index] = nullptr;
    NoteParameterTaken(index, operand.get());
    receiving = receiving && operand != nullptr;
    if (!receiving) {
      if (default_value) {
        default_value->assign_object(name.c_str());
      }
    } else {
      operand->assign_object(name.c_str());
      HandRestrictionsOver(*operand, name.c_str());
    }
    ++index;
  }
  hand_over_cursor_ = index;
  header.insert(header.end(), group.begin(), group.end());
  return header;
}

}  // namespace varnex::language
