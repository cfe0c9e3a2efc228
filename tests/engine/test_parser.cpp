// The input reader on the application's own file (the golden default scenario): every fault gets its line, column, block and
// a message naming the item; accepted variants give the same problem as the canonical text.
#include <gtest/gtest.h>

#include <cstring>

#include "EngineCase.h"
#include "InputFile.h"
#include "engine/GridFiles.h"
#include "engine/Lexer.h"
#include "engine/Messages.h"
#include "engine/Numbers.h"
#include "engine/WorkFile.h"

namespace fs = std::filesystem;
using namespace fixture;

namespace {

struct Parser : ::testing::Test {
  TempDir dir;
  InputFile input{GoldenDir() / "pirsel.inp"};
  std::string Text() const { return input.Text(); }
  StepResult RunWith(const std::string& text) {
    CopyGolden(dir.Path());
    WriteFile(dir.Path() / "pirsel.inp", text);
    return RunStep1(dir.Path());
  }
};

// The line numbers below are those of the application's layout.
TEST_F(Parser, TheGoldenInputHasTheApplicationsLineLayout) {
  const std::string t = Text();
  EXPECT_EQ(t, ReadFile(GoldenDir() / "pirsel.inp"));
  EXPECT_EQ(LineOf(t, 1), "200 132 ';'    ; width of input and output, comment TULMO");
  EXPECT_EQ(LineOf(t, 11), "'Lindane (gamma-HCH) - with marine box'");
  EXPECT_EQ(LineOf(t, 43), "2 3 4 5 6 7 8 9 10");
  EXPECT_EQ(LineOf(t, 93), "501");
  EXPECT_EQ(LineOf(t, 94), "  'Marine' 1  1   ;");
  EXPECT_EQ(LineOf(t, 119), "  '(7,50)' 1 486  ;");
  EXPECT_EQ(LineOf(t, 125), " 501      ; number of segments");
  EXPECT_EQ(LineOf(t, 171).substr(0, 16), "      1     1   ");
  EXPECT_EQ(LineOf(t, 176), " #5 ; delimiter for the fifth block");
  EXPECT_EQ(LineOf(t, 195), "#6 ; delimiter for the sixth block");
  EXPECT_EQ(LineOf(t, 270).substr(0, 11), "          2");
  EXPECT_EQ(LineOf(t, 317).substr(0, 18), "          3.72E+00");
  EXPECT_EQ(LineOf(t, 350), "#7 ; delimiter for the seventh block");
  EXPECT_EQ(LineOf(t, 376), " #9 ; delimiter for the ninth block");
  EXPECT_EQ(LineOf(t, 377), "");
}

struct Fault {
  const char* name;
  std::vector<std::pair<int, std::string>> lines;  // replaced lines
  int code;
  std::string message;  // expected part of the first error line
};

TEST_F(Parser, FaultsAreReportedWithLineColumnAndItem) {
  const Fault faults[] = {
      {"missing #1", {{27, ";"}}, 1, "pirsel.inp:33:1: block 1 (identification): expected '#1' closing block 1, found '1'"},
      {"missing #5", {{176, ";"}}, 1, "pirsel.inp:179:8: block 5 (boundary conditions): expected '#5' closing block 5, found '5'"},
      {"substance count", {{21, "          3  1    ; number of active and inactive substances"}}, 1,
       "pirsel.inp:21:11: block 1 (identification): the engine computes 3 active substances"},
      {"substance roles", {{25, "3         'Tracer'"}}, 1, "pirsel.inp:23:1: block 1 (identification): the substances must be 'Salinity', 'Retention'"},
      {"area count too small", {{42, "   499 ; number of segments in area"}}, 1,
       "pirsel.inp:93:1: block 2 (timers and areas): expected a quoted name for name of area 2, found '501'"},
      {"area segment out of range", {{95, "'(7,2)'  1  600  ;"}}, 1, "pirsel.inp:95:13: block 2 (timers and areas): area '(7,2)': segment 600 is not in 1..501"},
      {"no marine area", {{94, "  'Sea' 1  1   ;"}}, 1, "no area named 'Marine'"},
      {"integer slot with a real", {{125, " 501.0      ; number of segments"}}, 1,
       "pirsel.inp:125:2: block 3 (segments): expected an integer for number of segments, found '501.0'"},
      {"missing volumes file", {{133, "'test.nov'  ; volumes file"}}, 2, "pirsel.inp:133:1: block 3 (segments): cannot open 'test.nov'"},
      {"exchange counts disagree", {{138, "   452    510      0 ; nr of exchanges in 3 directions"}}, 1,
       "test.tab:1:1: the table holds 452 511 0 exchanges, the input file says 452 510 0"},
      {"unclosed quote", {{140, "    'disp"}}, 1, "pirsel.inp:140:5: block 4 (transport): unclosed quote"},
      {"unclosed title", {{12, "'my title"}}, 1, "pirsel.inp:12:1: block 1 (identification): unclosed quote"},
      {"text after a title", {{12, "'my title' 3 ; two"}}, 1, "pirsel.inp:12:12: block 1 (identification): unexpected text '3'"},
      {"unsupported input form", {{143, "    1                ; input form 2"}}, 1,
       "pirsel.inp:143:5: block 4 (transport): exchange input form 1 is not supported (2 = table)"},
      {"boundary row cut short", {{174, "      4"}}, 1, "pirsel.inp:176:2: block 5 (boundary conditions): expected 3 values for boundary 4, found '#5'"},
      {"negative sea concentration", {{172, "      2     32.0  -1.00E-3 0.0                  ; ug/l marine south"}}, 1,
       "pirsel.inp:172:19: block 5 (boundary conditions): gamma-hexachlorocyclohexane at boundary 2 ('marine south') must not be negative"},
      {"no-value load", {{191, "       0.   0.  -9.9999E4 0.0       ; values (flow, sal, subst[g/s])"}}, 1,
       "pirsel.inp:191:17: block 6 (waste loads): gamma-hexachlorocyclohexane of load 'Site 25%' holds the no-value marker -99999"},
      {"load with flow", {{187, "       1.0 0 3.171E-5  1.0       ; scale"}, {189, "       5.   0.  0.00E0 0.0       ; values"}}, 1,
       "pirsel.inp:189:8: block 6 (waste loads): load 'marine' has a flow of 5 m3/s after scaling"},
      {"nan", {{280, "          nan             ; Water temperature"}}, 1,
       "pirsel.inp:280:11: block 7 (process parameters): expected a number for constant values, found 'nan'"},
      {"exponent without digits", {{282, "          1e             ; suspended solids zone 1"}}, 1, "pirsel.inp:282:11: block 7 (process parameters): expected a number"},
      {"two points", {{283, "          1.2.3          ; suspended solids zone 2"}}, 1, "pirsel.inp:283:11: block 7 (process parameters): expected a number"},
      {"type out of range", {{270, "          3              ; type"}}, 1,
       "pirsel.inp:270:11: block 7 (process parameters): constant 'Istype' = 3 is out of range: 1 (metal) or 2 (organic) expected"},
      {"betaprey above one", {{320, "          1.50           ; betaprey"}}, 1, "pirsel.inp:320:11: block 7 (process parameters): constant 'betaprey' = 1.5 is out of range"},
      {"zero repetition", {{355, " 0*1.0 ; scale factors"}}, 1, "pirsel.inp:355:2: block 8 (initial conditions): repetition count must be positive in '0*1.0'"},
      {"repetition without value", {{355, " 3* ; scale factors"}}, 1, "pirsel.inp:355:2: block 8 (initial conditions): repetition '3*' has no value"},
      {"repetition past the list", {{355, " 4*1.0 ; scale factors"}}, 1,
       "pirsel.inp:355:2: block 8 (initial conditions): repetition '4*1.0' runs past the end of the 3 values of initial-condition scale factors"},
      {"comment character", {{1, "200 132 ';;'    ; width"}}, 1, "pirsel.inp:1:9: the comment character must be one character"},
      {"text after the header", {{1, "200 132 ';' 5 ; width"}}, 1, "pirsel.inp:1:13: unexpected text '5'"},
      {"delimiter as comment character", {{1, "200 132 '#'    ; width"}}, 1, "pirsel.inp:1:9: the comment character must be one character other than a blank, a quote or '#', found ''#''"},
      {"huge repetition", {{355, " 99999999999*1.0 ; scale factors"}}, 1,
       "pirsel.inp:355:2: block 8 (initial conditions): repetition count in '99999999999*1.0' is larger than 10000000"},
      {"no-value scale factor", {{167, "      1.0 -99999 1.0   ; scaling factors"}}, 1,
       "pirsel.inp:167:11: block 5 (boundary conditions): boundary scale factor 2 holds the no-value marker"},
      {"parameters of a segment twice", {{342, "    2 ; overridings\r\n  5 0 0 0\r\n  5 0 0 0"}}, 1,
       "pirsel.inp:344:3: block 7 (process parameters): segment 5 is given twice"},
      {"text after the last block", {{376, " #9 ; end\r\n 5"}}, 1, "pirsel.inp:377:2: block 9 (output): unexpected text '5' after block 9"},
  };
  for (const Fault& f : faults) {
    std::string t = Text();
    for (const auto& [n, line] : f.lines) t = ReplaceLine(t, n, line);
    // A stale result of an earlier run must not survive a failed one.
    WriteFile(dir.Path() / "tulmo.map", std::string(22416, 'x'));
    WriteFile(dir.Path() / "pirsel.wrk", "old");
    const StepResult r = RunWith(t);
    EXPECT_EQ(r.code, f.code) << f.name << ": " << r.err;
    EXPECT_NE(r.err.find(f.message), std::string::npos) << f.name << ":\n  got      " << r.err << "  expected " << f.message;
    EXPECT_FALSE(fs::exists(dir.Path() / "tulmo.map")) << f.name;
    EXPECT_FALSE(fs::exists(dir.Path() / "pirsel.wrk")) << f.name;
    EXPECT_NE(ReadFile(dir.Path() / "pirsel.lst").find("ERROR: "), std::string::npos) << f.name;
  }
}

TEST_F(Parser, BoundaryNumbersBeyondTheExchangeCountAreRefused) {
  // Such a number would make block 5 expect millions of boundary names.
  CopyGolden(dir.Path());
  const std::string tab = ReadFile(dir.Path() / "test.tab");
  ASSERT_EQ(LineOf(tab, 459).substr(0, 6), "    -2");  // exchange 451
  WriteFile(dir.Path() / "test.tab", ReplaceLine(tab, 459, "-99999" + LineOf(tab, 459).substr(6)));
  WriteFile(dir.Path() / "pirsel.inp", Text());
  const StepResult r = RunStep1(dir.Path());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("test.tab:459:1: exchange 451: boundary number 99999 is larger than the number of exchanges 963"),
            std::string::npos)
      << r.err;
}

