#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "runtime/Files.h"
#include "runtime/Math.h"
#include "runtime/VbError.h"
#include "tests/support/TestDir.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.number;
  }
  return 0;
}

TEST(CheckedMath, RaisesInsteadOfInfinityOrNaN) {
  const std::pair<std::function<void()>, int> cases[] = {
      {[] { vb::Div(1, 0); }, 11},
      {[] { vb::Div(0, 0); }, 11},
      {[] { vb::Div(1e308, 1e-10); }, 6},
      {[] { vb::Log(0); }, 5},
      {[] { vb::Log(-1); }, 5},
      {[] { vb::Log(NAN); }, 5},
      {[] { vb::Sqr(-1); }, 5},
      {[] { vb::Pow(-8, 1.0 / 3.0); }, 5},
      {[] { vb::Pow(0, -1); }, 5},
      {[] { vb::Pow(10, 400); }, 6},
      {[] { vb::Exp(1000); }, 6},
      {[] { vb::ToSingle(1e39); }, 6},
      {[] { vb::Checked(INFINITY); }, 6},
      {[] { vb::Checked(NAN); }, 5},
      {[] { vb::IntDiv(1, 0); }, 11},
  };
  int i = 0;
  for (const auto& [f, number] : cases) EXPECT_EQ(ErrorOf(f), number) << "case " << i++;
  EXPECT_DOUBLE_EQ(vb::Pow(-2, 3), -8);
  EXPECT_DOUBLE_EQ(vb::Div(1, 4), 0.25);
  EXPECT_FLOAT_EQ(vb::ToSingle(0.1), 0.1f);
}

TEST(Files, FileExistsMeansARegularReadableFile) {
  WriteFile("a.txt", "x");
  std::filesystem::create_directory("folder");
  EXPECT_TRUE(vb::FileExists("a.txt"));
  EXPECT_FALSE(vb::FileExists("folder"));
  EXPECT_FALSE(vb::FileExists("missing.txt"));
  EXPECT_FALSE(vb::FileExists(""));
  if (geteuid() != 0) {  // root reads everything
    WriteFile("locked.txt", "x");
    std::filesystem::permissions("locked.txt", std::filesystem::perms::none);
    EXPECT_FALSE(vb::FileExists("locked.txt"));
  }
}

TEST(Files, KillDeletesNamesAndPatterns) {
  WriteFile("a.wrk", "");
  WriteFile("b.wrk", "");
  WriteFile("keep.txt", "");
  vb::Kill("*.wrk");
  EXPECT_FALSE(std::filesystem::exists("a.wrk"));
  EXPECT_FALSE(std::filesystem::exists("b.wrk"));
  EXPECT_TRUE(std::filesystem::exists("keep.txt"));
  EXPECT_EQ(ErrorOf([] { vb::Kill("*.wrk"); }), 53);
  EXPECT_EQ(ErrorOf([] { vb::Kill("missing.map"); }), 53);
  vb::Kill("keep.txt");
  EXPECT_FALSE(std::filesystem::exists("keep.txt"));
}

TEST(Files, BinaryIsLittleEndianAndShortReadsFail) {
  {
    vb::BinaryWriter w("data.bin");
    w.WriteInt32(0x01020304);
    w.WriteSingle(1.5f);
    w.WriteInt32(-2);
    w.Close();
  }
  EXPECT_EQ(ReadFile("data.bin"), std::string("\x04\x03\x02\x01\x00\x00\xC0\x3F\xFE\xFF\xFF\xFF", 12));
  vb::BinaryReader r("data.bin");
  EXPECT_EQ(r.Length(), 12);
  EXPECT_EQ(r.ReadInt32(), 0x01020304);
  EXPECT_FLOAT_EQ(r.ReadSingle(), 1.5f);
  EXPECT_EQ(r.ReadInt32(), -2);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(ErrorOf([&] { r.ReadInt32(); }), 62);

  WriteFile("short.bin", std::string("\x01\x02", 2));
  vb::BinaryReader s("short.bin");
  EXPECT_EQ(ErrorOf([&] { s.ReadInt32(); }), 62);
  EXPECT_EQ(ErrorOf([] { vb::BinaryReader("missing.bin"); }), 53);
}

TEST(Files, TextIsCrlfWindows1252) {
  {
    vb::TextWriter w("out.txt");
    w.WriteLine("caf\xC3\xA9 12.5");                    // é
    w.Write("\xE2\x82\xAC 5 \xE2\x80\x93 \xE2\x80\x98q\xE2\x80\x99 \xE2\x80\x9Cx\xE2\x80\x9D");  // € – ‘q’ “x”
    w.WriteLine(" \xC5\x92\xE2\x80\xA6\xC5\xB8");           // Œ…Ÿ
    w.WriteLine("\xCE\xA9 \xC2\x80");                      // Ω and the control U+0080 have no byte
    w.Close();
  }
  EXPECT_EQ(ReadFile("out.txt"), "caf\xE9 12.5\r\n\x80 5 \x96 \x91q\x92 \x93x\x94 \x8C\x85\x9F\r\n? ?\r\n");
  vb::TextReader r("out.txt");
  EXPECT_EQ(r.ReadLine(), "caf\xC3\xA9 12.5");
  EXPECT_EQ(r.ReadLine(), "\xE2\x82\xAC 5 \xE2\x80\x93 \xE2\x80\x98q\xE2\x80\x99 \xE2\x80\x9Cx\xE2\x80\x9D \xC5\x92\xE2\x80\xA6\xC5\xB8");
  EXPECT_EQ(r.ReadLine(), "? ?");
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(ErrorOf([&] { r.ReadLine(); }), 62);
  {
    vb::TextWriter a("out.txt", vb::TextWriter::Mode::Append);
    a.WriteLine("more");
  }
  EXPECT_EQ(ReadFile("out.txt"), "caf\xE9 12.5\r\n\x80 5 \x96 \x91q\x92 \x93x\x94 \x8C\x85\x9F\r\n? ?\r\nmore\r\n");
}

TEST(Files, EveryCodePageByteRoundTrips) {
  // The bytes the code page leaves undefined come back as themselves, as on the original system.
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(vb::ToWindows1252(vb::FromWindows1252(all)), all);
  EXPECT_EQ(vb::FromWindows1252("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(vb::ToWindows1252("\xFF\xE2"), "\xFF\xE2");  // bytes that are no UTF-8 stay as they are
  EXPECT_EQ(vb::ToWindows1252("plain text"), "plain text");
  EXPECT_EQ(vb::ToWindows1252("caf\xC3\xA9 \xE2\x82\xAC" "5"), "caf\xE9 \x80" "5");
}

TEST(Files, CopyAndLength) {
  WriteFile("tulmo.map", "12345");
  vb::FileCopy("tulmo.map", "12.map");
  EXPECT_EQ(vb::FileLen("12.map"), 5);
  EXPECT_EQ(ErrorOf([] { vb::FileCopy("none.map", "x.map"); }), 53);
  EXPECT_EQ(ErrorOf([] { vb::FileLen("none.map"); }), 53);
}

}  // namespace
