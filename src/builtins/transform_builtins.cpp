// The transformation built-ins: translations and rotations built by the geometry layer's
// constructors, the matrix form that rebuilds a transformation from its value text ("get_TM"),
// and vectors and positions carried through a transformation. Angles are in radians.
#include <varnex/geometry/transforms.h>
#include <varnex/model/model.h>

#include <vector>

#include "builtins/handler_support.h"
#include "builtins/handlers.h"

namespace varnex::builtins {
namespace {

// A transformation with an infinite or NaN number is refused here, where it is made: applied
// to a body it would send the mesher into an endless loop.
void SetTransf(aritm** result, const SPAtransf& transf, const char* name) {
  op_trans* value = NewResult<op_trans>(result);
  if (!transf.finite()) {
    ReportRefusal(name,
                  "the transformation is not finite (an angle or distance is infinite or NaN)");
    return;
  }
  *value = &transf;
}

void SetTranslation(aritm** result, double x, double y, double z, const char* name) {
  SetTransf(result, fmtranslate(x, y, z), name);
}

void SetRotation(aritm** result, double ax, double ay, double az, double angle, const char* name) {
  SetTransf(result, fmrotate(ax, ay, az, angle), name);
}

// The rotation by `angle` about the axis line through `origin` along `direction`.
SPAtransf RotationAboutLine(const SPAvector& origin, const SPAvector& direction, double angle) {
  SPAtransf rotation = fmrotate(direction.x(), direction.y(), direction.z(), angle);
  return translate_transf(-origin) * rotation * translate_transf(origin);
}

// Rotation about an axis operand (its line) or a vector operand (through the origin), by the
// angle in argument 2. Any other first argument leaves the transformation empty.
void RotationAboutOperand(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  aritm* axis = Argument(args, 0);
  double angle = NumberArgument(args, 1);
  SPAvector direction;
  if (axis != nullptr && axis->IsOpAxis()) {
    const double* a = axis->get_axis();
    ReplaceResult(result, nullptr);
    SetTransf(result, RotationAboutLine(SPAvector(a), SPAvector(a + 3), angle), "set_Rotation");
  } else if (VectorArgument(args, 0, direction)) {
    ReplaceResult(result, nullptr);
    SetTransf(result, fmrotate(direction.x(), direction.y(), direction.z(), angle), "set_Rotation");
  }
}

// Every argument as numbers in order: a vector gives its three components, a number itself.
// FALSE at the first argument of another kind.
bool FlattenNumbers(aritm** args, std::vector<double>& numbers) {
  for (int i = 0; Argument(args, i) != nullptr; ++i) {
    aritm* operand = Argument(args, i);
    if (operand->IsOpVector()) {
      const double* xyz = operand->get_vector();
      numbers.insert(numbers.end(), xyz, xyz + 3);
    } else if (IsNumber(operand)) {
      numbers.push_back(operand->get_double());
    } else {
      return false;
    }
  }
  return true;
}

bool IsFlag(double value) {
  return value == 0.0 || value == 1.0;
}

XBOOL Flag(double value) {
  return ToXBool(value != 0.0);
}

// The vector (or position) argument 1 carried through the transformation argument 2; an
// argument that is missing or of another kind leaves the zero vector.
bool Transformed(aritm** args, bool asPosition, SPAvector& out) {
  SPAvector v;
  aritm* transf = Argument(args, 1);
  if (!VectorArgument(args, 0, v) || transf == nullptr || !transf->IsOpTrans() ||
      transf->get_transf() == nullptr) {
    return false;
  }
  const SPAtransf& t = *transf->get_transf();
  if (asPosition) {
    SPAposition p = SPAposition(v.x(), v.y(), v.z()) * t;
    out = SPAvector(p.x(), p.y(), p.z());
  } else {
    out = v * t;
  }
  return true;
}

void TransformedComponent(aritm** args, aritm** result, int component) {
  op_zahl* value = NewResult<op_zahl>(result, 0.0);
  SPAvector v;
  if (Transformed(args, false, v)) {
    *value = v.component(component);
  }
}

}  // namespace

void SetTranslationXyz(aritm** args, aritm** result) {
  SetTranslation(result, NumberArgument(args, 0), NumberArgument(args, 1), NumberArgument(args, 2),
                 "set_translation");
}

void SetXTranslation(aritm** args, aritm** result) {
  SetTranslation(result, NumberArgument(args, 0), 0.0, 0.0, "set_Xtranslation");
}

void SetYTranslation(aritm** args, aritm** result) {
  SetTranslation(result, 0.0, NumberArgument(args, 0), 0.0, "set_Ytranslation");
}

void SetZTranslation(aritm** args, aritm** result) {
  SetTranslation(result, 0.0, 0.0, NumberArgument(args, 0), "set_Ztranslation");
}

void SetXRotation(aritm** args, aritm** result) {
  SetRotation(result, 1.0, 0.0, 0.0, NumberArgument(args, 0), "set_Xrotation");
}

void SetYRotation(aritm** args, aritm** result) {
  SetRotation(result, 0.0, 1.0, 0.0, NumberArgument(args, 0), "set_Yrotation");
}

void SetZRotation(aritm** args, aritm** result) {
  SetRotation(result, 0.0, 0.0, 1.0, NumberArgument(args, 0), "set_Zrotation");
}

// set_rotation(ax, ay, az, angle): about the direction (ax, ay, az) through the origin; an axis
// or vector first argument takes the operand form of set_Rotation.
void SetRotationAbout(aritm** args, aritm** result) {
  aritm* first = Argument(args, 0);
  if (first != nullptr && (first->IsOpAxis() || first->IsOpVector())) {
    RotationAboutOperand(args, result);
    return;
  }
  SetRotation(result, NumberArgument(args, 0), NumberArgument(args, 1), NumberArgument(args, 2),
              NumberArgument(args, 3), "set_rotation");
}

// set_Translation(vector).
void SetTranslationVector(aritm** args, aritm** result) {
  NewResult<op_trans>(result);
  SPAvector v;
  if (VectorArgument(args, 0, v)) {
    ReplaceResult(result, nullptr);
    SetTranslation(result, v.x(), v.y(), v.z(), "set_Translation");
  }
}

// set_Rotation(axis or vector, angle).
void SetRotationOperand(aritm** args, aritm** result) {
  RotationAboutOperand(args, result);
}

// get_TM(row0, row1, row2, translation, scale, rotate, reflect, shear): the matrix form of a
// transformation's value text. The rows and the translation may be vectors or three numbers
// each; anything but 16 numbers with 0/1 flags leaves the transformation empty.
void GetTM(aritm** args, aritm** result) {
  op_trans* value = NewResult<op_trans>(result);
  std::vector<double> n;
  if (!FlattenNumbers(args, n) || n.size() != 16 || !IsFlag(n[13]) || !IsFlag(n[14]) ||
      !IsFlag(n[15])) {
    return;
  }
  SPAmatrix affine(SPAvector(n[0], n[1], n[2]), SPAvector(n[3], n[4], n[5]),
                   SPAvector(n[6], n[7], n[8]));
  SPAtransf transf(affine, SPAvector(n[9], n[10], n[11]), n[12], Flag(n[13]), Flag(n[14]),
                   Flag(n[15]));
  *value = &transf;
}

// transform_vector(vector, transformation): the vector turned and scaled, not translated.
void TransformVector(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  SPAvector v;
  if (Transformed(args, false, v)) {
    SetVectorValue(*value, v);
  }
}

void TransformVectorX(aritm** args, aritm** result) {
  TransformedComponent(args, result, 0);
}

void TransformVectorY(aritm** args, aritm** result) {
  TransformedComponent(args, result, 1);
}

void TransformVectorZ(aritm** args, aritm** result) {
  TransformedComponent(args, result, 2);
}

// transform_position(position, transformation): the point moved by the whole transformation.
void TransformPosition(aritm** args, aritm** result) {
  op_vector* value = NewResult<op_vector>(result);
  SPAvector p;
  if (Transformed(args, true, p)) {
    SetVectorValue(*value, p);
  }
}

}  // namespace varnex::builtins
