// The host's pictures: meshing a holed plate in the kernel layer, and drawing the mesh at
// 800 x 600 with 1, 2 and 3 samples per pixel along each axis.
#include <benchmark/benchmark.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/mesh.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/transforms.h>

#include <vector>

#include "picture.h"

namespace {

// A 200 x 100 x 10 plate with a 5 x 5 grid of holes, as holes_plate builds it.
ENTITY* HoledPlate() {
  std::vector<ENTITY*> pins;
  for (int i = 0; i < 25; ++i) {
    ENTITY* pin = fmcreate_cylinder(30, 3);
    api_apply_transf(pin, fmtranslate(-90 + 10 * (i % 5), -40 + 10 * (i / 5), -15));
    pins.push_back(pin);
  }
  return PVFSubtractBodies(pins, fmcreate_cube(200, 100, 10));
}

void MeshPlate(benchmark::State& state) {
  ENTITY* plate = HoledPlate();
  EntitySet bodies;
  bodies.add(plate);
  for (auto _ : state) {
    // A fresh copy each time: the mesher keeps its triangles on the shape it meshed.
    state.PauseTiming();
    EntitySet copy;
    copy.add(PVcreate_copy_Body(plate));
    state.ResumeTiming();
    BodyMesh mesh;
    benchmark::DoNotOptimize(PVFMeshBodies(copy, 0.0, mesh));
    state.counters["triangles"] = static_cast<double>(mesh.triangles.size());
  }
  gmod_del_all();
}
BENCHMARK(MeshPlate)->Unit(benchmark::kMillisecond);

void DrawPlate(benchmark::State& state) {
  EntitySet bodies;
  bodies.add(HoledPlate());
  BodyMesh mesh;
  PVFMeshBodies(bodies, 0.0, mesh);
  varnex::picture::RenderOptions options{800, 600, static_cast<int>(state.range(0))};
  for (auto _ : state) {
    benchmark::DoNotOptimize(varnex::picture::RenderIsometric(mesh, options));
  }
  gmod_del_all();
}
BENCHMARK(DrawPlate)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