TEST_F(Parser, AnOldMapThatCannotBeRemovedStopsStepOne) {
  fs::create_directories(dir.Path() / "tulmo.map" / "x");
  const StepResult r = RunWith(Text());
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("corvix1: cannot remove the old 'tulmo.map'"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir.Path() / "pirsel.wrk"));
}

TEST_F(Parser, StepTwoRefusesAWorkFileThatBreaksWhatStepOneGuarantees) {
  ASSERT_EQ(RunWith(Text()).code, 0);
  const engine::Problem good = engine::DecodeWork(ReadFile(dir.Path() / "pirsel.wrk"), "pirsel.wrk");
  const std::vector<std::pair<const char*, void (*)(engine::Problem&)>> breaks = {
      {"zero volume", [](engine::Problem& p) { p.volume[7] = 0; }},
      {"negative surface", [](engine::Problem& p) { p.surface[0] = -1; }},
      {"one substance in two roles", [](engine::Problem& p) { p.role[2] = p.role[0]; }},
      {"exchange onto itself", [](engine::Problem& p) { p.exchanges[3].to = p.exchanges[3].from; }},
      {"negative dispersion", [](engine::Problem& p) { p.exchanges[3].D = -1; }},
      {"load outside the grid", [](engine::Problem& p) { p.loads[0].segment = 502; }},
  };
  for (const auto& [name, change] : breaks) {
    engine::Problem p = good;
    change(p);
    // A consistent CRC: only the content is wrong.
    EXPECT_THROW(engine::DecodeWork(engine::EncodeWork(p), "pirsel.wrk"), engine::EngineError) << name;
  }
  EXPECT_NO_THROW(engine::DecodeWork(engine::EncodeWork(good), "pirsel.wrk"));
}

