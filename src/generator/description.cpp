// The sections of the generated text, in the order they are written, and the NOV description.
#include <varnex/generator/part_tree.h>

#include <cmath>
#include <string>

#include "generator/generator_internal.h"
#include "generator/novl_source.h"

using namespace varnex::generator;

namespace {

std::string S(const PVMStrg& text) {
  return text.GetpStr();
}

bool IsSolidType(int type) {
  return type == 1 || type == 2;
}

}  // namespace

XBOOL PVFMtfPartTree::CreateFeatureDescription() {
  if (feature_name_.IsVoid()) {
    Fail("the feature has no name");
    return TRUE;
  }
  if (wrappers_.empty()) {
    Fail("no nodes are chosen");
    return TRUE;
  }
  text_parts_.Clear();
  binary_parts_.Clear();
  if (!CheckInputs()) {
    return TRUE;
  }
  PVMStrg schema, entity, head, locals, body, end;
  if (!DoSchemaBeginDescription(schema) || !DoEntityDescription(entity) ||
      !DoFunctionHeadDescription(head) || !DoLocalDescription(locals) ||
      !DoFunctionDescription(body) || !DoSchemaEndDescription(end)) {
    return TRUE;
  }
  description_ = schema & entity & head & locals & body & end;
  return ToXBool(!DoNovDescription());
}

const char* PVFMtfPartTree::GetNvlDescription(PVMStrg& out) const {
  out = description_;
  return out.GetpStr();
}

const char* PVFMtfPartTree::GetNovDescription(PVMStrg& text, PVFBinBlock& binary) const {
  text = nov_text_;
  binary = nov_binary_;
  return nov_text_.IsVoid() && nov_binary_.Length() == 0 ? nullptr : text.GetpStr();
}

XBOOL PVFMtfPartTree::DoSchemaBeginDescription(PVMStrg& out) {
  Put(out, "\n-- VARNEX Version 4.0\n-- Automatisch generiertes Feature\nSCHEMA " +
               S(feature_name_) + ";\n\n");
  return TRUE;
}

XBOOL PVFMtfPartTree::DoEntityDescription(PVMStrg& out) {
  Put(out, "\tENTITY feature_" + S(feature_name_) + ";\n");
  for (const auto& wrapper : wrappers_) {
    if (!wrapper->DoEntity(*this, out)) {
      return FALSE;
    }
  }
  if (!DoEntityTypeSpecificDescription(out)) {
    return FALSE;
  }
  Put(out, "\tEND_ENTITY; -- feature_" + S(feature_name_) + "\n\n");
  return TRUE;
}

XBOOL PVFMtfPartTree::DoEntityTypeSpecificDescription(PVMStrg& out) {
  if (IsSolidType(feature_type_)) {
    Put(out,
        "\t\tfeature_shape\t: geometric;\n\t\tref_point0\t: vector;\n"
        "\t\tcombine_constraint\t: STRING;\n"
        "\t\tvisibility\t: ENUMERATION OF (explicit, implicit);\n");
    if (axes_) {
      Put(out, "\t\tAchsenListe\t:  axislist;\n");
    }
  } else if (feature_type_ == 3) {
    Put(out, "\t\treplacement\t: transformation_matrix;\n");
  }
  return TRUE;
}

XBOOL PVFMtfPartTree::DoFunctionHeadDescription(PVMStrg& out) {
  PVMStrg list;
  for (const auto& wrapper : wrappers_) {
    std::vector<PVFMtfParameter>* parameters = wrapper->GetParameters();
    for (std::size_t i = 0; parameters != nullptr && i < parameters->size(); ++i) {
      const PVFMtfParameter& p = (*parameters)[i];
      if (!p.IsInput()) {
        continue;
      }
      std::string line = list.IsVoid() ? "" : ",";
      line += "\n\t\t" + S(p.GetNewName()) + "\t: " + S(p.GetAliasType());
      if (p.HasDefault()) {
        line += " := " + S(p.GetDefault());
      }
      Put(list, line + S(p.GetRestrictions()));
    }
  }
  if (!DoFunctionHeadTypeSpecificDecription(list)) {
    return FALSE;
  }
  Put(out, "\tFUNCTION create_" + S(feature_name_) + "\n\t(" + S(list) + "\n\t) : feature_" +
               S(feature_name_) + ";\n\n");
  return TRUE;
}

XBOOL PVFMtfPartTree::DoFunctionHeadTypeSpecificDecription(PVMStrg& out) {
  if (IsSolidType(feature_type_)) {
    Put(out, std::string(out.IsVoid() ? "" : ",") +
                 "\n\t\tvisibility\t: ENUMERATION OF (explicit, implicit) := 'explicit'");
  }
  return TRUE;
}

