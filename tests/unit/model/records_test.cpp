// The data-structure file records of objects (common fields and each kind's value part), and
// reading the value parts back.
#include <varnex/geometry/spa.h>
#include <varnex/model/object_references.h>
#include <varnex/model/object_values.h>
#include <varnex/model/object_vectors.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "model_fixture.h"
#include "test_evaluator.h"

namespace varnex::test {
namespace {

// What `write` puts into a file.
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

// A file holding `text`, positioned at its start; closed by the deleter.
std::unique_ptr<FILE, int (*)(FILE*)> Readable(const std::string& text) {
  FILE* file = std::tmpfile();
  std::fputs(text.c_str(), file);
  std::rewind(file);
  return {file, &std::fclose};
}

class RecordsTest : public ModelTest {
 protected:
  WithTestEvaluator evaluator_;
};

TEST_F(RecordsTest, CommonFieldsInOrder) {
  new object_zahl(1.0, "b");
  auto* z = new object_zahl(2.5, "z");
  z->set_alias_type("distance");
  z->set_value_source("b * 2; second statement;");
  for (const char* r : {"VALUE > 0", "VALUE < 10"}) {
    PVMStrg text(r);
    z->AddRestriction(text);
  }
  EXPECT_EQ(Written([&](FILE* f) { z->store(f); }),
            "typ_: Zahl;\n"
            "name_: z;\n"
            "alias_typ_: distance;\n"
            "value_source_: b * 2;\n"
            "restriction_: {VALUE > 0;VALUE < 10};\n"
            "reference_to_: {b};\n"
            "element_: 2.5;\n");
  EXPECT_EQ(z->store(nullptr), -1);
}

TEST_F(RecordsTest, MissingFieldsAreUnknownAndEmptyListsOmitted) {
  auto* object = new rumpf();
  EXPECT_EQ(Written([&](FILE* f) { EXPECT_EQ(object->store(f), 1); }),
            "typ_: unknown;\nname_: unknown;\nalias_typ_: unknown;\nvalue_source_: ;\n");
}

TEST_F(RecordsTest, InstancesWriteTheirSubworldInBraces) {
  object_planet* p = Planet("p");
  p->set_alias_type("plate");
  Inside(p, [] { new object_logic(TRUE, "flag"); });
  EXPECT_EQ(Written([&](FILE* f) { EXPECT_EQ(p->store(f), 0); }),
            "typ_: Planet;\nname_: p;\nalias_typ_: plate;\nvalue_source_: ;\n{\n"
            "typ_: Logic;\nname_: flag;\nalias_typ_: unspecified;\nvalue_source_: ;\n"
            "element_: XTRUE;\n};\n");
}

TEST_F(RecordsTest, ValueParts) {
  VALUE_LIST<PVMStrg> values;
  values.add(PVMStrg("a"));
  values.add(PVMStrg("b"));
  auto* target = new object_zahl(1.0, "target");
  struct Case {
    rumpf* object;
    const char* element;
  };
  const Case cases[] = {
      {new object_number(-12, "n"), "element_: -12;\n"},
      {new object_zahl(0.125, "z"), "element_: 0.125;\n"},
      {new object_logic(FALSE, "l"), "element_: XFALSE;\n"},
      {new object_text("it is", "t"), "element_: 'it is';\n"},
      {new object_enum(&values, 1, "e"), "element_: 1 #a#b#;\n"},
      {new object_vector(1, -2, 3.5, "v"), "element_: 1 -2 3.5;\n"},
      {new object_axis(1, 2, 3, 0, 0, 1, "ax"), "element_: 1 2 3 0 0 1;\n"},
      {new object_reference(target, "r"), "element_: target;\n"},
      {new object_reference("r2"), "element_: NULL;\n"},
      {new object_geom("g"), "element_: NULL;\n"},
      {new PVFAnnotationZahl(4.0, "an", "dim1"), "element_: 4 dim1;\n"},
  };
  for (const Case& c : cases) {
    std::string record = Written([&](FILE* f) { EXPECT_EQ(c.object->store(f), 0); });
    std::size_t element = record.find("element_:");
    ASSERT_NE(element, std::string::npos) << c.object->get_name();
    EXPECT_EQ(record.substr(element), c.element) << c.object->get_name();
  }
  std::string annotation = Written([&](FILE* f) { cases[10].object->store(f); });
  EXPECT_EQ(annotation.rfind("typ_: ANNOTATIONZAHL;\nSubtyp_: Zahl;\n", 0), 0u);
}

// Writing a value part and reading it into a fresh object of the same kind gives the value.
TEST_F(RecordsTest, ValuePartsReadBack) {
  VALUE_LIST<PVMStrg> values;
  values.add(PVMStrg("red"));
  values.add(PVMStrg("green"));
  SPAtransf shift = translate_transf(SPAvector(1, 2, 3));
  struct Case {
    rumpf* original;
    rumpf* fresh;
  };
  const Case cases[] = {
      {new object_number(-12, "n"), new object_number("n2")},
      {new object_zahl(0.1, "z"), new object_zahl("z2")},
      {new object_logic(TRUE, "l"), new object_logic("l2")},
      {new object_text("a b c", "t"), new object_text("t2")},
      {new object_enum(&values, 1, "e"), new object_enum("e2")},
      {new object_vector(1, -2, 3.5, "v"), new object_vector("v2")},
      {new object_axis(1, 2, 3, 0, 0, 1, "ax"), new object_axis("ax2")},
      {new object_trans(&shift, "tr"), new object_trans("tr2")},
      {new PVFAnnotationZahl(4.5, "an", "dim1"), new PVFAnnotationZahl("an2")},
  };
  for (const Case& c : cases) {
    std::string record = Written([&](FILE* f) { c.original->store(f); });
    std::size_t element = record.find("element_:");
    ASSERT_NE(element, std::string::npos);
    auto file = Readable(record.substr(element + std::string("element_:").size()));
    EXPECT_EQ(c.fresh->read_element(file.get()), 0) << c.original->get_name();
    PVMStrg expected, actual;
    EXPECT_STREQ(c.fresh->get_value(actual), c.original->get_value(expected))
        << c.original->get_name();
  }
  EXPECT_STREQ(static_cast<PVFAnnotationZahl*>(cases[8].fresh)->GetConnectName(), "dim1");
  EXPECT_EQ(cases[7].fresh->GetValidity(), 0);
}

TEST_F(RecordsTest, UnreadableTransformationBecomesIdentity) {
  auto* t = new object_trans("t");
  auto file = Readable(" NULL;\n");
  EXPECT_EQ(t->read_element(file.get()), 0);
  EXPECT_EQ(t->GetValidity(), 3013);
  EXPECT_EQ(t->get()->identity(), TRUE);
  auto* n = new object_number("n");
  auto empty = Readable("");
  EXPECT_EQ(n->read_element(empty.get()), -1);
}

}  // namespace
}  // namespace varnex::test