TEST_F(Parser, EveryCutOfTheInputIsRefusedWithALocatedMessage) {
  const std::string full = Text();
  CopyGolden(dir.Path());
  int cuts = 0;
  for (size_t end = full.find('\n'); end != std::string::npos; end = full.find('\n', end + 1)) {
    // The last delimiter ends the input; cuts after it only lose blank lines.
    if (full.find("#9", end) == std::string::npos) break;
    WriteFile(dir.Path() / "pirsel.inp", full.substr(0, end + 1));
    const StepResult r = RunStep1(dir.Path());
    ++cuts;
    ASSERT_EQ(r.code, 1) << "cut after byte " << end << ": " << r.err;
    ASSERT_EQ(r.err.rfind("corvix1: pirsel.inp:", 0), 0u) << r.err;
  }
  EXPECT_GT(cuts, 370);
}

TEST_F(Parser, ConstantErrorsAreCollectedAndReportedTogether) {
  input.RemoveConstant("KPOC");
  input.SetConstant("logkow", "-9.9999E4");
  input.SetConstant("w_rnd", "0.0000");
  const StepResult r = RunWith(Text());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("constant 'KPOC' is missing (needed for organic compounds)"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("(and 2 more, see the listing)"), std::string::npos) << r.err;
  const std::string lst = ReadFile(dir.Path() / "pirsel.lst");
  // One constant fewer: one name line and one value line less before logkow (line 317).
  EXPECT_NE(lst.find("pirsel.inp:315:11: block 7 (process parameters): constant 'logkow' holds the no-value marker"),
            std::string::npos)
      << lst;
  EXPECT_NE(lst.find("constant 'w_rnd' = 0 is out of range: it must be positive"), std::string::npos);
}

