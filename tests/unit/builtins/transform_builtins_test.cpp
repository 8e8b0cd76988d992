// The transformation built-ins: constructors, the matrix form of a transformation's value text,
// and vectors and positions carried through transformations.
#include <varnex/geometry/transforms.h>

#include <cctype>
#include <cstdlib>
#include <vector>

#include "builtins_test_support.h"

namespace {

using builtins_test::BuiltinsTest;
using builtins_test::Num;
using builtins_test::Owned;
using builtins_test::Str;
using builtins_test::ValueOf;
using builtins_test::Vec;

constexpr double kPi = 3.141592653589793;

class TransformBuiltins : public BuiltinsTest {
 protected:
  // Carries the point through the transformation built by `name` with `args`.
  std::vector<double> Moved(const char* name, std::initializer_list<aritm*> args, double x,
                            double y, double z) {
    Owned transf = Call(name, args);
    EXPECT_TRUE(transf != nullptr && transf->IsOpTrans()) << name;
    aritm* copy = new op_trans(transf->get_transf());
    Owned moved = Call("transform_position", {Vec(x, y, z), copy});
    const double* p = moved->get_vector();
    return {p[0], p[1], p[2]};
  }
};

void ExpectPoint(const std::vector<double>& p, double x, double y, double z) {
  EXPECT_NEAR(p[0], x, 1e-12);
  EXPECT_NEAR(p[1], y, 1e-12);
  EXPECT_NEAR(p[2], z, 1e-12);
}

TEST_F(TransformBuiltins, TranslationsMissingComponentsAreZero) {
  ExpectPoint(Moved("set_translation", {Num(1), Num(2), Num(3)}, 1, 1, 1), 2, 3, 4);
  ExpectPoint(Moved("set_translation", {Num(1)}, 0, 0, 0), 1, 0, 0);
  ExpectPoint(Moved("set_Xtranslation", {Num(5)}, 0, 0, 0), 5, 0, 0);
  ExpectPoint(Moved("set_Ytranslation", {Num(5)}, 0, 0, 0), 0, 5, 0);
  ExpectPoint(Moved("set_Ztranslation", {Num(5)}, 0, 0, 0), 0, 0, 5);
  ExpectPoint(Moved("set_Translation", {Vec(1, -1, 2)}, 0, 0, 0), 1, -1, 2);
  EXPECT_EQ(ValueOf(Call("set_Translation", {Num(1)}).get()), "NULL");
}

TEST_F(TransformBuiltins, RotationsAboutTheCoordinateAxesAndGivenAxes) {
  ExpectPoint(Moved("set_Zrotation", {Num(kPi / 2)}, 1, 0, 0), 0, 1, 0);
  ExpectPoint(Moved("set_Xrotation", {Num(kPi / 2)}, 0, 1, 0), 0, 0, 1);
  ExpectPoint(Moved("set_Yrotation", {Num(kPi / 2)}, 0, 0, 1), 1, 0, 0);
  ExpectPoint(Moved("set_rotation", {Num(0), Num(0), Num(2), Num(kPi)}, 1, 0, 0), -1, 0, 0);
  ExpectPoint(Moved("set_rotation", {Num(0), Num(0), Num(0), Num(kPi)}, 1, 0, 0), 1, 0, 0);
  double origin[3] = {1, 0, 0};
  double direction[3] = {0, 0, 1};
  ExpectPoint(Moved("set_Rotation", {new op_axis(origin, direction), Num(kPi)}, 0, 0, 0), 2, 0, 0);
  ExpectPoint(Moved("set_rotation", {new op_axis(origin, direction), Num(kPi)}, 0, 0, 0), 2, 0, 0);
  ExpectPoint(Moved("set_Rotation", {Vec(0, 0, 1), Num(kPi / 2)}, 1, 0, 0), 0, 1, 0);
  EXPECT_EQ(ValueOf(Call("set_Rotation", {Num(1), Num(2)}).get()), "NULL");
}

TEST_F(TransformBuiltins, VectorsTurnButDoNotMove) {
  SPAtransf turnAndMove = fmrotate(0, 0, 1, kPi / 2) * fmtranslate(10, 0, 0);
  Owned v = Call("transform_vector", {Vec(1, 0, 0), new op_trans(&turnAndMove)});
  EXPECT_NEAR(v->get_vector()[0], 0.0, 1e-12);
  EXPECT_NEAR(v->get_vector()[1], 1.0, 1e-12);
  EXPECT_NEAR(Number("transform_vector_x", {Vec(1, 0, 0), new op_trans(&turnAndMove)}), 0.0, 1e-12);
  EXPECT_NEAR(Number("transform_vector_y", {Vec(1, 0, 0), new op_trans(&turnAndMove)}), 1.0, 1e-12);
  EXPECT_NEAR(Number("transform_vector_z", {Vec(0, 0, 3), new op_trans(&turnAndMove)}), 3.0, 1e-12);
  Owned p = Call("transform_position", {Vec(1, 0, 0), new op_trans(&turnAndMove)});
  EXPECT_NEAR(p->get_vector()[0], 10.0, 1e-12);
  EXPECT_NEAR(p->get_vector()[1], 1.0, 1e-12);
  // Without a transformation the result stays the zero vector.
  op_vector zero;
  EXPECT_EQ(ValueOf(Call("transform_vector", {Vec(1, 2, 3), new op_trans()}).get()),
            ValueOf(&zero));
  EXPECT_EQ(Number("transform_vector_x", {Vec(1, 2, 3)}), 0.0);
}

// The numbers of a "get_TM (...)" value text, in order.
std::vector<double> NumbersOf(const std::string& text) {
  std::vector<double> numbers;
  const char* p = text.c_str();
  while (*p != '\0') {
    char* end = nullptr;
    double value = std::strtod(p, &end);
    if (end != p && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '-')) {
      numbers.push_back(value);
      p = end;
    } else {
      ++p;
    }
  }
  return numbers;
}

