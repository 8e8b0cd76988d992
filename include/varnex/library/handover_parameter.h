// HANDOVER_PARAMETER: one parameter of a feature's entity or function as the library reads it
// from the definition text: name, type, default value or value source, restraints, and for an
// enumeration the names it allows. Instantiation turns these records into hand-over operands.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>
#include <varnex/export.h>

#include <memory>
#include <string>
#include <vector>

class VARNEX_API HANDOVER_PARAMETER {
 public:
  /// Results of check_restrictions; anything but kAccepted rejects the value.
  static constexpr int kAccepted = 0;
  /// The value itself could not be evaluated.
  static constexpr int kValueNotEvaluable = 1;
  /// A restraint evaluated to false.
  static constexpr int kRestraintViolated = 2;
  /// A restraint could not be evaluated or gave no logical value.
  static constexpr int kRestraintNotLogical = 3;

  HANDOVER_PARAMETER() = default;
  /// Any argument may be null or empty. An enumeration type derives its values.
  HANDOVER_PARAMETER(const char* name, const char* type, const char* value, const char* restraints);
  HANDOVER_PARAMETER(const PVMStrg& name, const PVMStrg& type, const PVMStrg& value,
                     const PVMStrg& restraints);
  HANDOVER_PARAMETER(const HANDOVER_PARAMETER& other);
  HANDOVER_PARAMETER& operator=(const HANDOVER_PARAMETER& other);
  virtual ~HANDOVER_PARAMETER();

  /// Every field, enumeration values included, agrees.
  XBOOL operator==(const HANDOVER_PARAMETER& other) const;
  XBOOL operator!=(const HANDOVER_PARAMETER& other) const { return ToXBool(!(*this == other)); }

  // Setters return the stored text, or null when it is empty.
  const char* SetName(const PVMStrg& name);
  /// Also re-derives the enumeration values.
  const char* SetType(const PVMStrg& type);
  const char* SetValue(const PVMStrg& value);
  const char* SetValueSource(const PVMStrg& source);
  const char* SetRestraints(const PVMStrg& restraints);

  // Getters copy into `out` and return its text.
  const char* GetName(PVMStrg& out) const;
  const char* GetType(PVMStrg& out) const;
  const char* GetValue(PVMStrg& out) const;
  const char* GetValueSource(PVMStrg& out) const;
  const char* GetRestraints(PVMStrg& out) const;
  /// The value source when there is one, else the value.
  const char* Get(PVMStrg& out) const;
  const PVMStrg& Name() const { return name_; }
  const PVMStrg& Type() const { return type_; }

  /// Copies the enumeration values into `out` (when given) and returns their number; -1 when
  /// the parameter is no enumeration.
  int GetEnumerationValues(VALUE_LIST<PVMStrg>* out) const;

  /// Assigns a value given as text: texts of the string-like types become quoted literals, the
  /// value must pass the restraints, a reference to another instance becomes the value source.
  /// Returns the stored value source or value; null when the value was rejected (the parameter
  /// is then unchanged) or nothing was stored.
  const char* Set(const PVMStrg& text);
  /// As Set; when the value is refused, `refusal` says why in one line naming the parameter,
  /// the value and the restriction it violates or that cannot be evaluated, or the forms the
  /// parameter's type accepts ("count = 6.7 is no whole number ..."). LOGIC parameters take
  /// only logical values and NUMBER parameters only whole numbers: other values are refused,
  /// never converted.
  const char* Set(const PVMStrg& text, PVMStrg& refusal);

  /// Tests `value` (trimmed in place) against the restraints and writes its evaluated text
  /// form to `result`. Returns kAccepted or the reason for the rejection.
  int check_restrictions(PVMStrg& value, PVMStrg& result) const;

  /// The restraints as restrictions of the instance object the parameter fills: each in terms
  /// of VALUE (the parameter's own name replaced). A restraint that names anything else (another
  /// parameter) is left out: inside a model it would name no object.
  std::vector<PVMStrg> ObjectRestrictions() const;

 private:
  void SetEnumerationValues();
  XBOOL IsStringLike() const;
  XBOOL IsUnevaluated() const;
  int CheckOneRestraint(const PVMStrg& restraint, const PVMStrg& value) const;
  /// check_restrictions; `failed` (when given) receives the restraint that refused the value.
  int CheckRestrictions(PVMStrg& value, PVMStrg& result, PVMStrg* failed) const;
  /// Why an evaluated value does not fit the type ("" when it fits).
  std::string TypeMismatch(const PVMStrg& text) const;

  PVMStrg name_;
  PVMStrg type_;
  PVMStrg value_;
  PVMStrg valueSource_;
  PVMStrg restraints_;
  std::unique_ptr<VALUE_LIST<PVMStrg>> enumerationValues_;  // null unless an enumeration
};
