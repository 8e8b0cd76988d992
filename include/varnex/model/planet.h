// object_planet: a sub-feature instance, the named object that owns a sub-world.
#pragma once

#include <varnex/model/rumpf.h>
#include <varnex/model/welt.h>

#include <memory>

/// A sub-feature instance (type "Planet"). It owns its sub-world, created by its constructors
/// with the instance as owner and the then-current world as superworld, and deleted with it.
class VARNEX_API object_planet : public rumpf {
 public:
  object_planet();
  explicit object_planet(const char* name);
  ~object_planet() override;

  /// The sub-world, after re-evaluating the formula when there is one.
  nullwelt* get();
  nullwelt* get_subworld() override { return subworld_.get(); }
  /// Pushes `anfang` on the sub-world's stack and makes the sub-world current; null ("ZIDIRA not
  /// initialised") without a current world.
  nullwelt* qualify() override;

  /// Takes over the alias type and every object of `other`'s sub-world (an instance); the moved
  /// objects see this sub-world as their superworld. 0 on success, 1 otherwise.
  int ChgSubworld(rumpf* other);

  using rumpf::GetValidity;
  int GetValidity(void_list* invalid) override;
  const char* GenericPrefix(PVMStrg& out) override;
  /// A new instance `name` in the current world whose sub-world holds copies of every object of
  /// this one, under the same names.
  rumpf* copy(const char* name) override;
  int assign(const char* name) override;
  aritm* get_aritm() override;
  XBOOL IsCompatible(aritm* operand) override;
  void print_object() override;
  int store(FILE* file) override;
  const char* GetValue(PVMStrg& formula, PVMStrg& value) override;
  const char* GetStorageValue(PVMStrg& value, PVMStrg& name, PVFBinBlock& block) override;
  void* getVal() override;
  int vs_austausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) override;
  XBOOL ValSrcAustausch(VALUE_LIST<PVMStrg>* from, VALUE_LIST<PVMStrg>* to) override;
  XBOOL ChgRefByLists(const char* old_name) override;
  XBOOL ChgSuperworld(nullwelt* from, nullwelt* to) override;

  /// The instance's name relative to the current world: its full name without the qualified
  /// name of the current world's owner chain.
  const char* RelativeName(PVMStrg& out) const;

 private:
  char* set_object(rumpf* object) override;
  void CreateSubworld();

  int planet_revision_ = 100;
  std::unique_ptr<nullwelt> subworld_;
};
