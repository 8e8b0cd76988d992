// The handlers of the solid, sweep, edge-finishing, position and pattern built-ins, by family.
// Each has the handler signature of ifunc_list; the registration names are in method_table.cpp.
#pragma once

class aritm;

namespace varnex::language::builtins {

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

}  // namespace varnex::language::builtins
