// The host's entity connections across rebuilds and updates: each connection finds its face,
// edge or vertex again by face names and its characteristic point, or the host is told that
// it is dropped; with no host interface nothing is recorded.
#include <varnex/persistence/entity_connections.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tree_test_support.h"

namespace {

using varnex::test::TreeSession;

// The host: annotations on entities, kept in entity lists so that a deleted entity is never
// followed. Records every call.
class AnnotationHost : public IfcSaveConnections {
 public:
  struct Annotation {
    ENTITY_LIST entity;  // at most one
    int restored = 0;
    bool deleted = false;
    bool no_instance = false;
  };

  AnnotationHost() { pIfcSaveConnections = this; }
  ~AnnotationHost() override { pIfcSaveConnections = nullptr; }

  Annotation* Add(ENTITY* entity) {
    annotations.push_back(std::make_unique<Annotation>());
    annotations.back()->entity.add(entity);
    return annotations.back().get();
  }
  static ENTITY* EntityOf(const Annotation* annotation) { return annotation->entity[0]; }

  XBOOL GetDataToSave(GENERIC_LIST<PVFEntityConnection>* out, XBOOL) override {
    ++whole_model_requests;
    for (auto& annotation : annotations) {
      Hand(*annotation, out);
    }
    return TRUE;
  }
  XBOOL GetBodyDataToSave(ENTITY* body, GENERIC_LIST<PVFEntityConnection>* out, PDTnode*) override {
    bodies_asked.push_back(body);
    for (auto& annotation : annotations) {
      ENTITY* entity = EntityOf(annotation.get());
      if (entity != nullptr && entity->owning_body() == body) {
        Hand(*annotation, out);
      }
    }
    return TRUE;
  }
  XBOOL SetRestoreData(ENTITY* entity, void* connection, unsigned short type) override {
    auto* annotation = static_cast<Annotation*>(connection);
    EXPECT_EQ(type, kType);
    annotation->entity.clear();
    annotation->entity.add(entity);
    ++annotation->restored;
    return TRUE;
  }
  XBOOL DeleteConnection(void* connection, unsigned short) override {
    static_cast<Annotation*>(connection)->deleted = true;
    return TRUE;
  }
  XBOOL DeleteNoInstConnection(ENTITY*, void* connection, unsigned short) override {
    static_cast<Annotation*>(connection)->no_instance = true;
    return TRUE;
  }
  XBOOL DoMergeObjects(rvoid_list* running, rvoid_list* added) override {
    merges.push_back({running->count(), added->count()});
    return TRUE;
  }

  static constexpr unsigned short kType = 7;
  std::vector<std::unique_ptr<Annotation>> annotations;
  std::vector<ENTITY*> bodies_asked;
  std::vector<std::pair<int, int>> merges;
  int whole_model_requests = 0;

