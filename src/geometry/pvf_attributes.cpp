// The host-facing attributes: solid face names, reproduction face names and colours.
#include <varnex/geometry/attributes.h>

namespace {

constexpr const char* kSplitMark = "_S";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The name of the split family: the name cut before its last "_S".
std::string SplitFamily(const std::string& name) {
  std::size_t mark = name.rfind(kSplitMark);
  return mark == std::string::npos ? name : name.substr(0, mark);
}

// TRUE when the survivor already carries `name` or a name of its split family.
bool SurvivorKnowsName(const ENTITY* survivor, const std::string& name) {
  std::vector<PVFAttribSolidFaceName*> names;
  PVFFindAllSolidFaceNameAtts(survivor, names);
  for (PVFAttribSolidFaceName* attrib : names) {
    if (attrib->GetName() != nullptr && name == attrib->GetName()) {
      return true;
    }
  }
  std::string family = SplitFamily(name);
  for (PVFAttribSolidFaceName* attrib : names) {
    std::string other = attrib->GetName() != nullptr ? attrib->GetName() : "";
    if (StartsWith(other, family) || StartsWith(family, other)) {
      return true;
    }
  }
  return false;
}

}  // namespace

void PVFAttribMaster::append_identity(std::vector<const char*>& chain) const {
  ATTRIB::append_identity(chain);
  chain.push_back("PVFAttribMaster");
}

// ---- PVFAttribSolidFaceName ----

PVFAttribSolidFaceName::PVFAttribSolidFaceName(ENTITY* owner, const char* name)
    : PVFAttribMaster(owner) {
  SetName(name);
}

void PVFAttribSolidFaceName::SetName(const char* name) {
  has_name_ = name != nullptr;
  name_ = has_name_ ? name : "";
}

void PVFAttribSolidFaceName::append_identity(std::vector<const char*>& chain) const {
  PVFAttribMaster::append_identity(chain);
  chain.push_back("PVFAttribSolidFaceName");
}

void PVFAttribSolidFaceName::split_owner(ENTITY* new_piece) {
  if (!has_name_ || new_piece == nullptr) {
    return;
  }
  if (name_.find(kSplitMark) == std::string::npos) {
    name_ += kSplitMark;
  }
  std::string twin = name_ + "1";
  name_ += "0";
  new PVFAttribSolidFaceName(new_piece, twin.c_str());
}

void PVFAttribSolidFaceName::merge_owner(ENTITY* other, XBOOL delete_owner) {
  if (!delete_owner || !has_name_ || other == nullptr || SurvivorKnowsName(other, name_)) {
    return;
  }
  new PVFAttribSolidFaceName(other, name_.c_str());
}

void PVFAttribSolidFaceName::lose() {
  name_.clear();
  has_name_ = false;
}

void PVFAttribSolidFaceName::copy_owner(ENTITY* copy) const {
  if (copy != nullptr) {
    new PVFAttribSolidFaceName(copy, GetName());
  }
}

void PVFAttribSolidFaceName::save(AttribWriter& out) const {
  if (has_name_) {
    out.write_string(name_);
  }
}

void PVFAttribSolidFaceName::restore(AttribReader& in) {
  if (in.more()) {
    SetName(in.read_string().c_str());
  }
}

// ---- PVFAttribReproFaceName ----

PVFAttribReproFaceName::PVFAttribReproFaceName(ENTITY* owner, const char* name, int number)
    : PVFAttribMaster(owner), name_(name), number_(number) {}

void PVFAttribReproFaceName::append_identity(std::vector<const char*>& chain) const {
  PVFAttribMaster::append_identity(chain);
  chain.push_back("PVFAttribReproFaceName");
}

void PVFAttribReproFaceName::lose() {
  name_ = "";
}

// ---- PVFAttribRGBColor ----

PVFAttribRGBColor::PVFAttribRGBColor(ENTITY* owner, int red, int green, int blue, int alpha)
    : PVFAttribMaster(owner), red_(red), green_(green), blue_(blue), alpha_(alpha) {}

void PVFAttribRGBColor::append_identity(std::vector<const char*>& chain) const {
  PVFAttribMaster::append_identity(chain);
  chain.push_back("PVFAttribRGBColor");
}

void PVFAttribRGBColor::RGBColor(int& red, int& green, int& blue) const {
  red = red_;
  green = green_;
  blue = blue_;
}

void PVFAttribRGBColor::RGBColor(int& red, int& green, int& blue, int& alpha) const {
  RGBColor(red, green, blue);
  alpha = alpha_;
}

void PVFAttribRGBColor::split_owner(ENTITY* new_piece) {
  copy_owner(new_piece);
}

void PVFAttribRGBColor::merge_owner(ENTITY* other, XBOOL delete_owner) {
  if (delete_owner && other != nullptr && FindAttribs<PVFAttribRGBColor>(other).empty()) {
    copy_owner(other);
  }
}

void PVFAttribRGBColor::copy_owner(ENTITY* copy) const {
  if (copy != nullptr) {
    new PVFAttribRGBColor(copy, red_, green_, blue_, alpha_);
  }
}

void PVFAttribRGBColor::save(AttribWriter& out) const {
  out.write_int(4);
  out.write_int(red_);
  out.write_int(green_);
  out.write_int(blue_);
  out.write_int(alpha_);
}

// An older record has no count: red, green, blue, and no alpha. The count is told from a red of
// 4 by the number of fields.
void PVFAttribRGBColor::restore(AttribReader& in) {
  long first = in.read_int();
  if (first == 4 && in.remaining() >= 4) {
    red_ = static_cast<int>(in.read_int());
    green_ = static_cast<int>(in.read_int());
    blue_ = static_cast<int>(in.read_int());
    alpha_ = static_cast<int>(in.read_int());
  } else {
    red_ = static_cast<int>(first);
    green_ = static_cast<int>(in.read_int());
    blue_ = static_cast<int>(in.read_int());
    alpha_ = 0;
  }
}

// ---- finders ----

PVFAttribSolidFaceName* PVFFindSolidFaceNameAtt(const ENTITY* entity) {
  std::vector<PVFAttribSolidFaceName*> names = FindAttribs<PVFAttribSolidFaceName>(entity);
  return names.empty() ? nullptr : names.front();
}

void PVFFindAllSolidFaceNameAtts(const ENTITY* entity,
                                 std::vector<PVFAttribSolidFaceName*>& found) {
  for (PVFAttribSolidFaceName* attrib : FindAttribs<PVFAttribSolidFaceName>(entity)) {
    found.push_back(attrib);
  }
}