TEST_F(TransformBuiltins, GetTMRebuildsATransformationFromItsValueText) {
  SPAtransf original = fmrotate(1, 1, 0, 0.3) * fmtranslate(1.5, -2, 7);
  op_trans source(&original);
  std::string text = ValueOf(&source);
  ASSERT_EQ(text.rfind("get_TM (", 0), 0u) << text;
  std::vector<double> n = NumbersOf(text.substr(8));
  ASSERT_EQ(n.size(), 16u) << text;
  // As the grammar reads it: four vectors, then scale and the three flags.
  Owned rebuilt =
      Call("get_TM", {Vec(n[0], n[1], n[2]), Vec(n[3], n[4], n[5]), Vec(n[6], n[7], n[8]),
                      Vec(n[9], n[10], n[11]), Num(n[12]), Num(n[13]), Num(n[14]), Num(n[15])});
  EXPECT_EQ(ValueOf(rebuilt.get()), text);
}

TEST_F(TransformBuiltins, GetTMRefusesMalformedMatrices) {
  EXPECT_EQ(ValueOf(Call("get_TM").get()), "NULL");
  EXPECT_EQ(ValueOf(Call("get_TM", {Vec(1, 0, 0), Vec(0, 1, 0), Vec(0, 0, 1)}).get()), "NULL");
  EXPECT_EQ(ValueOf(Call("get_TM", {Vec(1, 0, 0), Vec(0, 1, 0), Vec(0, 0, 1), Vec(0, 0, 0), Num(1),
                                    Num(2), Num(0), Num(0)})
                        .get()),
            "NULL");  // a flag that is neither 0 nor 1
  EXPECT_EQ(ValueOf(Call("get_TM", {Vec(1, 0, 0), Vec(0, 1, 0), Vec(0, 0, 1), Vec(0, 0, 0), Num(1),
                                    Num(0), Num(0), Str("0")})
                        .get()),
            "NULL");
  Owned identity = Call("get_TM", {Vec(1, 0, 0), Vec(0, 1, 0), Vec(0, 0, 1), Vec(0, 0, 0), Num(1),
                                   Num(0), Num(0), Num(0)});
  ASSERT_NE(identity->get_transf(), nullptr);
  EXPECT_EQ(identity->get_transf()->identity(), TRUE);
}

}  // namespace