 private:
  static void Hand(Annotation& annotation, GENERIC_LIST<PVFEntityConnection>* out) {
    out->add(new PVFEntityConnection(EntityOf(&annotation), &annotation, kType));
  }
};

class Connections : public TreeSession {
 protected:
  static ENTITY* Face(const std::string& name) {
    PVMStrg text(name.c_str());
    return FindFaceByFullName(text);
  }
  static std::string FullName(ENTITY* face) {
    PVMStrg name;
    return FindFaceFullName(face, name) != nullptr ? name.GetpStr() : "";
  }
  static double Area(ENTITY* face) {
    double area = 0, achieved = 0;
    return api_ent_area(face, 1e-6, area, achieved).ok() ? area : -1.0;
  }
  // The edges two faces share.
  static std::vector<ENTITY*> SharedEdges(ENTITY* a, ENTITY* b) {
    ENTITY_LIST of_a, of_b;
    api_get_edges(a, of_a);
    api_get_edges(b, of_b);
    std::vector<ENTITY*> shared;
    for (int i = 0; i < of_a.count(); ++i) {
      if (of_b.lookup(of_a[i]) >= 0) {
        shared.push_back(of_a[i]);
      }
    }
    return shared;
  }
  static SPAposition Middle(ENTITY* edge) {
    SPAposition a = vertex_position(edge_start(edge)), b = vertex_position(edge_end(edge));
    return SPAposition((a.x() + b.x()) / 2, (a.y() + b.y()) / 2, (a.z() + b.z()) / 2);
  }
  static void SetValueOf(const char* name, const char* value) {
    PVMStrg n(name), v(value), result;
    ASSERT_NE(SetValue(n, v, result), nullptr) << result.GetpStr();
  }
};

TEST_F(Connections, FaceConnectionFollowsAResizedFaceThroughARebuild) {
  PDTfeat* block = Feature("named_block");
  ASSERT_NE(block, nullptr);
  ENTITY* side = Face("named_block_@1.f_0");
  ASSERT_NE(side, nullptr);
  AnnotationHost host;
  AnnotationHost::Annotation* note = host.Add(side);
  SetValueOf("named_block_@1.depth", "60");
  ASSERT_EQ(rebuild_all(), 0);
  ENTITY* now = AnnotationHost::EntityOf(note);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(note->restored, 1);
  EXPECT_FALSE(note->deleted);
  EXPECT_EQ(FullName(now), "named_block_@1.f_0");
  EXPECT_EQ(now->owning_body(), block->get_body());
  EXPECT_NEAR(Area(now), 60.0 * 10, 1e-6);
  EXPECT_EQ(host.whole_model_requests, 1);
  EXPECT_EQ(pPVFSaveAllEntityConnections->Count(), 0) << "every record answered";
}

TEST_F(Connections, EdgeBetweenTwoFacesMeetingTwiceFindsTheNearest) {
  ASSERT_NE(Feature("notched_block"), nullptr);
  std::vector<ENTITY*> edges =
      SharedEdges(Face("notched_block_@1.f_0"), Face("notched_block_@1.f_1"));
  ASSERT_EQ(edges.size(), 2u) << "the notch splits the upright edge between +x and +y";
  AnnotationHost host;
  std::vector<AnnotationHost::Annotation*> notes;
  std::vector<double> heights;
  for (ENTITY* edge : edges) {
    notes.push_back(host.Add(edge));
    heights.push_back(Middle(edge).z());
  }
  // A wider block moves both edges; each connection stays on its own side of the notch.
  SetValueOf("notched_block_@1.width", "60");
  ASSERT_EQ(rebuild_all(), 0);
  std::vector<ENTITY*> now =
      SharedEdges(Face("notched_block_@1.f_0"), Face("notched_block_@1.f_1"));
  ASSERT_EQ(now.size(), 2u);
  for (std::size_t i = 0; i < notes.size(); ++i) {
    ENTITY* edge = AnnotationHost::EntityOf(notes[i]);
    ASSERT_NE(edge, nullptr) << "edge " << i;
    EXPECT_NE(std::find(now.begin(), now.end(), edge), now.end());
    EXPECT_NEAR(Middle(edge).z(), heights[i], 1e-9) << "edge " << i << " changed sides";
    EXPECT_NEAR(Middle(edge).x(), 30, 1e-9);
  }
}

TEST_F(Connections, VertexConnectionFindsItsCornerAgain) {
  ASSERT_NE(Feature("named_block"), nullptr);
  // +x and +y share two corners, at the bottom and at the top.
  std::vector<ENTITY*> edge = SharedEdges(Face("named_block_@1.f_0"), Face("named_block_@1.f_1"));
  ASSERT_EQ(edge.size(), 1u);
  AnnotationHost host;
  AnnotationHost::Annotation* bottom = host.Add(edge_start(edge[0]));
  AnnotationHost::Annotation* top = host.Add(edge_end(edge[0]));
  double bottom_z = vertex_position(edge_start(edge[0])).z();
  SetValueOf("named_block_@1.depth", "50");
  ASSERT_EQ(rebuild_all(), 0);
  for (AnnotationHost::Annotation* note : {bottom, top}) {
    ENTITY* now = AnnotationHost::EntityOf(note);
    ASSERT_TRUE(is_VERTEX(now));
    SPAposition at = vertex_position(now);
    EXPECT_NEAR(at.x(), 20, 1e-9);
    EXPECT_NEAR(at.y(), 25, 1e-9) << "the corner of the deeper block";
    EXPECT_NEAR(at.z(), note == bottom ? bottom_z : 10 - bottom_z, 1e-9);
  }
}

TEST_F(Connections, RecordsTakeFaceNamesAndPoints) {
  ASSERT_NE(Feature("named_block"), nullptr);
  ENTITY* side = Face("named_block_@1.f_0");
  ENTITY* back = Face("named_block_@1.f_1");
  std::vector<ENTITY*> edge = SharedEdges(side, back);
  ASSERT_EQ(edge.size(), 1u);
  PVFSaveEntityConnection face(side, nullptr, 0), line(edge[0], nullptr, 0);
  PVFSaveEntityConnection body(side->owning_body(), nullptr, 0), none(nullptr, nullptr, 0);
  EXPECT_EQ(face.GetKind(), PVFSaveEntityConnection::kFace);
  EXPECT_EQ(face.GetFaceNames().Count(), 1);
  EXPECT_STREQ(face.GetFaceNames()[0], "named_block_@1.f_0");
  EXPECT_EQ(line.GetKind(), PVFSaveEntityConnection::kEdge);
  EXPECT_EQ(line.GetFaceNames().Count(), 2);
  EXPECT_GE(line.GetFaceNames().Lookup("named_block_@1.f_0"), 0);
  EXPECT_GE(line.GetFaceNames().Lookup("named_block_@1.f_1"), 0);
  ASSERT_TRUE(line.ePointValid());
  EXPECT_TRUE(same_point(line.GetPoint(), vertex_position(edge_start(edge[0]))) ||
              same_point(line.GetPoint(), vertex_position(edge_end(edge[0]))))
      << "a straight edge's curve point at 0 is one of its ends";
  EXPECT_FALSE(body.eIsCorrectEnt());
  EXPECT_FALSE(none.eIsCorrectEnt());
}

TEST_F(Connections, WithoutAHostNothingIsRecordedAndRebuildsRun) {
  ASSERT_EQ(pIfcSaveConnections, nullptr);
  PDTfeat* block = Feature("named_block");
  ASSERT_NE(pPVFSaveAllEntityConnections, nullptr) << "initialize_modeller creates the set";
  PVFSaveAllEntityConnections& set = *pPVFSaveAllEntityConnections;
  ENTITY* body = block->get_body();
  void_list nodes;
  nodes.add(block);
  PVFSaveAllEntityConnections other;
  EXPECT_FALSE(set.GetDataToSave(TRUE));
  EXPECT_FALSE(set.GetDataToSave(body, block));
  EXPECT_FALSE(set.GetDataToSave(&nodes));
  EXPECT_FALSE(set.Merge(other));
  EXPECT_FALSE(set.RestoreData());
  EXPECT_FALSE(set.RestoreDataByBody(body));
  EXPECT_FALSE(set.RestoreDataByNode(block));
  EXPECT_FALSE(set.RemoveNoInst());
  EXPECT_FALSE(set.RemoveDataByBody(body));
  EXPECT_FALSE(set.ReNameSavedNames(block, block));
  SetValueOf("named_block_@1.width", "50");
  EXPECT_EQ(rebuild_all(), 0);
  EXPECT_EQ(update_referencing_nodes(block, nullptr), 0);
  EXPECT_EQ(set.Count(), 0);
  EXPECT_NEAR(Volume(block), 50.0 * 40 * 10, 1e-6);
}

TEST_F(Connections, RecordWhoseFacesAreGoneIsDroppedWithTheHostTold) {
  PDTfeat* kept = Feature("named_block");
  PDTfeat* doomed = Feature("named_block");
  AnnotationHost host;
  AnnotationHost::Annotation* stays = host.Add(Face("named_block_@1.f_0"));
  AnnotationHost::Annotation* goes = host.Add(Face("named_block_@2.f_0"));
  PVFSaveAllEntityConnections set;
  ASSERT_TRUE(set.GetDataToSave(TRUE));
  ASSERT_EQ(set.Count(), 2);
  ASSERT_TRUE(doomed->delete_body());
  EXPECT_EQ(set[1]->GetEntity(), nullptr) << "the record forgot the deleted face";
  EXPECT_EQ(set.RestoreEntityFromData(*set[1]), nullptr);
  ASSERT_TRUE(set.RestoreData());
  EXPECT_EQ(stays->restored, 1);
  EXPECT_FALSE(stays->deleted);
  EXPECT_EQ(goes->restored, 0);
  EXPECT_TRUE(goes->deleted);
  EXPECT_EQ(set.Count(), 0);
  EXPECT_NE(kept->get_body(), nullptr);
}

TEST_F(Connections, RemovingByBodyAndWithoutInstanceTellsTheHost) {
  PDTfeat* first = Feature("named_block");
  PDTfeat* second = Feature("named_block");
  AnnotationHost host;
  AnnotationHost::Annotation* on_first = host.Add(Face("named_block_@1.f_0"));
  AnnotationHost::Annotation* on_second = host.Add(Face("named_block_@2.f_0"));
  AnnotationHost::Annotation* also_second = host.Add(Face("named_block_@2.f_1"));
  PVFSaveAllEntityConnections set;
  ASSERT_TRUE(set.GetDataToSave(TRUE));
  ASSERT_TRUE(set.RemoveDataByBody(first->get_body()));
  EXPECT_TRUE(on_first->deleted);
  EXPECT_FALSE(on_second->deleted);
  EXPECT_EQ(set.Count(), 2);
  ASSERT_TRUE(set.RemoveNoInst());
  EXPECT_EQ(set.Count(), 2) << "both faces still have their instance";
  ASSERT_TRUE(second->delete_body());
  ASSERT_TRUE(set.RemoveNoInst());
  EXPECT_TRUE(on_second->no_instance);
  EXPECT_TRUE(also_second->no_instance);
  EXPECT_EQ(set.Count(), 0);
}

TEST_F(Connections, UpdateRecordsOnlyTheRefreshedBodiesAndMergesThem) {
  PDTfeat* changed = Feature("named_block");
  PDTfeat* bystander = Feature("named_block");
  AnnotationHost host;
  AnnotationHost::Annotation* on_changed = host.Add(Face("named_block_@1.f_0"));
  AnnotationHost::Annotation* on_bystander = host.Add(Face("named_block_@2.f_0"));
  ENTITY* old_body = changed->get_body();
  ENTITY* untouched = bystander->get_body();
  SetValueOf("named_block_@1.depth", "30");
  ASSERT_EQ(update_referencing_nodes(changed, nullptr), 0);
  ASSERT_FALSE(host.bodies_asked.empty());
  for (ENTITY* body : host.bodies_asked) {
    EXPECT_EQ(body, old_body) << "only the refreshed node's body";
  }
  EXPECT_EQ(bystander->get_body(), untouched);
  EXPECT_FALSE(host.merges.empty());
  EXPECT_EQ(host.whole_model_requests, 0);
  EXPECT_EQ(on_changed->restored, 1);
  EXPECT_NEAR(Area(AnnotationHost::EntityOf(on_changed)), 30.0 * 10, 1e-6);
  EXPECT_EQ(on_bystander->restored, 0) << "its body was not touched";
  EXPECT_EQ(AnnotationHost::EntityOf(on_bystander), Face("named_block_@2.f_0"));
  EXPECT_EQ(bystander->get_body(), AnnotationHost::EntityOf(on_bystander)->owning_body());
}

TEST_F(Connections, FaceOfASubtreeRestoredFromItsMemoryBodyIsFoundAgain) {
  PDTnode* holed = Feature("named_block", {"width=100", "depth=50"});
  for (int i = 0; i < 5; ++i) {
    std::string x = "x=" + std::to_string(-40 + 20 * i);
    holed = connect(holed, Feature("bore", {x.c_str(), "y=10"}), 0);
    ASSERT_NE(holed, nullptr);
  }
  ASSERT_TRUE(holed->eHasMemBody());
  PDTfeat* post = Feature("post");
  PDTnode* top = connect(holed, post, 0);
  ASSERT_NE(top, nullptr);
  AnnotationHost host;
  AnnotationHost::Annotation* note = host.Add(Face("named_block_@1.f_0"));
  SetValueOf((std::string(post->get_name()) + ".height").c_str(), "35");
  ASSERT_EQ(update_referencing_nodes(post, nullptr), 0);
  ASSERT_EQ(PDTLastRestoredNodes(), std::vector<std::string>{holed->get_name()});
  ENTITY* now = AnnotationHost::EntityOf(note);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(note->restored, 1);
  EXPECT_EQ(FullName(now), "named_block_@1.f_0");
  EXPECT_EQ(now->owning_body(), top->get_body());
  EXPECT_NEAR(Area(now), 50.0 * 10, 1e-6);
}

TEST_F(Connections, MergeKeepsTheEarlierRecordOfAConnection) {
  ASSERT_NE(Feature("named_block"), nullptr);
  AnnotationHost host;
  host.Add(Face("named_block_@1.f_0"));
  host.Add(Face("named_block_@1.f_1"));
  PVFSaveAllEntityConnections running, added;
  ASSERT_TRUE(running.GetDataToSave(TRUE));
  ASSERT_TRUE(added.GetDataToSave(TRUE));
  PVFSaveEntityConnection* earlier = running[0];
  ASSERT_TRUE(running.Merge(added));
  ASSERT_EQ(host.merges.size(), 1u);
  EXPECT_EQ(host.merges[0], (std::pair<int, int>{2, 2}));
  EXPECT_EQ(running.Count(), 2);
  EXPECT_EQ(running[0], earlier);
  EXPECT_EQ(added.Count(), 0);
  // Collecting again while records are pending adds nothing either.
  ASSERT_TRUE(running.GetDataToSave(TRUE));
  EXPECT_EQ(running.Count(), 2);
}

TEST_F(Connections, RenamedInstanceNamesAreRewritten) {
  ASSERT_NE(Feature("named_block"), nullptr);
  AnnotationHost host;
  host.Add(Face("named_block_@1.f_0"));
  PVFSaveAllEntityConnections set;
  ASSERT_TRUE(set.GetDataToSave(TRUE));
  ASSERT_TRUE(set.ReNameSavedNames("named_block_@1", "plate_@9"));
  EXPECT_STREQ(set[0]->GetFaceNames()[0], "plate_@9.f_0");
  ASSERT_TRUE(set.ReNameSavedNames("plate_@", "x"));
  EXPECT_STREQ(set[0]->GetFaceNames()[0], "plate_@9.f_0") << "a prefix that is no whole name";
  set.Reset();
}

}  // namespace
