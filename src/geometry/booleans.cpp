// Boolean operations on bodies: the kernel call, the history that carries face names along, and
// the failure report that names the features involved.
#include <varnex/base/messages.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/geometric_object_links.h>

#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRep_Builder.hxx>
#include <Message_Report.hxx>
#include <ShapeAnalysis_FreeBounds.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_HSequenceOfShape.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Iterator.hxx>
#include <algorithm>
#include <sstream>

#include "geometry/body_history.h"
#include "geometry/body_pieces.h"
#include "geometry/body_registry.h"
#include "geometry/boolean_result_check.h"
#include "geometry/kernel_scope.h"
#include "geometry/shape_booleans.h"

namespace {

enum class BooleanKind { Unite, Subtract, Intersect, Combine, UniteWires };

struct BooleanTexts {
  const char* prefix;
  const char* messageId;
};

BooleanTexts TextsOf(BooleanKind kind) {
  switch (kind) {
    case BooleanKind::Unite:
    case BooleanKind::UniteWires:
      return {"ERROR api_unite : ", "ErrgmifBoolUniteErr"};
    case BooleanKind::Subtract:
      return {"ERROR api_subtract : ", "ErrgmifBoolSubtractErr"};
    case BooleanKind::Intersect:
      return {"api_intersect : ", "ErrgmifBoolIntersectErr"};
    case BooleanKind::Combine:
      return {"api_combine_body : ", "ErrgmifBoolCombineErr"};
  }
  return {"", ""};
}

// ---- the features of a body ----

// The objects named by the feature attributes of the body's faces, without duplicates. Only
// faces that have wrappers can carry attributes.
std::vector<rumpf*> FeaturesOf(BODY* body) {
  std::vector<rumpf*> features;
  bool anyFeature = false;
  for (const auto& [shape, wrapper] : BodyCoreOf(body)->pieces) {
    anyFeature = anyFeature || (shape.ShapeType() == TopAbs_FACE &&
                                find_attrib(wrapper.get(), "feature") != nullptr);
  }
  if (!anyFeature) {
    return features;  // spares a walk over every face of a body nobody named
  }
  TopTools_IndexedMapOfShape faces = MapPieces(ShapeOf(body), TopAbs_FACE);
  for (int i = 1; i <= faces.Extent(); ++i) {
    for (ATTRIB_DS* attrib : FindAttribs<ATTRIB_DS>(FindPiece(body, faces(i)))) {
      rumpf* feature = attrib->feature();
      if (feature != nullptr &&
          std::find(features.begin(), features.end(), feature) == features.end()) {
        features.push_back(feature);
      }
    }
  }
  return features;
}

// The full name of the first feature object, cut before its first '.'.
std::string FeatureName(const std::vector<rumpf*>& features) {
  if (features.empty()) {
    return "";
  }
  std::string name = ObjectLinks().FullName(features.front()).GetpStr();
  return name.substr(0, name.find('.'));
}

// Empties the entity lists of the geometric objects among `features`.
void RemoveEntitiesFromGeoms(const std::vector<rumpf*>& features) {
  const GeometricObjectLinks& links = ObjectLinks();
  for (rumpf* feature : features) {
    if (links.IsGeometric(feature)) {
      if (list* entities = links.EntityList(feature)) {
        entities->clear();
      }
    }
  }
}

// ---- the kernel operations ----

TopTools_ListOfShape ShapesOf(const std::vector<BODY*>& bodies) {
  TopTools_ListOfShape shapes;
  for (BODY* body : bodies) {
    shapes.Append(ShapeOf(body));
  }
  return shapes;
}

void AppendPieces(const TopoDS_Shape& shape, TopTools_ListOfShape& lumps) {
  if (shape.ShapeType() != TopAbs_COMPOUND) {
    lumps.Append(shape);
    return;
  }
  for (TopoDS_Iterator it(shape); it.More(); it.Next()) {
    AppendPieces(it.Value(), lumps);
  }
}

// Appends the pieces of `shape` that are no compounds, taking nested compounds apart; an empty
// compound stays as it is.
void AppendLumps(const TopoDS_Shape& shape, TopTools_ListOfShape& lumps) {
  int before = lumps.Extent();
  AppendPieces(shape, lumps);
  if (lumps.Extent() == before) {
    lumps.Append(shape);
  }
}

std::string DumpErrors(const BRepAlgoAPI_BooleanOperation& operation) {
  std::ostringstream text;
  operation.DumpErrors(text);
  std::string dump = text.str();
  dump.erase(std::remove(dump.begin(), dump.end(), '\n'), dump.end());
  return dump;
}

// Builds the Boolean of `tools` against `blank` and commits it into `blank`.
void BooleanInto(ShapeBooleanKind kind, BODY* blank, const std::vector<BODY*>& tools) {
  std::unique_ptr<BRepAlgoAPI_BooleanOperation> operation =
      BuildShapeBoolean(kind, ShapeOf(blank), ShapesOf(tools));
  CommitWithHistory(blank, operation->Shape(), MakeShapeHistory(*operation), tools);
}

void CombineInto(BODY* blank, const std::vector<BODY*>& tools) {
  BRep_Builder builder;
  TopoDS_Compound combined;
  builder.MakeCompound(combined);
  builder.Add(combined, ShapeOf(blank));
  for (BODY* tool : tools) {
    builder.Add(combined, ShapeOf(tool));
  }
  CommitWithHistory(blank, combined, NoHistory(), tools);
}

// Fuses wire bodies and joins the edges into wires again.
void UniteWiresInto(BODY* blank, const std::vector<BODY*>& tools) {
  std::unique_ptr<BRepAlgoAPI_BooleanOperation> fused =
      BuildShapeBoolean(ShapeBooleanKind::Fuse, ShapeOf(blank), ShapesOf(tools), false);
  BRepAlgoAPI_BooleanOperation& operation = *fused;
  Handle(TopTools_HSequenceOfShape) edges = new TopTools_HSequenceOfShape();
  for (TopExp_Explorer explorer(operation.Shape(), TopAbs_EDGE); explorer.More(); explorer.Next()) {
    edges->Append(explorer.Current());
  }
  Handle(TopTools_HSequenceOfShape) wires;
  ShapeAnalysis_FreeBounds::ConnectEdgesToWires(edges, 1e-6, true, wires);
  BRep_Builder builder;
  TopoDS_Compound joined;
  builder.MakeCompound(joined);
  for (int i = 1; i <= wires->Length(); ++i) {
    builder.Add(joined, wires->Value(i));
  }
  CommitWithHistory(blank, joined, MakeShapeHistory(operation), tools);
}

void RunKernelBoolean(BooleanKind kind, BODY* blank, const std::vector<BODY*>& tools) {
  switch (kind) {
    case BooleanKind::Unite:
      return BooleanInto(ShapeBooleanKind::Fuse, blank, tools);
    case BooleanKind::Subtract:
      return BooleanInto(ShapeBooleanKind::Cut, blank, tools);
    case BooleanKind::Intersect:
      return BooleanInto(ShapeBooleanKind::Common, blank, tools);
    case BooleanKind::Combine:
      return CombineInto(blank, tools);
    case BooleanKind::UniteWires:
      return UniteWiresInto(blank, tools);
  }
}

// ---- the engine's frame around the kernel call ----

bool ValidOperands(BODY* blank, const std::vector<BODY*>& tools) {
  if (blank == nullptr || tools.empty()) {
    return false;
  }
  for (std::size_t i = 0; i < tools.size(); ++i) {
    if (tools[i] == blank ||
        std::find(tools.begin(), tools.begin() + i, tools[i]) != tools.begin() + i) {
      return false;
    }
  }
  return true;
}

void ReportFailure(BooleanKind kind, const outcome& result, const std::string& blankName,
                   const std::string& toolName) {
  if (pPVFHandleMessage == nullptr) {
    return;
  }
  BooleanTexts texts = TextsOf(kind);
  std::string text = std::string(texts.prefix) + find_err_mess(result.error_number()) + " // " +
                     blankName + " // " + toolName;
  pPVFHandleMessage->Warning(texts.messageId, text.c_str());
}

ENTITY* RunBoolean(BooleanKind kind, const std::vector<BODY*>& tools, BODY* blank) {
  if (!ValidOperands(blank, tools)) {
    RecordOutcome(outcome(KERNEL_NULL_ARGUMENT, "Boolean needs two different bodies"));
    return nullptr;
  }
  std::vector<rumpf*> blankFeatures = FeaturesOf(blank);
  std::vector<rumpf*> toolFeatures;
  for (BODY* tool : tools) {
    std::vector<rumpf*> features = FeaturesOf(tool);
    toolFeatures.insert(toolFeatures.end(), features.begin(), features.end());
  }
  outcome result = RunKernelOperation([&] { RunKernelBoolean(kind, blank, tools); });
  if (result.ok()) {
    for (BODY* tool : tools) {
      DeleteBody(tool);
    }
    return blank;
  }
  ReportFailure(kind, result, FeatureName(blankFeatures), FeatureName(toolFeatures));
  DeleteBody(blank);
  for (BODY* tool : tools) {
    DeleteBody(tool);
  }
  RemoveEntitiesFromGeoms(blankFeatures);
  RemoveEntitiesFromGeoms(toolFeatures);
  RecordOutcome(result);
  return nullptr;
}

ENTITY* RunPair(BooleanKind kind, ENTITY* tool, ENTITY* blank) {
  BODY* toolBody = BodyOf(tool);
  return RunBoolean(kind, toolBody == nullptr ? std::vector<BODY*>{} : std::vector{toolBody},
                    BodyOf(blank));
}

}  // namespace

