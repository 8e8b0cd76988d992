// Properties of geometry lists: centre of gravity, first principal axis, and the axis or point
// that a set of faces defines.
#include <varnex/geometry/line.h>
#include <varnex/geometry/measures.h>
#include <varnex/geometry/topology.h>

#include <BRepAdaptor_Surface.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <GProp_PrincipalProps.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "geometry/body_pieces.h"
#include "geometry/kernel_scope.h"
#include "geometry/occt_convert.h"

namespace {

// Solids weigh by volume (3), faces by area (2), edges by length (1).
int DimensionOf(const TopoDS_Shape& shape) {
  if (TopExp_Explorer(shape, TopAbs_SOLID).More()) {
    return 3;
  }
  if (TopExp_Explorer(shape, TopAbs_FACE).More()) {
    return 2;
  }
  return TopExp_Explorer(shape, TopAbs_EDGE).More() ? 1 : 0;
}

void AddProps(const TopoDS_Shape& shape, int dimension, GProp_GProps& total) {
  GProp_GProps props;
  if (dimension == 3) {
    BRepGProp::VolumeProperties(shape, props, 1e-9);
  } else if (dimension == 2) {
    BRepGProp::SurfaceProperties(shape, props, 1e-9);
  } else {
    BRepGProp::LinearProperties(shape, props);
  }
  total.Add(props);
}

// The mass properties of the list's entities of the highest dimension it holds; nullopt when
// there is nothing to weigh. Every shape counts once.
std::optional<GProp_GProps> ListProps(list* geometry) {
  std::vector<TopoDS_Shape> shapes;
  int dimension = 0;
  for (int i = 0; geometry != nullptr && i < geometry->count(); ++i) {
    const TopoDS_Shape& shape = ShapeOf((*geometry)[i]);
    bool seen = std::any_of(shapes.begin(), shapes.end(),
                            [&](const TopoDS_Shape& s) { return s.IsSame(shape); });
    if (shape.IsNull() || seen) {
      continue;
    }
    shapes.push_back(shape);
    dimension = std::max(dimension, DimensionOf(shape));
  }
  if (dimension == 0) {
    return std::nullopt;
  }
  GProp_GProps total;
  for (const TopoDS_Shape& shape : shapes) {
    if (DimensionOf(shape) == dimension) {
      AddProps(shape, dimension, total);
    }
  }
  return total.Mass() > 0.0 ? std::optional<GProp_GProps>(total) : std::nullopt;
}

// A direction with its largest component positive, so the same axis always reads the same.
gp_Vec Canonical(const gp_Vec& v) {
  std::array<double, 3> c = {v.X(), v.Y(), v.Z()};
  auto largest = std::max_element(c.begin(), c.end(),
                                  [](double a, double b) { return std::fabs(a) < std::fabs(b); });
  return *largest < 0.0 ? -v : v;
}

// The faces the list's entities stand for, in list order, each once.
ENTITY_LIST FacesOfList(list* geometry) {
  ENTITY_LIST faces;
  for (int i = 0; geometry != nullptr && i < geometry->count(); ++i) {
    api_get_faces((*geometry)[i], faces);
  }
  return faces;
}

// The axis a turned face turns about.
std::optional<gp_Ax1> TurningAxis(ENTITY* face) {
  BRepAdaptor_Surface surface(TopoDS::Face(ShapeOf(face)));
  switch (surface.GetType()) {
    case GeomAbs_Cylinder:
      return surface.Cylinder().Axis();
    case GeomAbs_Cone:
      return surface.Cone().Axis();
    case GeomAbs_Torus:
      return surface.Torus().Axis();
    case GeomAbs_SurfaceOfRevolution:
      return surface.AxeOfRevolution();
    default:
      return std::nullopt;
  }
}

std::optional<gp_Pnt> SurfaceCentre(ENTITY* face) {
  BRepAdaptor_Surface surface(TopoDS::Face(ShapeOf(face)));
  if (surface.GetType() == GeomAbs_Sphere) {
    return surface.Sphere().Location();
  }
  if (surface.GetType() == GeomAbs_Torus) {
    return surface.Torus().Location();
  }
  return std::nullopt;
}

struct Plane {
  SPAposition point;
  SPAunit_vector normal;
};

std::vector<Plane> PlanesOf(const ENTITY_LIST& faces) {
  std::vector<Plane> planes;
  for (int i = 0; i < faces.count(); ++i) {
    Plane plane;
    if (FaceProperties(faces[i], plane.point, plane.normal)) {
      planes.push_back(plane);
    }
  }
  return planes;
}

// The point of the line (origin, direction) nearest to `point`.
SPAposition FootOnLine(const SPAposition& point, const SPAposition& origin,
                       const SPAvector& direction) {
  SPAvector unit = direction / direction.len();
  return origin + ((point - origin) % unit) * unit;
}

SPAposition AreaCentre(const ENTITY_LIST& faces) {
  GProp_GProps total;
  for (int i = 0; i < faces.count(); ++i) {
    AddProps(ShapeOf(faces[i]), 2, total);
  }
  return ToPosition(total.CentreOfMass());
}

template <class Work>
XBOOL RunQuery(Work&& work) {
  bool answer = false;
  outcome result = RunKernelOperation([&] { answer = work(); });
  return ToXBool(result.ok() && answer);
}

// Where the line meets the plane; nullopt when they are parallel.
std::optional<SPAposition> LineMeetsPlane(const gp_Ax1& axis, const Plane& plane) {
  SPAvector direction = ToVector(axis.Direction());
  double across = direction % plane.normal;
  if (std::fabs(across) < SPAresnor) {
    return std::nullopt;
  }
  SPAposition origin = ToPosition(axis.Location());
  double t = ((plane.point - origin) % plane.normal) / across;
  return origin + t * direction;
}

bool AxisFromPlanes(const std::vector<Plane>& planes, SPAposition& origin, SPAvector& direction) {
  for (std::size_t i = 0; i < planes.size(); ++i) {
    for (std::size_t j = i + 1; j < planes.size(); ++j) {
      if (IntersectionLineOfTwoPlanes(planes[i].point, planes[i].normal, planes[j].point,
                                      planes[j].normal, origin, direction)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

XBOOL PVFCalcCenterOfGravity(list* geometry, SPAposition& centre) {
  return RunQuery([&] {
    std::optional<GProp_GProps> props = ListProps(geometry);
    if (props) {
      centre = ToPosition(props->CentreOfMass());
    }
    return props.has_value();
  });
}

XBOOL PVFFirstPrincipalAxis(list* geometry, SPAposition& origin, SPAunit_vector& direction) {
  return RunQuery([&] {
    std::optional<GProp_GProps> props = ListProps(geometry);
    if (!props) {
      return false;
    }
    GProp_PrincipalProps principal = props->PrincipalProperties();
    std::array<std::pair<double, gp_Vec>, 3> axes;
    principal.Moments(axes[0].first, axes[1].first, axes[2].first);
    axes[0].second = principal.FirstAxisOfInertia();
    axes[1].second = principal.SecondAxisOfInertia();
    axes[2].second = principal.ThirdAxisOfInertia();
    std::sort(axes.begin(), axes.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    if (axes[1].first - axes[0].first <= 1e-9 * std::max(1.0, axes[2].first)) {
      return false;  // two least moments alike: no axis is first
    }
    origin = ToPosition(props->CentreOfMass());
    direction = normalise(ToVector(Canonical(axes[0].second)));
    return true;
  });
}

XBOOL PVFCalcFacesToAxis(list* geometry, SPAposition& origin, SPAunit_vector& direction) {
  return RunQuery([&] {
    ENTITY_LIST faces = FacesOfList(geometry);
    if (faces.count() == 0) {
      return false;
    }
    SPAposition point;
    SPAvector along;
    bool found = false;
    for (int i = 0; i < faces.count() && !found; ++i) {
      if (std::optional<gp_Ax1> axis = TurningAxis(faces[i])) {
        point = ToPosition(axis->Location());
        along = ToVector(axis->Direction());
        found = true;
      }
    }
    if (!found && !AxisFromPlanes(PlanesOf(faces), point, along)) {
      return false;
    }
    origin = FootOnLine(AreaCentre(faces), point, along);
    direction = normalise(along);
    return true;
  });
}

XBOOL PVFCalcFacesToPoint(list* geometry, SPAposition& point) {
  return RunQuery([&] {
    ENTITY_LIST faces = FacesOfList(geometry);
    for (int i = 0; i < faces.count(); ++i) {
      if (std::optional<gp_Pnt> centre = SurfaceCentre(faces[i])) {
        point = ToPosition(*centre);
        return true;
      }
    }
    std::vector<Plane> planes = PlanesOf(faces);
    for (int i = 0; i < faces.count(); ++i) {
      std::optional<gp_Ax1> axis = TurningAxis(faces[i]);
      for (std::size_t p = 0; axis && p < planes.size(); ++p) {
        if (std::optional<SPAposition> meet = LineMeetsPlane(*axis, planes[p])) {
          point = *meet;
          return true;
        }
      }
    }
    for (std::size_t a = 0; a < planes.size(); ++a) {
      for (std::size_t b = a + 1; b < planes.size(); ++b) {
        for (std::size_t c = b + 1; c < planes.size(); ++c) {
          if (IntersectionPointOfThreePlanes(planes[a].point, planes[a].normal, planes[b].point,
                                             planes[b].normal, planes[c].point, planes[c].normal,
                                             point)) {
            return true;
          }
        }
      }
    }
    return false;
  });
}