TEST_F(Parser, MetalsNeedNoOrganicConstants) {
  input.SetConstant("Istype", "1");
  input.SetConstant("Kd    ", "1.00E1");
  for (const char* c : {"KPOC", "logkow", "alfa", "O2-1", "w_zoo"}) input.SetConstant(c, "-9.9999E4");
  EXPECT_EQ(RunWith(Text()).code, 0);
  input.RemoveConstant("Kd");
  const StepResult r = RunWith(Text());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("constant 'Kd' is missing (needed for metals)"), std::string::npos) << r.err;
}

TEST_F(Parser, FreeTextAndNumberVariantsAreAccepted) {
  input.SetLine(11, "'O'Brien's solvent; batch 2 - with marine box'");
  input.SetLine(24, "2         'N,N'-di(2-ethyl)phthalate; tech.'");
  std::string t = Text();
  t = ReplaceLine(t, 171, "      1     1   5.0D-2  1000.0                 ; river (ug/l)");
  t = ReplaceLine(t, 280, "          +.12E+2             ; Water temperature");
  t = ReplaceLine(t, 356, "\t3*0.\t; values");
  // Unix line ends too.
  std::string lf;
  for (char c : t)
    if (c != '\r') lf.push_back(c);
  const StepResult r = RunWith(lf);
  ASSERT_EQ(r.code, 0) << r.err;
  ASSERT_EQ(RunStep2(dir.Path()).code, 0);
  Map m;
  ASSERT_TRUE(ReadMap(dir.Path() / "tulmo.map", m));
  EXPECT_EQ(m.titles[0], "O'Brien's solvent; batch 2 - with marine");
  const std::string lst = ReadFile(dir.Path() / "pirsel.lst");
  EXPECT_NE(lst.find("'N,N'-di(2-ethyl)phthalate; tech.'"), std::string::npos);
  EXPECT_NE(lst.find("5e-05"), std::string::npos);  // river value 5.0D-2 ug/l in g/m3
}

