// The handlers of the built-in functions, by family. Each has the handler signature of
// ifunc_list: it puts its result operand into `*result` (which the caller owns) and never
// deletes an argument. The registration names are in method_table.cpp.
#pragma once

class aritm;

namespace varnex::builtins {

// Arithmetic (math_builtins.cpp).
void Pi(aritm** args, aritm** result);
void Abs(aritm** args, aritm** result);
void Sqrt(aritm** args, aritm** result);
void Asin(aritm** args, aritm** result);
void Acos(aritm** args, aritm** result);
void Sin(aritm** args, aritm** result);
void Cos(aritm** args, aritm** result);
void Tan(aritm** args, aritm** result);
void Cotan(aritm** args, aritm** result);
void Atan(aritm** args, aritm** result);
void Rad(aritm** args, aritm** result);
void Deg(aritm** args, aritm** result);
void Round(aritm** args, aritm** result);
void Min(aritm** args, aritm** result);
void Max(aritm** args, aritm** result);

// Vectors (vector_builtins.cpp).
void VecLen(aritm** args, aritm** result);
void VecNorm(aritm** args, aritm** result);
void ScalarProduct(aritm** args, aritm** result);
void CrossProduct(aritm** args, aritm** result);
void SpatProduct(aritm** args, aritm** result);
void VecsAngle(aritm** args, aritm** result);

// Texts and conversions (text_builtins.cpp).
void ToDistance(aritm** args, aritm** result);
void ToString(aritm** args, aritm** result);
void ToIntString(aritm** args, aritm** result);
void Integer(aritm** args, aritm** result);
void Real(aritm** args, aritm** result);
void Text(aritm** args, aritm** result);
void InQuotes(aritm** args, aritm** result);
void StrTok(aritm** args, aritm** result);
void EvaluateString(aritm** args, aritm** result);
void InstanceName(aritm** args, aritm** result);
void MakeNovlStat(aritm** args, aritm** result);

// Printing (print_builtins.cpp).
void MesPrint(aritm** args, aritm** result);
void ValPrint(aritm** args, aritm** result);
void VecPrint(aritm** args, aritm** result);
void TmPrint(aritm** args, aritm** result);

// Objects and lists of named objects (object_builtins.cpp).
void InitList(aritm** args, aritm** result);
void InitObjectList(aritm** args, aritm** result);
void AddObjectList(aritm** args, aritm** result);
void AddList(aritm** args, aritm** result);
void ObjectCount(aritm** args, aritm** result);
void IsReferenced(aritm** args, aritm** result);
void FaceCount(aritm** args, aritm** result);
void AssignReference(aritm** args, aritm** result);
void AssignObject(aritm** args, aritm** result);
void SetValidity(aritm** args, aritm** result);
void FillConturDimList(aritm** args, aritm** result);

// Validity of values (validity_builtins.cpp).
void GetValidity(aritm** args, aritm** result);
void IsValidValue(aritm** args, aritm** result);

// Transformations (transform_builtins.cpp).
void SetTranslationXyz(aritm** args, aritm** result);
void SetXTranslation(aritm** args, aritm** result);
void SetYTranslation(aritm** args, aritm** result);
void SetZTranslation(aritm** args, aritm** result);
void SetXRotation(aritm** args, aritm** result);
void SetYRotation(aritm** args, aritm** result);
void SetZRotation(aritm** args, aritm** result);
void SetRotationAbout(aritm** args, aritm** result);
void SetTranslationVector(aritm** args, aritm** result);
void SetRotationOperand(aritm** args, aritm** result);
void GetTM(aritm** args, aritm** result);
void TransformVector(aritm** args, aritm** result);
void TransformVectorX(aritm** args, aritm** result);
void TransformVectorY(aritm** args, aritm** result);
void TransformVectorZ(aritm** args, aritm** result);
void TransformPosition(aritm** args, aritm** result);

// Built-ins for feature authors, appended after the engine's table (authoring_builtins.cpp).
void Floor(aritm** args, aritm** result);
void Ceil(aritm** args, aritm** result);
void Atan2(aritm** args, aritm** result);
void Pow(aritm** args, aritm** result);
void Exp(aritm** args, aritm** result);
void Log(aritm** args, aritm** result);
void Sign(aritm** args, aritm** result);
void Refuse(aritm** args, aritm** result);

}  // namespace varnex::builtins