XBOOL PVFMtfPartTree::DoLocalDescription(PVMStrg& out) {
  Put(out, "\t\tLOCAL\n\t\t\tobject\t: feature_" + S(feature_name_) + ";\n");
  for (const auto& wrapper : wrappers_) {
    if (!wrapper->DoLocal(*this, out)) {
      return FALSE;
    }
  }
  if (axes_) {
    Put(out, "\t\t\tAxList\t: axislist;\n");
  }
  Put(out, "\t\tEND_LOCAL;\n\n");
  return TRUE;
}

XBOOL PVFMtfPartTree::DoFunctionDescription(PVMStrg& out) {
  bool solid = IsSolidType(feature_type_);
  if (solid) {
    Put(out, "\t\tif (visibility = 'explicit')\n\t\t{\n");
  }
  for (const auto& wrapper : wrappers_) {
    if (!wrapper->DoFunction(*this, out)) {
      return FALSE;
    }
  }
  PVMStrg main = main_geometry_ != nullptr ? main_geometry_->GetFeatureGeometry(*this) : PVMStrg();
  if (solid) {
    if (main.IsNotVoid()) {
      Put(out, "\t\tobject.feature_shape := " + S(main) + ";\n");
    }
    if (!no_reference_point_) {
      PVMStrg face = reference_face_;
      bool on_face = face.IsNotVoid() && std::isfinite(u_) && std::isfinite(v_) &&
                     RenameParameter(face) && IsQualifiedName(face.GetpStr());
      if (on_face) {
        Put(out, "\t\tobject.ref_point0 := get_area_center (" + S(face) + ", " + NumberText(u_) +
                     ", " + NumberText(v_) + ");\n\n");
      } else {
        Put(out, "\t\tobject.ref_point0 := get_box_center (object.feature_shape);\n\n");
      }
    }
    if (!DoAxesDescription(out)) {
      return FALSE;
    }
    Put(out, "\t\t};\n\n");
  } else if (feature_type_ == 3 && main.IsNotVoid()) {
    Put(out, "\n\t\tobject.replacement := " + S(main) + ";\n");
  }
  if (!DoAssignmentDescription(out)) {
    return FALSE;
  }
  Put(out, "\n\t\tRETURN (object);\n\n\tEND_FUNCTION; -- feature_" + S(feature_name_) + "\n\n");
  return TRUE;
}

XBOOL PVFMtfPartTree::DoAxesDescription(PVMStrg& out) {
  if (!axes_) {
    return TRUE;
  }
  Put(out, "\t\tAxList := init_objectlist ('AchsenListe', 'axislist');\n\n");
  for (const auto& wrapper : wrappers_) {
    if (!wrapper->HasAxes()) {
      continue;
    }
    std::string name = S(wrapper->GetNewName());
    std::string line = "\t\tinclude_axes (AxList, " + name + ", '" + name + "'";
    VALUE_LIST<PVMStrg> subs;
    wrapper->GetSubFeatureNames(&subs);
    for (int i = 0; i < subs.count(); ++i) {
      line += ", " + S(subs[i]);
    }
    Put(out, line + ");\n");
  }
  Put(out, "\n\t\tobject.AchsenListe := AxList;\n");
  return TRUE;
}

XBOOL PVFMtfPartTree::DoAssignmentDescription(PVMStrg& out) {
  for (const auto& wrapper : wrappers_) {
    if (!wrapper->DoAssignment(*this, out)) {
      return FALSE;
    }
  }
  return DoAssignmentTypeSpecificDescription(out);
}

XBOOL PVFMtfPartTree::DoAssignmentTypeSpecificDescription(PVMStrg& out) {
  if (IsSolidType(feature_type_)) {
    Put(out, explicit_type_ == 2 ? "\t\tobject.combine_constraint := 'negative';\n"
                                 : "\t\tobject.combine_constraint := 'positive';\n");
    Put(out, "\t\tobject.visibility := visibility;\n");
  }
  return TRUE;
}

XBOOL PVFMtfPartTree::DoSchemaEndDescription(PVMStrg& out) {
  Put(out, "END_SCHEMA; -- " + S(feature_name_) + "\n");
  return TRUE;
}

PVFBinBlockList PVFMtfPartTree::GetNovBinaryParts() const {
  PVFBinBlockList parts;
  for (int i = 0; i < binary_parts_.count(); ++i) {
    parts.Add(binary_parts_[i]);
  }
  return parts;
}

XBOOL PVFMtfPartTree::DoNovDescription() {
  std::string text;
  for (int i = 0; i < text_parts_.count(); ++i) {
    text += (i > 0 ? "\n*+++*\n" : "") + S(text_parts_[i]);
  }
  nov_text_ = PVMStrg(text.c_str());
  ReplaceNodeNames(nov_text_);
  nov_binary_ = PVFBinBlock();
  if (binary_parts_.count() > 0) {
    nov_binary_ &= "\n*+++*BINARY*+++*";
    for (int i = 0; i < binary_parts_.count(); ++i) {
      nov_binary_ &= ("\n" + std::to_string(i) + "\n").c_str();
      nov_binary_ &= binary_parts_[i];
    }
  }
  return TRUE;
}