TEST_F(Parser, UnusedInputsWarnButDoNotStop) {
  input.SetConstant("Foo", "1.00");
  std::string t = Text();
  // The extra constant adds a name line and a value line: block 7's parameters and block 9
  // stand two lines further down than in the plain file.
  t = ReplaceLine(t, 158, "000000000000100");
  t = ReplaceLine(t, 343, "  0.0 0.3 0.0               ; values");
  t = ReplaceLine(t, 374, "  0 ; binary map     file on");
  const StepResult r = RunWith(t);
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string lst = ReadFile(dir.Path() / "pirsel.lst");
  // Lindane's log Kow lies below the food chain's range: the fifth warning.
  for (const char* w : {"WARNING: Constant 'Foo' is not used by the engine.", "WARNING: Boundary time lags are not zero",
                        "WARNING: Parameter 'Fdis' is not zero", "WARNING: The binary map file is switched off",
                        "WARNING: log Kow = 3.72 lies outside 4.5 .. 8"})
    EXPECT_NE(lst.find(w), std::string::npos) << w;
  EXPECT_NE(lst.find("Warnings: 5"), std::string::npos);
}

TEST_F(Parser, SurfParameterOverridesSurfacesOfTheSegmentsItNames) {
  std::string t = Text();
  t = ReplaceLine(t, 342, "    2                       ; overridings\r\n  5  1234.5 0 0\r\n  7  0 0 0");
  ASSERT_EQ(RunWith(t).code, 0);
  ASSERT_EQ(RunStep2(dir.Path()).code, 0);
  Map m;
  ASSERT_TRUE(ReadMap(dir.Path() / "tulmo.map", m));
  EXPECT_FLOAT_EQ(m.values[3][10], 1234.5f);                        // segment 5 = cell 3
  float surface7;  // SURF 0 keeps the file's value
  std::memcpy(&surface7, ReadFile(GoldenDir() / "test.srf").data() + 24 + 4 * 6, 4);
  EXPECT_FLOAT_EQ(m.values[5][10], surface7);
}

TEST(Numbers, RealsAndIntegersAreReadStrictly) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  const Case reals[] = {{"0.", true, 0},        {".5", true, 0.5},     {"1E-3", true, 1e-3},   {"1.00E0", true, 1},
                        {"-9.9999E4", true, -99999}, {"+2", true, 2},   {"1.5D3", true, 1500},  {"2d-1", true, 0.2},
                        {"1e-400", true, 0},    {"nan", false, 0},     {"inf", false, 0},      {"1e", false, 0},
                        {"1.2.3", false, 0},    {".", false, 0},       {"E5", false, 0},       {"0x10", false, 0},
                        {"1e999", false, 0},    {"", false, 0},        {"--1", false, 0},      {"1,5", false, 0}};
  for (const Case& c : reals) {
    const auto r = engine::ParseReal(c.text);
    EXPECT_EQ(r.status == engine::NumberStatus::Ok, c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(r.value, c.value) << c.text;
    }
  }
  EXPECT_EQ(engine::ParseInt("-1").value, -1);
  EXPECT_EQ(engine::ParseInt("+7").value, 7);
  for (const char* bad : {"2.0", "1e3", "", "-", "3a"}) EXPECT_NE(engine::ParseInt(bad).status, engine::NumberStatus::Ok) << bad;
  EXPECT_EQ(engine::ParseInt("2147483648").status, engine::NumberStatus::OutOfRange);
}

