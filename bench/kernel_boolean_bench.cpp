// The kernel layer's cost over Open CASCADE: a 200 x 100 x 10 plate with 50 holes, built through
// the engine's subtract chain and by the same Open CASCADE calls directly.
//
//   Engine/Chain             subtract() per hole (Cut + SimplifyResult + history rebinding)
//   Engine/ChainNamedFaces   the same with face names on the plate and every hole wall
//   Raw/CutSimplify          BRepAlgoAPI_Cut + SimplifyResult per hole: the engine's kernel work
//   Raw/Cut                  BRepAlgoAPI_Cut per hole
//   Engine/MultiTool         PVFSubtractBodies: all holes in one Boolean
//   Raw/MultiTool            one BRepAlgoAPI_Cut with 50 tools + SimplifyResult
//   Paired/ChainOverhead     both chains in one run, hole by hole in turn, each hole timed:
//                            the counter "ratio" is engine time over kernel time
//
// The engine's overhead is Engine/Chain over Raw/CutSimplify (target: at most 10%). On a busy
// machine the separate runs drift; the paired run times both under the same load.
#include <benchmark/benchmark.h>
#include <varnex/geometry/attributes.h>
#include <varnex/geometry/booleans.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/model_bodies.h>
#include <varnex/geometry/primitives.h>
#include <varnex/geometry/topology.h>
#include <varnex/geometry/transforms.h>

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <chrono>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 10;
constexpr int kRows = 5;
constexpr double kHoleRadius = 3.0;

gp_Pnt HoleBase(int column, int row) {
  return gp_Pnt(-81.0 + 18.0 * column, -36.0 + 18.0 * row, -10.0);
}

void Name(ENTITY* body, const char* prefix) {
  ENTITY_LIST faces;
  api_get_faces(body, faces);
  for (int i = 0; i < faces.count(); ++i) {
    new PVFAttribSolidFaceName(faces[i], (std::string(prefix) + std::to_string(i)).c_str());
  }
}

ENTITY* EngineHole(int column, int row, bool named) {
  ENTITY* pin = fmcreate_cylinder(20.0, kHoleRadius);
  gp_Pnt base = HoleBase(column, row);
  api_apply_transf(pin, fmtranslate(base.X(), base.Y(), base.Z()));
  if (named) {
    Name(pin, "hole");
  }
  return pin;
}

void EngineChain(benchmark::State& state, bool named) {
  for (auto _ : state) {
    ENTITY* plate = fmcreate_cube(200, 100, 10);
    if (named) {
      Name(plate, "plate");
    }
    for (int column = 0; column < kColumns; ++column) {
      for (int row = 0; row < kRows; ++row) {
        plate = subtract(EngineHole(column, row, named), plate);
      }
    }
    benchmark::DoNotOptimize(plate);
    state.counters["faces"] = static_cast<double>([&] {
      ENTITY_LIST faces;
      api_get_faces(plate, faces);
      return faces.count();
    }());
    gmod_del_all();
  }
}

void EngineMultiTool(benchmark::State& state) {
  for (auto _ : state) {
    ENTITY* plate = fmcreate_cube(200, 100, 10);
    std::vector<ENTITY*> pins;
    for (int column = 0; column < kColumns; ++column) {
      for (int row = 0; row < kRows; ++row) {
        pins.push_back(EngineHole(column, row, false));
      }
    }
    benchmark::DoNotOptimize(PVFSubtractBodies(pins, plate));
    gmod_del_all();
  }
}

TopoDS_Shape RawHole(int column, int row) {
  return BRepPrimAPI_MakeCylinder(gp_Ax2(HoleBase(column, row), gp::DZ()), kHoleRadius, 20.0)
      .Shape();
}

void RawChain(benchmark::State& state, bool simplify) {
  for (auto _ : state) {
    TopoDS_Shape plate = BRepPrimAPI_MakeBox(gp_Pnt(-100, -50, -5), 200, 100, 10).Shape();
    for (int column = 0; column < kColumns; ++column) {
      for (int row = 0; row < kRows; ++row) {
        BRepAlgoAPI_Cut cut(plate, RawHole(column, row));
        if (simplify) {
          cut.SimplifyResult();
        }
        plate = cut.Shape();
      }
    }
    benchmark::DoNotOptimize(plate);
  }
}

void RawMultiTool(benchmark::State& state) {
  for (auto _ : state) {
    TopoDS_Shape plate = BRepPrimAPI_MakeBox(gp_Pnt(-100, -50, -5), 200, 100, 10).Shape();
    TopTools_ListOfShape arguments, tools;
    arguments.Append(plate);
    for (int column = 0; column < kColumns; ++column) {
      for (int row = 0; row < kRows; ++row) {
        tools.Append(RawHole(column, row));
      }
    }
    BRepAlgoAPI_Cut cut;
    cut.SetArguments(arguments);
    cut.SetTools(tools);
    cut.Build();
    cut.SimplifyResult();
    benchmark::DoNotOptimize(cut.Shape());
  }
}

// Seconds spent in `step`.
template <class Step>
double Timed(Step&& step) {
  auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PairedChains(benchmark::State& state) {
  double engineSeconds = 0.0, rawSeconds = 0.0;
  for (auto _ : state) {
    ENTITY* plate = fmcreate_cube(200, 100, 10);
    Name(plate, "plate");
    TopoDS_Shape raw = BRepPrimAPI_MakeBox(gp_Pnt(-100, -50, -5), 200, 100, 10).Shape();
    for (int column = 0; column < kColumns; ++column) {
      for (int row = 0; row < kRows; ++row) {
        engineSeconds += Timed([&] { plate = subtract(EngineHole(column, row, true), plate); });
        rawSeconds += Timed([&] {
          BRepAlgoAPI_Cut cut(raw, RawHole(column, row));
          cut.SimplifyResult();
          raw = cut.Shape();
        });
      }
    }
    gmod_del_all();
  }
  state.counters["engine_ms"] = 1000.0 * engineSeconds / state.iterations();
  state.counters["raw_ms"] = 1000.0 * rawSeconds / state.iterations();
  state.counters["ratio"] = engineSeconds / rawSeconds;
}

BENCHMARK(PairedChains)->Name("Paired/ChainOverhead")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineChain, Chain, false)->Name("Engine/Chain")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EngineChain, ChainNamedFaces, true)
    ->Name("Engine/ChainNamedFaces")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawChain, CutSimplify, true)
    ->Name("Raw/CutSimplify")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawChain, Cut, false)->Name("Raw/Cut")->Unit(benchmark::kMillisecond);
BENCHMARK(EngineMultiTool)->Name("Engine/MultiTool")->Unit(benchmark::kMillisecond);
BENCHMARK(RawMultiTool)->Name("Raw/MultiTool")->Unit(benchmark::kMillisecond);

}  // namespace
