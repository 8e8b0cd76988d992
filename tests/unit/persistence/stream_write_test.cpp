// Writing through the stream family: number forms, character conversion, quoted strings, items.
#include <gtest/gtest.h>
#include <varnex/persistence/block_stream.h>
#include <varnex/persistence/string_stream.h>

#include <string>

namespace {

TEST(StreamWrite, FloatingPointForms) {
  struct Case {
    double value;
    bool geometry;  // PVFAcisStream
    int precision;  // -2: the stream's own
    const char* text;
  };
  const Case cases[] = {
      {2.50, false, -2, "2.5"},    {3.0, false, -2, "3"},
      {-0.25, false, -2, "-0.25"}, {3.14159265358979, false, -2, "3.141593"},
      {1e-7, false, -2, "0"},      {1.0 / 3.0, true, -2, "0.33333333333333"},
      {0.1, true, -2, "0.1"},      {-12.0, true, -2, "-12"},
      {3.14159, false, 2, "3.14"}, {2.5, false, 0, "2"},
  };
  for (const Case& c : cases) {
    PVFSStream plain;
    PVFAcisStream geometry;
    PVFSStream& out = c.geometry ? geometry : plain;
    if (c.precision != -2) {
      out.FmtPrecision(c.precision);
    }
    out << c.value;
    EXPECT_STREQ(out.GetpStr(), c.text) << c.value;
  }
}

TEST(StreamWrite, FloatAndExponentForm) {
  PVFSStream out;
  out << 0.1f << " ";
  out.FmtFloatForm(PVFStreamFmt::kExponentForm);
  out << 1500.0;
  EXPECT_STREQ(out.GetpStr(), "0.1 1.5e+03");
}

TEST(StreamWrite, IntegerForms) {
  struct Case {
    PVFStream& (*base)(PVFStream&);
    XBOOL showBase;
    int range;
    int value;
    const char* text;
  };
  const Case cases[] = {
      {Bin, TRUE, 8, 5, "0b00000101"}, {Bin, FALSE, -1, 0, "0"},
      {Bin, FALSE, -1, 6, "110"},      {Dec, FALSE, 5, -42, "-00042"},
      {Dec, FALSE, 5, 42, "00042"},    {Dec, FALSE, -1, -2147483647 - 1, "-2147483648"},
      {Hex, TRUE, -1, 255, "0xff"},    {Hex, FALSE, 4, 10, "000a"},
      {Oct, TRUE, -1, 8, "0o10"},      {Dec, TRUE, -1, 7, "7"},
  };
  for (const Case& c : cases) {
    PVFSStream out;
    out << c.base;
    out.FmtShowBase(c.showBase);
    out.FmtIntRange(c.range);
    out << c.value;
    EXPECT_STREQ(out.GetpStr(), c.text) << c.value;
  }
}

TEST(StreamWrite, NarrowAndUnsignedTypesAsNumbers) {
  PVFSStream out;
  out << static_cast<short>(-3) << ' ' << static_cast<unsigned short>(65535) << ' '
      << static_cast<unsigned char>(200) << ' ' << 4000000000u << ' ' << 'c' << ' ' << TRUE << ' '
      << FALSE;
  EXPECT_STREQ(out.GetpStr(), "-3 65535 200 4000000000 c TRUE FALSE");
}

TEST(StreamWrite, PutWritesValuesWithoutSeparators) {
  const int numbers[] = {1, 23, -4};
  const double reals[] = {0.5, 2.0};
  PVFSStream out;
  out.Put(numbers, 3).Put(reals, 2).Put(static_cast<const int*>(nullptr), 5);
  EXPECT_STREQ(out.GetpStr(), "123-40.52");
}

TEST(StreamWrite, CaseConversionAppliesPerItem) {
  PVFSStream out;
  out.FmtCharConv(PVFStreamFmt::kToUpper);
  out << "Mixed" << ' ';
  out.FmtCharConv(PVFStreamFmt::kToLower);
  out << PVMStrg("Case") << ' ' << TRUE;
  EXPECT_STREQ(out.GetpStr(), "MIXED case true");
}

// Every character of the escape table written with the escaping conversion reads back whole.
TEST(StreamWrite, EscapeConversionRoundTrips) {
  const std::string text = "bell\a bs\b tab\t lf\n vt\v ff\f cr\r dq\" sq' bs\\ plain";
  PVFSStream out;
  out.WriteChar('"');
  out.FmtCharConv(PVFStreamFmt::kEscapes);
  out << text.c_str();
  out.WriteChar('"');
  EXPECT_EQ(std::string(out.GetpStr()).find_first_of("\a\b\t\n\v\f\r"), std::string::npos);

  PVFSStream in(out.GetpStr());
  PVMStrg back;
  in.GetCString(back);
  EXPECT_EQ(back.Std(), text.c_str());
}

TEST(StreamWrite, QuotedStrings) {
  PVFSStream out;
  out.PutCString("a\"b\\c\n").PutCString(nullptr).PutCString("");
  EXPECT_STREQ(out.GetpStr(), R"("a\"b\\c\n""")");
}

TEST(StreamWrite, ItemEndWritesDelimiterOnceForTheOutermostItem) {
  PVFSStream out;
  out.FmtDelim(';');
  out.ItemStart();
  out << 1;
  out.ItemStart();
  out << 2;
  out.ItemEnd();
  out.ItemEnd();
  out.ItemEnd();  // unmatched: writes nothing
  EXPECT_STREQ(out.GetpStr(), "12;");
}

TEST(StreamWrite, ManipulatorsAndFormatSaveRestore) {
  PVFSStream out;
  out << Hex << 255 << ' ' << Oct << 8 << ' ' << Dec << 9 << Endl;
  out.FmtIntRange(3);
  PVFStreamFmt saved = out.FmtSave();
  out << Reset << 7 << ' ';
  out.FmtRestore(saved);
  out << 7;
  EXPECT_STREQ(out.GetpStr(), "ff 10 9\n7 007");
}

TEST(StreamWrite, EndlIgnoresEscapeConversion) {
  PVFSStream out;
  out.FmtCharConv(PVFStreamFmt::kEscapes);
  out << "a\n" << Endl << Flush;
  EXPECT_STREQ(out.GetpStr(), "a\\n\n");
}

TEST(StringStream, DirectionIsFixedByTheConstructor) {
  PVFSStream in("abc");
  in << "ignored";
  char c = 'x';
  in >> c;
  EXPECT_EQ(c, 'a');

  PVFSStream out;
  out << "text";
  out >> c;
  EXPECT_EQ(c, '\0');
  EXPECT_STREQ(out.GetpStr(), "text");
  out.Clear();
  EXPECT_EQ(out.Length(), 0u);

  PVFSStream none(nullptr);
  none >> c;
  EXPECT_EQ(c, PVF_END_OF_INPUT);
}

TEST(StringStream, AddressesRoundTrip) {
  int target = 0;
  for (void* address : {static_cast<void*>(&target), static_cast<void*>(nullptr)}) {
    PVFSStream out;
    out.WriteAddress(address);
    EXPECT_EQ(std::string(out.GetpStr()).rfind("0x", 0), 0u);
    PVFSStream in(out.GetpStr());
    void* back = &target + 1;
    in.ReadAddress(back);
    EXPECT_EQ(back, address);
  }
}

TEST(BlockStream, WritesAnyBytesAndGrowsAsItGoes) {
  PVFBStream out;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    out.WriteByte(static_cast<unsigned char>(i));
    expected += static_cast<char>(i);
  }
  out << 12;
  expected += "12";
  ASSERT_EQ(out.Length(), expected.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Block().GetpBlock()), out.Length()),
            expected);
  out.Clear();
  EXPECT_EQ(out.Length(), 0u);

  PVFBStream in("7 8");
  EXPECT_EQ(in.Length(), 0u);
  int a = 0;
  int b = 0;
  in >> a >> b;
  EXPECT_EQ(a + b, 15);
  EXPECT_TRUE(in.Eof());
}

}  // namespace
