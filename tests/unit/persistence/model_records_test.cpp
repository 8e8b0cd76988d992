// The records of a model's worlds: the stream records of every object kind and the
// data-structure file, each stored, read back into an empty world and stored again.
#include <varnex/geometry/geometric_object_links.h>
#include <varnex/geometry/spa.h>
#include <varnex/model/object_contour.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/object_vectors.h>
#include <varnex/model/transf_records.h>
#include <varnex/persistence/model_records.h>
#include <varnex/persistence/string_stream.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "../model/model_fixture.h"

namespace varnex::test {
namespace {

std::string Written(const std::function<void(FILE*)>& write) {
  char* buffer = nullptr;
  std::size_t size = 0;
  FILE* file = open_memstream(&buffer, &size);
  write(file);
  std::fclose(file);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

std::unique_ptr<FILE, int (*)(FILE*)> Readable(const std::string& text) {
  FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  return {file, &std::fclose};
}

PVMStrg Text(const char* text) {
  return PVMStrg(text);
}

class ModelRecordsTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    PVFInstallObjectRecords();
    PVFClearRecordError();
  }
  void TearDown() override {
    PVFClearRecordError();
    ModelTest::TearDown();
  }

  // A world with every kind: formulas, restrictions, reference lists, an enumeration, vectors,
  // axes, transformations, references, geometry and an instance with its own sub-world.
  void BuildModel() {
    auto* width = new object_zahl(1.0 / 3.0, "width");
    width->set_alias_type("distance");
    PVMStrg positive("VALUE > 0");
    width->AddRestriction(positive);
    auto* height = new object_zahl(12.5, "height");
    height->set_value_source("width * 2 + 1;");
    auto* count = new object_number(7, "count");
    PVMStrg range("VALUE >= 0");
    count->AddRestriction(range);
    new object_logic(TRUE, "flag");
    new object_text("label with blanks; and a semicolon", "label");
    VALUE_LIST<PVMStrg> values;
    values.add(Text("red"));
    values.add(Text("green"));
    values.add(Text("blue"));
    auto* colour = new object_enum(&values, 2, "colour");
    colour->SetAliasType();
    new object_vector(1.0, -2.25, 1e-9, "direction");
    new object_axis(0.0, 0.5, 3.0, 0.0, 0.0, 1.0, "axis");
    SPAtransf shift(SPAmatrix(SPAvector(0, -1, 0), SPAvector(1, 0, 0), SPAvector(0, 0, 1)),
                    SPAvector(5, 0.1, -3), 2.0, TRUE, FALSE, FALSE);
    new object_trans(&shift, "placement");
    new object_reference("width", "ref");
    new object_geom("shape");
    auto* annotation = new PVFAnnotationZahl(4.0, "dimension", "d1");
    annotation->set_alias_type("distance");
    object_planet* plate = Planet("plate_@3");
    plate->set_alias_type("plate");
    Inside(plate, [] {
      new object_zahl(2.0, "thickness");
      auto* inner = new object_zahl(0.0, "inner");
      inner->set_value_source("thickness / 2;");
      auto* tag = new object_text("msg", "tag");
      tag->set_value_source("concat('a;b', 'c');");
    });
  }

  std::string StoreStream() {
    PVFSStream out;
    for (welt* e = anfang->get_first(); e != nullptr; e = e->get_next()) {
      EXPECT_EQ(e->get_member()->Store(out), FALSE) << e->get_member()->get_name();
    }
    return out.GetpStr();
  }

