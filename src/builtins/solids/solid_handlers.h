// The handlers of the solid, sweep, edge-finishing, position and pattern built-ins, by family.
// Each has the handler signature of ifunc_list; the registration names are in method_table.cpp.
#pragma once

class aritm;

namespace varnex::builtins {

// Basic parametric solids (basic_solid_builtins.cpp).
void CreateBasicBlockGeo(aritm** args, aritm** result);
void CreateBasicCylinderGeo(aritm** args, aritm** result);
void CreateBasicPrismGeo(aritm** args, aritm** result);
void CreateBasicTorusGeo(aritm** args, aritm** result);

// Patterns (pattern_builtins.cpp).
void GenerateMatrix(aritm** args, aritm** result);
void GenerateRotMatrix(aritm** args, aritm** result);
void GenerateWreath(aritm** args, aritm** result);
void GenerateRotWreath(aritm** args, aritm** result);
void GenerateCircleDivision(aritm** args, aritm** result);
void GenerateRotCircleDivision(aritm** args, aritm** result);

// Sweeps and covers (sweep_builtins.cpp).
void Sweep(aritm** args, aritm** result);
void SweepBody(aritm** args, aritm** result);
void SwFace(aritm** args, aritm** result);
void SwNormXOpFa(aritm** args, aritm** result);
void SwVecXOpFa(aritm** args, aritm** result);
void RotAxXOpFa(aritm** args, aritm** result);
void RotWinXOpFa(aritm** args, aritm** result);
void SwWireXOpFa(aritm** args, aritm** result);
void SweepVec(aritm** args, aritm** result);
void RSweepVec(aritm** args, aritm** result);
void SweepWire(aritm** args, aritm** result);
void SweepHull(aritm** args, aritm** result);
void RevolveWire(aritm** args, aritm** result);
void CreateSweepExtrusionGeo(aritm** args, aritm** result);
void CreateSweepRotationGeo(aritm** args, aritm** result);

// Edge finishing (edge_builtins.cpp).
void SetChamfer(aritm** args, aritm** result);
void SetRounds(aritm** args, aritm** result);
void SetRoundsVert(aritm** args, aritm** result);
void CreateFilletVar(aritm** args, aritm** result);

// Further solids (further_solid_builtins.cpp).
void CreateTorusArc(aritm** args, aritm** result);
void CreateHelixBody(aritm** args, aritm** result);
void SkinFaces(aritm** args, aritm** result);
void Offset(aritm** args, aritm** result);
void CreateSplineSphere(aritm** args, aritm** result);
void CreateSplineTorus(aritm** args, aritm** result);
/// "append_virt_volume" and "append_virt_geometry" share this one.
void AppendVirtual(aritm** args, aritm** result);
void CreateNTransWb(aritm** args, aritm** result);
void GetPiFaceOb(aritm** args, aritm** result);
void SvalOfEnt(aritm** args, aritm** result);
void SvalOfEnt2(aritm** args, aritm** result);

// Positions (position_builtins.cpp).
void SetPosition(aritm** args, aritm** result);
void SetPosLcs(aritm** args, aritm** result);
void SetPosEdge(aritm** args, aritm** result);
void SetPosCol(aritm** args, aritm** result);
void CalcStaPos(aritm** args, aritm** result);
void CalcUV(aritm** args, aritm** result);
void GetRaytestAxis(aritm** args, aritm** result);
void GetTrafoOfFS(aritm** args, aritm** result);
void ContextTransformation(aritm** args, aritm** result);
void PartsolTransformation(aritm** args, aritm** result);
void ActualAxis(aritm** args, aritm** result);
void VectorRotation(aritm** args, aritm** result);
void IncludeAxes(aritm** args, aritm** result);
void Manipulate(aritm** args, aritm** result);

}  // namespace varnex::builtins