std::unique_ptr<BRepAlgoAPI_BooleanOperation> BuildShapeBoolean(ShapeBooleanKind kind,
                                                                const TopoDS_Shape& blank,
                                                                const TopTools_ListOfShape& tools,
                                                                bool simplify) {
  std::unique_ptr<BRepAlgoAPI_BooleanOperation> operation;
  switch (kind) {
    case ShapeBooleanKind::Fuse:
      operation = std::make_unique<BRepAlgoAPI_Fuse>();
      break;
    case ShapeBooleanKind::Cut:
      operation = std::make_unique<BRepAlgoAPI_Cut>();
      break;
    case ShapeBooleanKind::Common:
      operation = std::make_unique<BRepAlgoAPI_Common>();
      break;
  }
  // Open CASCADE requires the pieces of one argument not to overlap; a body of lumps (a pattern
  // of copies) may overlap itself, so every lump goes in as an argument of its own. Separate
  // arguments may touch, overlap and coincide.
  TopTools_ListOfShape arguments;
  AppendLumps(blank, arguments);
  TopTools_ListOfShape toolLumps;
  for (const TopoDS_Shape& tool : tools) {
    AppendLumps(tool, toolLumps);
  }
  operation->SetArguments(arguments);
  operation->SetTools(toolLumps);
  operation->Build();
  if (!operation->IsDone() || operation->HasErrors()) {
    FailKernel(KERNEL_BOOLEAN_FAILED, DumpErrors(*operation));
  }
  if (simplify) {
    operation->SimplifyResult();
  }
  RequireKernel(!operation->Shape().IsNull(), KERNEL_BOOLEAN_FAILED, "no result");
  std::string fault = BooleanResultFault(kind, arguments, toolLumps, *operation);
  RequireKernel(fault.empty(), KERNEL_INVALID_RESULT, fault.c_str());
  return operation;
}

ENTITY* unite(ENTITY* tool, ENTITY* blank) {
  return RunPair(BooleanKind::Unite, tool, blank);
}

ENTITY* subtract(ENTITY* tool, ENTITY* blank) {
  return RunPair(BooleanKind::Subtract, tool, blank);
}

ENTITY* PVFInterSectBodies(ENTITY* tool, ENTITY* blank) {
  return RunPair(BooleanKind::Intersect, tool, blank);
}

ENTITY* combine(ENTITY* tool, ENTITY* blank) {
  return RunPair(BooleanKind::Combine, tool, blank);
}

ENTITY* unite_wires(ENTITY* tool, ENTITY* blank) {
  return RunPair(BooleanKind::UniteWires, tool, blank);
}

ENTITY* PVFSubtractBodies(const std::vector<ENTITY*>& tools, ENTITY* blank) {
  std::vector<BODY*> bodies;
  for (ENTITY* tool : tools) {
    if (BODY* body = BodyOf(tool)) {
      bodies.push_back(body);
    }
  }
  return RunBoolean(BooleanKind::Subtract, bodies, BodyOf(blank));
}