TEST(Lexer, QuotesCloseOnlyBeforeABlankTheLineEndOrAComment) {
  engine::Lexer lex("x", "'O'Brien' ' ' 2*'a b';c\n'it's' 3*7 #4\n");
  auto t = lex.Next();
  EXPECT_EQ(t.kind, engine::Token::Quoted);
  EXPECT_EQ(t.text, "O'Brien");
  t = lex.Next();
  EXPECT_EQ(t.text, " ");
  t = lex.Next();
  EXPECT_TRUE(t.repeated);
  EXPECT_EQ(t.repeat, 2);
  EXPECT_EQ(t.text, "a b");
  t = lex.Next();
  EXPECT_EQ(t.text, "it's");
  EXPECT_EQ(t.line, 2);
  t = lex.Next();
  EXPECT_EQ(t.repeat, 3);
  EXPECT_EQ(t.text, "7");
  t = lex.Next();
  EXPECT_EQ(t.kind, engine::Token::Delimiter);
  EXPECT_EQ(t.delimiter, 4);
  EXPECT_EQ(lex.Next().kind, engine::Token::End);
}

}  // namespace

namespace {

// The exchange table beside the input: its fixed-width rows and hand-made blank-separated rows
// give the same exchanges whatever the line ends, tabs and comments; a fault names its line,
// column and field.
std::string FixedRow(int from, int to, double d, double a, double f, double l1, double l2) {
  char row[128];
  std::snprintf(row, sizeof row, "%6d%6d%6d%6d%12.4E%11.4E%11.4E%11.4E%11.4E", from, to, 0, 0, d, a, f, l1, l2);
  return row;
}

engine::ExchangeTable ReadTable(const std::string& text) {
  const int counts[3] = {1, 1, 0};
  return engine::ReadExchangeTable("test.poi", text, ';', counts, 3);
}

std::string TableError(const std::string& text) {
  try {
    ReadTable(text);
  } catch (const engine::EngineError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ExchangeTable, FixedAndBlankSeparatedRowsReadAlikeWithAnyLineEnd) {
  const std::string fixed = FixedRow(-1, 1, 1.5, 2, 3, 4, 5);
  for (const std::string& end : {std::string("\n"), std::string("\r\n")}) {
    for (bool finalEnd : {true, false}) {
      const std::string text = "; exchanges" + end + "1 1 0" + end + "1.0 2.0 1.0 0.5 ; scales" + end + fixed + end +
                               end + "1\t2 0\t0 0.25 1 -2 3 3" + (finalEnd ? end : "");
      SCOPED_TRACE(testing::PrintToString(text));
      const engine::ExchangeTable t = ReadTable(text);
      ASSERT_EQ(t.exchanges.size(), 2u);
      EXPECT_EQ(t.nobnd, 1);
      EXPECT_EQ(t.exchanges[0].from, -1);
      EXPECT_EQ(t.exchanges[0].to, 1);
      EXPECT_DOUBLE_EQ(t.exchanges[0].D, 1.5);
      EXPECT_DOUBLE_EQ(t.exchanges[0].A, 4);
      EXPECT_DOUBLE_EQ(t.exchanges[0].L2, 2.5);
      EXPECT_EQ(t.exchanges[1].to, 2);
      EXPECT_DOUBLE_EQ(t.exchanges[1].F, -2);
      EXPECT_DOUBLE_EQ(t.exchanges[1].L1, 1.5);
    }
  }
}

TEST(ExchangeTable, AFaultNamesItsLineColumnAndField) {
  const std::string head = "1 1 0\n1 1 1 1\n";
  std::string bad = FixedRow(1, 2, 1, 1, 1, 1, 1);
  bad.replace(24, 12, "        abc ");
  EXPECT_EQ(TableError(head + bad + "\n" + FixedRow(2, 3, 1, 1, 1, 1, 1) + "\n"),
            "test.poi:3:25: exchange 1: dispersion field 'abc' is not a number");
  EXPECT_EQ(TableError(head + FixedRow(1, 2, 1, 1, 1, 1, 1) + "\n" + FixedRow(3, 3, 1, 1, 1, 1, 1) + "\n"),
            "test.poi:4:1: exchange 2: 'from' and 'to' are the same");
  EXPECT_EQ(TableError(head + FixedRow(1, 2, 1, 1, 1, 1, 1) + "\n"), "test.poi:3:1: the table ends after 1 of 2 exchanges");
}

}  // namespace