  // Replaces the root world by an empty one.
  void FreshWorld() {
    anfang = root_;
    delete root_;
    anfang = nullptr;
    ds_init();
    root_ = anfang;
  }
};

TEST_F(ModelRecordsTest, StreamRecordsRoundTripByteForByte) {
  BuildModel();
  std::string first = StoreStream();
  FreshWorld();
  PVFSStream in(first.c_str());
  EXPECT_EQ(PVFReadObjectRecords(in, 0), FALSE);
  EXPECT_EQ(PVFRecordError(), nullptr) << PVFRecordError();
  EXPECT_EQ(StoreStream(), first);
  auto* width = dynamic_cast<object_zahl*>(search("width"));
  ASSERT_NE(width, nullptr);
  PVMStrg value;
  EXPECT_EQ(width->getVal() != nullptr ? *static_cast<double*>(width->getVal()) : 0.0, 1.0 / 3.0)
      << "numbers come back exactly";
  EXPECT_STREQ(search("colour")->get_alias_type(), "ENUMERATION OF (red, green, blue)");
  rumpf* tag = search("plate_@3.tag");
  ASSERT_NE(tag, nullptr);
  EXPECT_STREQ(tag->get_value_source(), "concat('a;b', 'c');");
}

TEST_F(ModelRecordsTest, StreamRecordFraming) {
  auto* z = new object_zahl(2.5, "z");
  z->set_value_source("a \"quoted\" text;");
  PVMStrg r("VALUE > 0");
  z->AddRestriction(r);
  PVFSStream out;
  z->Store(out);
  EXPECT_STREQ(out.GetpStr(),
               "typ_: Zahl\nRevision_: 100\nname_: z\nalias_typ_: unspecified\n"
               "value_source_: \"a \\\"quoted\\\" text;\"\n"
               "restriction_: { \"VALUE > 0\" }\nRevision_: 100\nelement_: 2.5;\n");
}

TEST_F(ModelRecordsTest, TruncatedStreamRecordsNeverCrashOrLeak) {
  BuildModel();
  std::string text = StoreStream();
  for (std::size_t length = 0; length < text.size(); length += 3) {
    FreshWorld();
    PVFClearRecordError();
    PVFSStream in(text.substr(0, length).c_str());
    EXPECT_EQ(PVFReadObjectRecords(in, 0), FALSE);
  }
}

TEST_F(ModelRecordsTest, DamagedValuesAreReportedNotTaken) {
  const char* bad[] = {
      "typ_: Zahl\nRevision_: 100\nname_: x\nalias_typ_: a\nRevision_: 100\nelement_: 1e999;\n",
      "typ_: Nummer\nRevision_: 100\nname_: x\nalias_typ_: a\nRevision_: 100\nelement_: "
      "99999999999;\n",
      "typ_: ENUMERATION\nRevision_: 100\nname_: x\nalias_typ_: a\nRevision_: 100\nelement_: 5 "
      "#a#;\n",
      "typ_: Logic\nRevision_: 100\nname_: x\nalias_typ_: a\nRevision_: 100\nelement_: maybe;\n",
      "typ_: Zahl\nRevision_: 100\nalias_typ_: a\nRevision_: 100\nelement_: 1;\n",
  };
  for (const char* text : bad) {
    PVFClearRecordError();
    PVFSStream in(text);
    PVFReadObjectRecords(in, 0);
    EXPECT_NE(PVFRecordError(), nullptr) << text;
    EXPECT_EQ(search("x"), nullptr) << text;
  }
}

TEST_F(ModelRecordsTest, DataStructureFileRoundTripsByteForByte) {
  BuildModel();
  total_count = 42;
  std::string first = Written([](FILE* f) { EXPECT_EQ(storeds(f), 1); });
  EXPECT_EQ(first.rfind("# Feature Data Structure File\n# VARNEX Version 4.2\n#", 0), 0u);
  FreshWorld();
  auto file = Readable(first);
  EXPECT_EQ(readds(file.get()), 1);
  EXPECT_EQ(PVFRecordError(), nullptr) << PVFRecordError();
  EXPECT_EQ(total_count, 42);
  EXPECT_EQ(Written([](FILE* f) { storeds(f); }), first);
  rumpf* tag = search("plate_@3.tag");
  ASSERT_NE(tag, nullptr);
  EXPECT_STREQ(tag->get_value_source(), "concat('a;b', 'c')")
      << "a ';' inside a string literal does not end the formula";
}

TEST_F(ModelRecordsTest, TransformationRecordReadsWhatItWrites) {
  SPAtransf turn(SPAmatrix(SPAvector(0, -1, 0), SPAvector(1, 0, 0), SPAvector(0, 0, 1)),
                 SPAvector(1.5, 2, 3), 1.0, TRUE, FALSE, FALSE);
  auto* t = new object_trans(&turn, "t");
  std::string text = Written([&](FILE* f) { t->store(f); });
  EXPECT_NE(text.find("element_: {\ntransformation: rotation no reflection no shear\n"
                      "\t0, -1, 0\n\t1, 0, 0\n\t0, 0, 1\n\t1.5, 2, 3, 1\n};\n"),
            std::string::npos)
      << text;
  FreshWorld();
  auto file = Readable(text);
  EXPECT_EQ(read_current_welt(file.get(), FALSE), 1);
  auto* back = dynamic_cast<object_trans*>(search("t"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetValidity(), 0);
  EXPECT_EQ(Written([&](FILE* f) { back->store(f); }), text);
}

TEST_F(ModelRecordsTest, MatrixStreamFormAndNull) {
  SPAtransf shift(SPAmatrix(), SPAvector(5, 0, 0), 1.0, FALSE, FALSE, FALSE);
  PVMStrg text("\t\t");
  ASSERT_NE(transmatrix_into_string(text, &shift), nullptr);
  EXPECT_STREQ(text.GetpStr(),
               "\t\t[ 1, 0, 0 ],\n\t\t[ 0, 1, 0 ],\n\t\t[ 0, 0, 1 ],\n\t\t[ 5, 0, 0 ],\n\t\t1, 0, "
               "0, 0");
  EXPECT_EQ(transmatrix_into_string(text, nullptr), nullptr);
  double values[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 5, 0, 0};
  std::unique_ptr<SPAtransf> back(RestoreMatrix(values, 1.0, 0, 0, 0));
  EXPECT_DOUBLE_EQ(back->translation().x(), 5.0);
  auto missing = Readable("title: no rotation\n\t1, 0, 0\n\t0, 1, 0\n");
  EXPECT_EQ(restore_matrix(missing.get()), nullptr);
}

TEST_F(ModelRecordsTest, AxisRecords) {
  double origin[3] = {1, 2, 3};
  double direction[3] = {0, 0, 1};
  PVFAchsen axis(origin, direction);
  EXPECT_EQ(Written([&](FILE* f) { axis.store(f); }), "1 2 3 \t 0 0 1");
  PVFSStream out;
  axis.Store(out);
  EXPECT_STREQ(out.GetpStr(), "Revision_: 100\n1 2 3 \t 0 0 1\n");
  PVFAchsen back;
  PVFSStream in(out.GetpStr());
  EXPECT_EQ(back.Restore(in), FALSE);
  EXPECT_EQ(back.GetOrigin()[2], 3.0);
  auto partial = Readable("1 2 3 4 5");
  PVFAchsen zeros(partial.get());
  EXPECT_EQ(zeros.GetOrigin()[0], 0.0) << "all six numbers or none";
}

// Old files name features by their file names; the feature library maps them to today's names.
class RenamingLinks : public GeometricObjectLinks {
 public:
  explicit RenamingLinks(GeometricObjectLinks& base) : base_(base) {}
  XBOOL OldNameIntoNewName(const PVMStrg& name, PVMStrg& converted) const override {
    converted = std::string(name.GetpStr()) == "oldbox_@3" ? "box_@3" : name.GetpStr();
    return TRUE;
  }
  rumpf* Search(const char* name) const override { return base_.Search(name); }

 private:
  GeometricObjectLinks& base_;
};

TEST_F(ModelRecordsTest, OldFormatFilesAreConverted) {
  const std::string body =
      "7\n"
      "typ_: Zahl;\nname_: w;\nalias_typ_: distance;\nvalue_source_: oldbox_@3.width+1;\n"
      "element_: 3;\n"
      "typ_: Zahl;\nname_: v;\nalias_typ_: distance;\nvalue_source_: oldbox_@3 * 2;\n"
      "element_: 3;\n";
  RenamingLinks links(ObjectLinks());
  GeometricObjectLinks* previous = SetGeometricObjectLinks(&links);
  auto old_file = Readable("# Feature Data Structure File\n# VARNEX Version 4.1\n#\n" + body);
  EXPECT_EQ(readds(old_file.get()), 1);
  EXPECT_STREQ(search("w")->get_value_source(), "oldbox_@3.width+1")
      << "a name followed by '.' is a path, not a feature";
  EXPECT_STREQ(search("v")->get_value_source(), "box_@3*2");
  FreshWorld();
  auto new_file = Readable("# Feature Data Structure File\n# VARNEX Version 4.2\n#\n" + body);
  EXPECT_EQ(readds(new_file.get()), 1);
  EXPECT_STREQ(search("v")->get_value_source(), "oldbox_@3 * 2");
  SetGeometricObjectLinks(previous);
  EXPECT_EQ(total_count, 7);
}

TEST_F(ModelRecordsTest, DataStructureReaderEdges) {
  const std::string header = "# Feature Data Structure File\n# VARNEX Version 4.2\n#\n1\n";
  auto file =
      Readable(header +
               "typ_: Zahl;\nname_: a;\nalias_typ_: x;\nvalue_source_: ;\n"
               "reference_to_: {b;b;c};\nelement_: 2;\n"
               "typ_: Strange;\nname_: s;\nalias_typ_: x;\nvalue_source_: ;\n"
               "element_: whatever;\n"
               "typ_: Zahl;\nname_: " +
               std::string(5000, 'n') + ";\nalias_typ_: x;\nvalue_source_: ;\nelement_: 1;\n");
  EXPECT_EQ(readds(file.get()), 1);
  VALUE_LIST<PVMStrg> to;
  ASSERT_NE(search("a"), nullptr);
  EXPECT_EQ(search("a")->GetReferencesTo(&to), 2) << "repeated items are dropped";
  EXPECT_EQ(search("a")->get_value_source(), nullptr);
  EXPECT_EQ(search("s"), nullptr);
  EXPECT_NE(search(std::string(5000, 'n').c_str()), nullptr) << "fields have no length limit";
  auto bad = Readable(header + "typ_: Zahl;\nname_: p;\n{\n");
  EXPECT_EQ(read_current_welt(bad.get(), FALSE), 0) << "an instance needs name, type and alias";
  FreshWorld();
  auto headerless = Readable("typ_: Zahl;\nname_: p;\nalias_typ_: q;\n{\n");
  EXPECT_EQ(read_current_welt(headerless.get(), FALSE), 0);
}

TEST_F(ModelRecordsTest, TruncatedDataStructureFilesNeverCrashOrLeak) {
  BuildModel();
  std::string text = Written([](FILE* f) { storeds(f); });
  for (std::size_t length = 0; length < text.size(); length += 2) {
    FreshWorld();
    PVFClearRecordError();
    auto file = Readable(text.substr(0, length));
    readds(file.get());
  }
}

}  // namespace
}  // namespace varnex::test
