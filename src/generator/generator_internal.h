// Helpers the generator's files share: reading a node's instance and writing lines.
#pragma once

#include <varnex/base/strg.h>
#include <varnex/base/value_list.h>

#include <string>
#include <vector>

class Featurelist_Element;
class PVFBinBlock;
class PDTnode;
class rumpf;

namespace varnex::generator {

/// The member `name` of the world of instance `instance`, or null.
rumpf* Member(rumpf* instance, const char* name);
/// The members of `instance`'s world in their order (empty without a world).
std::vector<rumpf*> Members(rumpf* instance);
/// The object `object` refers to when it is a reference (null when the target is missing),
/// else `object` itself.
rumpf* Referenced(rumpf* object);
/// The full name of what `object` refers to (the target's name as stored when the target is
/// missing), else of `object` itself.
std::string ReferencedName(rumpf* object);
/// A new list instance `name` of alias type `alias` in the current world; null when the world
/// refused it.
rumpf* NewList(const std::string& name, const char* alias);
/// A new reference `name` to the object of full name `target` inside the list `list`; false
/// when the list's world refused it.
bool NewReference(rumpf* list, const std::string& target, const std::string& name);
/// Alias types of a reproduction's input list and of its reference lists.
inline constexpr const char* kInputListType = "repro_inputlist";
inline constexpr const char* kReferenceListType = "repro_reflist";
/// The first member of `instance`'s world whose type is `type`, or null.
rumpf* FirstMemberOfType(rumpf* instance, const char* type);
/// The library feature an instance name ("plate_@3") was made from, or null.
Featurelist_Element* DefinitionOfInstance(const char* instance);
/// The node name with every "_@" written "_" ("plate_@3" -> "plate_3").
std::string GeneratedName(const char* node_name);
/// Appends `text`; returns `out`.
PVMStrg& Put(PVMStrg& out, const std::string& text);
/// The value text of `object` as the generated text writes it (texts and enumerations quoted
/// anew, a stored form naming "NOV_ENTRY" with its bytes in `binary`); empty when it has no
/// value the text can hold.
std::string ValueOf(rumpf* object, PVFBinBlock* binary = nullptr);
/// The single entries of a restraint text "{ a; b }".
VALUE_LIST<PVMStrg> RestraintEntries(const PVMStrg& restraints);
/// Replaces `from` by `to` wherever it stands as a whole name (not inside a longer name and not
/// inside a text literal).
void ReplaceName(std::string& text, const std::string& from, const std::string& to);

}  // namespace varnex::generator
