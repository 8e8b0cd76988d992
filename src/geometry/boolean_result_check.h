// Whether a Boolean's result can be trusted (internal). Open CASCADE reports most failures
// itself; what it may still hand back as success is an open solid, an inverted one, or a solid
// whose volume no Boolean of these operands could have.
#pragma once

#include <BRepAlgoAPI_BooleanOperation.hxx>
#include <TopTools_ListOfShape.hxx>
#include <string>

enum class ShapeBooleanKind;

/// Empty when the result of `operation` (of `kind`, over `arguments` and `tools`) is sound,
/// else why not. A result of solids is checked in linear time: every solid closed, with a
/// positive volume inside the bounds the operands give. The kernel's full validity analysis,
/// which costs as much as a third of the Boolean on faces with many holes, runs only when
/// Open CASCADE warned about the operation or the result holds anything but solids.
std::string BooleanResultFault(ShapeBooleanKind kind, const TopTools_ListOfShape& arguments,
                               const TopTools_ListOfShape& tools,
                               BRepAlgoAPI_BooleanOperation& operation);
