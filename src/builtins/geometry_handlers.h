// The built-ins of solids and bodies, faces and face queries, measures and transforming
// geometry: thin handlers over the kernel layer's functions. Same signature and ownership as
// handlers.h; registration names in method_table.cpp.
#pragma once

class aritm;

namespace varnex::builtins {

// Solids and bodies (solid_builtins.cpp).
void CreateCube(aritm** args, aritm** result);
void CreateCone(aritm** args, aritm** result);
void CreateSphere(aritm** args, aritm** result);
void CreateCylinder(aritm** args, aritm** result);
void CreateTorus(aritm** args, aritm** result);
void CreatePyramid12(aritm** args, aritm** result);
void CreatePyramidN(aritm** args, aritm** result);
void CreateFrustum(aritm** args, aritm** result);
void CreatePrism(aritm** args, aritm** result);
void MakeWire(aritm** args, aritm** result);
void ReadGeometry(aritm** args, aritm** result);
void ReadAcisGeo(aritm** args, aritm** result);
void CombineBody(aritm** args, aritm** result);
void BodyFrom(aritm** args, aritm** result);
void CopyBody(aritm** args, aritm** result);
void CopyEntity(aritm** args, aritm** result);
void DeleteBody(aritm** args, aritm** result);

// Faces and face queries (face_builtins.cpp).
void FaceType(aritm** args, aritm** result);
void IsPlanarFace(aritm** args, aritm** result);
void FindFace(aritm** args, aritm** result);
void FindEdge(aritm** args, aritm** result);
void VertexPoint(aritm** args, aritm** result);
void CoverFace(aritm** args, aritm** result);
void FaceNormal(aritm** args, aritm** result);
void FaceNormalX(aritm** args, aritm** result);
void FaceNormalY(aritm** args, aritm** result);
void FaceNormalZ(aritm** args, aritm** result);
void FacePosition(aritm** args, aritm** result);
void FacePositionX(aritm** args, aritm** result);
void FacePositionY(aritm** args, aritm** result);
void FacePositionZ(aritm** args, aritm** result);
void FaceEvNorm(aritm** args, aritm** result);
void FaceEvNormX(aritm** args, aritm** result);
void FaceEvNormY(aritm** args, aritm** result);
void FaceEvNormZ(aritm** args, aritm** result);
void FaceEvPos(aritm** args, aritm** result);
void FaceEvPosX(aritm** args, aritm** result);
void FaceEvPosY(aritm** args, aritm** result);
void FaceEvPosZ(aritm** args, aritm** result);
void FaceRay(aritm** args, aritm** result);
void VecToFace(aritm** args, aritm** result);
void PointPerpInPlane(aritm** args, aritm** result);
void FacesToAxis(aritm** args, aritm** result);
void FacesToPoint(aritm** args, aritm** result);

// Naming and finding faces (face_name_builtins.cpp).
void NameFaces(aritm** args, aritm** result);
void NewFaces(aritm** args, aritm** result);
void NewTempFaces(aritm** args, aritm** result);
void FindAnyFace(aritm** args, aritm** result);

// Measures (measure_builtins.cpp).
void AreaOfFace(aritm** args, aritm** result);
void AreaOfBody(aritm** args, aritm** result);
void VolumeOfBody(aritm** args, aritm** result);
void GetBoxCenter(aritm** args, aritm** result);
void GetAreaCenter(aritm** args, aritm** result);
void CenterOfGravity(aritm** args, aritm** result);
void FirstPrincipalAxis(aritm** args, aritm** result);

// Transforming geometry (geometry_transform_builtins.cpp).
void TransformGeometry(aritm** args, aritm** result);
void TransformWire(aritm** args, aritm** result);

}  // namespace varnex::builtins
