// A fixture for the geometry built-ins: a filled function table, a root world for the objects
// some of them create, and a check that no body and no operand outlives a test.
#pragma once

#include <varnex/base/transaction.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/topology.h>
#include <varnex/model/welt.h>

#include <array>
#include <vector>

#include "builtins_test_support.h"

namespace builtins_test {

class GeometryBuiltins : public BuiltinsTest {
 protected:
  void SetUp() override {
    bodies_ = PVFLiveBodyCount();
    blocks_ = TransactionLiveBlocks();
    saved_ = anfang;
    anfang = nullptr;
    ds_init();
    root_ = anfang;
    BuiltinsTest::SetUp();
  }

  void TearDown() override {
    BuiltinsTest::TearDown();
    EXPECT_EQ(anfang, root_) << "a built-in left the current world changed";
    anfang = nullptr;
    delete root_;
    anfang = saved_;
    gmod_del_all();
    EXPECT_EQ(PVFLiveBodyCount(), bodies_) << "a body outlived the test";
    EXPECT_EQ(TransactionLiveBlocks(), blocks_) << "transaction blocks leaked";
  }

  /// The first entity of a geometry result (null for anything else).
  ENTITY* Made(const char* name, std::initializer_list<aritm*> args) {
    Owned result = Call(name, args);
    EXPECT_TRUE(result != nullptr && result->IsOpGeom()) << name;
    return result != nullptr && result->IsOpGeom() ? result->get_ENTITY(0) : nullptr;
  }

  std::array<double, 3> Vector(const char* name, std::initializer_list<aritm*> args) {
    Owned result = Call(name, args);
    EXPECT_TRUE(result != nullptr && result->IsOpVector()) << name;
    const double* v = result != nullptr && result->IsOpVector() ? result->get_vector() : nullptr;
    return v != nullptr ? std::array<double, 3>{v[0], v[1], v[2]}
                        : std::array<double, 3>{-1e300, -1e300, -1e300};
  }

  /// Origin, then direction.
  std::array<double, 6> Axis(const char* name, std::initializer_list<aritm*> args) {
    Owned result = Call(name, args);
    EXPECT_TRUE(result != nullptr && result->IsOpAxis()) << name;
    std::array<double, 6> axis{};
    if (result != nullptr && result->IsOpAxis()) {
      const double* a = result->get_axis();
      std::copy(a, a + 6, axis.begin());
    }
    return axis;
  }

  nullwelt* root_ = nullptr;

 private:
  int bodies_ = 0;
  std::size_t blocks_ = 0;
  nullwelt* saved_ = nullptr;
};

inline aritm* Geo(ENTITY* entity) {
  return new op_geom(entity);
}

/// A geometry operand holding every entity given, in order.
inline aritm* GeoList(const std::vector<ENTITY*>& entities) {
  list held;
  for (ENTITY* entity : entities) {
    held.add(entity);
  }
  return new op_geom(&held);
}

inline aritm* Transf(const SPAtransf& transf) {
  return new op_trans(&transf);
}

/// The faces of a body in the kernel's order.
inline std::vector<ENTITY*> Faces(ENTITY* body) {
  ENTITY_LIST found;
  api_get_faces(body, found);
  std::vector<ENTITY*> faces;
  for (int i = 0; i < found.count(); ++i) {
    faces.push_back(found[i]);
  }
  return faces;
}

/// The first face of the body on a surface of the given type number (fm_face_type).
inline ENTITY* FaceOfType(ENTITY* body, int type) {
  for (ENTITY* face : Faces(body)) {
    if (fm_face_type(face) == type) {
      return face;
    }
  }
  return nullptr;
}

}  // namespace builtins_test

#define EXPECT_XYZ(v, x, y, z)       \
  do {                               \
    auto value_ = (v);               \
    EXPECT_NEAR(value_[0], x, 1e-6); \
    EXPECT_NEAR(value_[1], y, 1e-6); \
    EXPECT_NEAR(value_[2], z, 1e-6); \
  } while (false)
