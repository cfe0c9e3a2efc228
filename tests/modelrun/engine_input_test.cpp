#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modelrun/modTulmo.h"
#include "platform/ui/MsgBox.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/TestDir.h"

using namespace modTulmo;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::string tail;
  std::vector<std::string> lines = testsupport::Lines(text, &tail);
  EXPECT_EQ(tail.size(), 0u) << "text after the last line end";
  return lines;
}

// Line n of pirsel.inp, counted from 1.
std::string Line(int n) {
  const std::vector<std::string> lines = Lines(testsupport::ReadFile("pirsel.inp"));
  return n <= static_cast<int>(lines.size()) ? lines[n - 1] : "<missing>";
}

class EngineInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetModuleState();
    CurrentCompound.Cmpdescr = "Benzene";
    CurrentCompound.Cmpname = "benzene";
    CurrentCompound.Cmpistype = 2;
    CurrentCompound.Cmpmolmass = 48;
    CurrentEstuary.Salinitysea = 32;
  }
  ui::MsgBoxRecorder boxes;
};

TEST_F(EngineInputTest, WritesTheWholeFileWithCrLfAndReplacesAnOldOne) {
  testsupport::WriteFile("pirsel.inp", std::string(100000, 'x') + "\n");
  ASSERT_TRUE(PrintCorvixInputFile());
  const std::string first = testsupport::ReadFile("pirsel.inp");
  const std::vector<std::string> lines = Lines(first);
  ASSERT_EQ(lines.size(), 376u);
  EXPECT_EQ(first.find('\t'), std::string::npos);
  EXPECT_EQ(first.find('\n'), first.find("\r\n") + 1);
  // Block ends where the engine expects them.
  const std::pair<int, const char*> delimiters[] = {
      {27, "#1 ; delimiter for the first block"},   {122, "#2 ; delimiter for the second block"},
      {135, "#3 ; delimiter for the third block"},  {147, "#4 ; delimiter for the fourth block"},
      {176, " #5 ; delimiter for the fifth block"}, {195, "#6 ; delimiter for the sixth block"},
      {350, "#7 ; delimiter for the seventh block"}, {359, " #8 ; delimiter for the eighth block"},
      {376, " #9 ; delimiter for the ninth block"},
  };
  for (const auto& [n, text] : delimiters) EXPECT_EQ(lines[n - 1], text) << n;
  EXPECT_EQ(lines[42], "2 3 4 5 6 7 8 9 10");
  EXPECT_EQ(lines[43], "11 12 13 14 15 16 17 18 19 20");
  EXPECT_EQ(lines[91], "491 492 493 494 495 496 497 498 499 500");
  EXPECT_EQ(lines[92], "501");
  EXPECT_EQ(lines[196], "; seventh block of model input (process parameters)");
  EXPECT_EQ(lines[272], "          0.16           ; Xdoc-relative to POC                     (-)     ;");
  EXPECT_EQ(lines[301], "          1000           ; density sediment                        (kg/m3)");
  EXPECT_EQ(lines[303], "; biota");
  EXPECT_EQ(lines[318], "          0.045          ; lip                                     (g/g)   ");
  EXPECT_EQ(lines[351], "; eighth block of model input (initial conditions)");

  ASSERT_TRUE(PrintCorvixInputFile());
  EXPECT_EQ(testsupport::ReadFile("pirsel.inp"), first);
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(EngineInputTest, ValuesGoThroughTheirPictures) {
  struct Case {
    const char* name;
    void (*set)();
    int line;
    const char* text;
  } cases[] = {
      {"title", [] {}, 11, "'Benzene - with marine box'"},
      {"apostrophe kept", [] { CurrentCompound.Cmpdescr = "2,4'-DDT"; }, 11, "'2,4'-DDT - with marine box'"},
      {"empty title", [] { CurrentCompound.Cmpdescr.clear(); }, 11, "' - with marine box'"},
      {"substance name", [] {}, 24, "2         'benzene'"},
      // Record texts go out in the engine's single-byte code page, Windows-1252.
      {"en dash, euro sign and curly quotes", [] { CurrentCompound.Cmpname = "PFOS \u2013 \u20AC \u2018x\u2019 \u201Cy\u201D"; }, 24,
       "2         'PFOS \x96 \x80 \x91x\x92 \x93y\x94'"},
      {"river boundary", [] { CurrentEmission.EmRiverConc = 0.5; }, 171,
       "      1     1   5.00E-1  1000.0                 ; river (ug/l)"},
      {"marine south", [] { CurrentEmission.EmSeaConc = 0.0002; }, 172,
       "      2     32.0  2.00E-4 0.0                  ; ug/l marine south"},
      {"marine north", [] { CurrentEmission.EmSeaConc = 0.0002; }, 174,
       "      4     32.0  2.00E-4 0.0                  ; ug/l marine north"},
      {"marine load first", [] { CurrentEmission.Load5 = 100; }, 189,
       "       0.   0.  1.00E2 0.0       ; values (flow, sal, subst[g/s])"},
      {"Site 75% takes Load1", [] { CurrentEmission.Load1 = 12345; }, 193,
       "       0.   0.  1.2345E4 0.0       ; values (flow, sal, subst[g/s])"},
      {"zero load", [] { CurrentEmission.Load5 = 100; }, 190,
       "       0.   0.  0.00E0 0.0       ; values (flow, sal, subst[g/s])"},
      {"marker load", [] { CurrentEmission.Load3 = -99999; }, 191,
       "       0.   0.  -9.9999E4 0.0       ; values (flow, sal, subst[g/s])"},
      {"compound type", [] {}, 270,
       "          2              ; type                                    (-  ) ; .........> Let op !!"},
      {"Kl of molar mass 48", [] {}, 275,
       "          4.80E+00     ; Mass transfer coefficient in liquid phase (m/d)  ;"},
      {"Kg of molar mass 48", [] {}, 276,
       "          4.4091E+02        ; Mass transfer coefficient in gas phase    (m/d)  ; "},
      {"Kl of molar mass 18", [] { CurrentCompound.Cmpmolmass = 18; }, 275,
       "          7.8384E+00     ; Mass transfer coefficient in liquid phase (m/d)  ;"},
      {"Kg of molar mass 18", [] { CurrentCompound.Cmpmolmass = 18; }, 276,
       "          7.20E+02        ; Mass transfer coefficient in gas phase    (m/d)  ; "},
      {"degradation in water",
       [] { CurrentCompound.Cmpdegrhydwater = 0.1, CurrentCompound.Cmpdegrbiowater = 0.02; }, 277,
       "          1.20E-1          ; Degradation rate in water (1/d)"},
      {"no degradation in sediment", [] {}, 278, "          0.00E0            ; Degradation rate in sediment  (1/d)"},
      {"atmospheric load after nine blanks", [] { CurrentEmission.Loadatmos = 150; }, 281,
       "         1.50E+02             ; Atmospheric deposition                  (g/km2/yr)"},
      // A Single is rounded on its own decimal value: 0.285f is not written 0.28.
      {"single-precision silt", [] { CurrentEstuary.Silt2 = 0.285f; }, 283,
       "          0.29             ; suspended solids zone 2                 (mg/l)"},
      // Small negative values that round to zero keep their sign.
      {"temperature just below zero", [] { CurrentEstuary.Tempavg = -0.004; }, 280,
       "          -0.00             ; Water temperature                         (C)"},
      {"negative fraction OC", [] { CurrentEstuary.FOCSed2 = -0.001; }, 299,
       "          -0.00           ; fraction OC in sediment   zone 2        (-)"},
      {"sediment background", [] { CurrentEmission.SedBack = 0; }, 303,
       "          0.000E+00            ; historic background conc               (ug/g)"},
      {"log Kow", [] { CurrentCompound.Cmpkow = 3.45f; }, 317,
       "          3.45E+00           ; logkow                                  (    )  "},
      {"dab weight", [] { CurrentAdvancedDetail.Weight_org2dab = 50; }, 331, "          50.0000            ; weight_org1dab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.set();
    ASSERT_TRUE(PrintCorvixInputFile());
    EXPECT_EQ(Line(c.line), c.text);
  }
}

TEST_F(EngineInputTest, MolarMassTheRootCannotTakeStopsBeforeTheKlLine) {
  for (double molmass : {0.0, -99999.0}) {
    SCOPED_TRACE(molmass);
    boxes.Clear();
    CurrentCompound.Cmpmolmass = molmass;
    EXPECT_FALSE(PrintCorvixInputFile());
    EXPECT_EQ(Lines(testsupport::ReadFile("pirsel.inp")).size(), 274u);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.boxes()[0].prompt.find("RunProcess"), std::string::npos);
    EXPECT_NE(boxes.boxes()[0].prompt.find("PrintCorvixInputFile"), std::string::npos);
  }
}

}  // namespace

namespace {

// Lines 171 to 193 and 270 to 331 for the delivered lindane, point load and yearly estuary: every
// value through its picture (31.75 psu gives 31.8; Load2 stands at "Site 50%", line 192).
constexpr const char* kDefaultValueLines = R"(      1     1   0.00E0  1000.0                 ; river (ug/l)
      2     31.8  0.00E0 0.0                  ; ug/l marine south
      3     31.8  0.00E0 0.0                  ; ug/l marine west
      4     31.8  0.00E0 0.0                  ; ug/l marine north
;
 #5 ; delimiter for the fifth block
;
; sixth block of model input (waste loads)
       5                       ; nr of loads
       1    'marine'           ; location
       62   'Site 12%'         ; location
       132  'Site 25%'         ; location
       252  'Site 50%'         ; location
       372  'Site 75%'         ; location
       1                       ; in this file
       1                       ; with defaults
       2*0 3.171E-5  1.0       ; scale 2*0 daarna kg/y -> g/s
;     flow  sal  load     retention 
       0.   0.  0.00E0 0.0       ; values (flow, sal, subst[g/s])
       0.   0.  0.00E0 0.0       ; values (flow, sal, subst[g/s])
       0.   0.  0.00E0 0.0       ; values (flow, sal, subst[g/s])
       0.   0.  5.00E1 0.0       ; values (flow, sal, subst[g/s])
       0.   0.  0.00E0 0.0       ; values (flow, sal, subst[g/s])
          2              ; type                                    (-  ) ; .........> Let op !!
          0.00E0        ; Kd                                      (l/g)
          3.03E0        ; Partition coefficient OC                (10logl/kgOC)
          0.16           ; Xdoc-relative to POC                     (-)     ;
          2.231E-1       ; Henry constant                        (Pa/m^3mol)
          1.95E+00     ; Mass transfer coefficient in liquid phase (m/d)  ;
          1.7912E+02        ; Mass transfer coefficient in gas phase    (m/d)  ; 
          3.30E-3          ; Degradation rate in water (1/d)
          1.39E-2            ; Degradation rate in sediment  (1/d)
          0.50            ; sedimentation velocity                    (m/d)
          12.50             ; Water temperature                         (C)
         0.00E+00             ; Atmospheric deposition                  (g/km2/yr)
          60.00             ; suspended solids zone 1                 (mg/l)
          180.00             ; suspended solids zone 2                 (mg/l)
          40.00             ; suspended solids zone 3                 (mg/l)
          11.00             ; suspended solids zone 4                 (mg/l)
          2.60             ; POC              zone 1                 (mg/l)
          5.00             ; POC              zone 2                 (mg/l)
          1.00             ; POC              zone 3                 (mg/l)
          0.30             ; POC              zone 4                 (mg/l)
          5.20             ; DOC              zone 1                 (mg/l)
          3.60             ; DOC              zone 2                 (mg/l)
          2.20             ; DOC              zone 3                 (mg/l)
          1.10             ; DOC              zone 4                 (mg/l)
          0.10             ; mixing layer     zone 1                (m)
          0.10             ; mixing layer     zone 2                (m)
          0.10             ; mixing layer     zone 3                (m)
          0.05             ; mixing layer     zone 4                (m)
          0.04           ; fraction OC in sediment   zone 1        (-)
          0.03           ; fraction OC in sediment   zone 2        (-)
          0.02           ; fraction OC in sediment   zone 3        (-)
          0.01           ; fraction OC in sediment   zone 4        (-)
          1000           ; density sediment                        (kg/m3)
          0.000E+00            ; historic background conc               (ug/g)
; biota
          7.900            ; o2               zone 1                 (mg/l)
          7.600            ; o2               zone 2                 (mg/l)
          8.600            ; o2               zone 3                 (mg/l)
          18.000           ; chl              zone 1                 (ugchl/l)
          6.000           ; chl              zone 2                 (ugchl/l)
          8.000           ; chl              zone 3                 (ugchl/l)
          2.8400           ; phy              zone 1                 (mg/l)
          0.9500           ; phy              zone 2                 (mg/l)
          1.2600           ; phy              zone 3                 (mg/l)
          0.3000           ; zoo              zone 1                 (mg/l)
          0.3500           ; zoo              zone 2                 (mg/l)
          0.3000           ; zoo              zone 3                 (mg/l)
          3.72E+00           ; logkow                                  (    )  
          0.6000          ; alfa                                    (  )    
          0.045          ; lip                                     (g/g)   
          0.50           ; betaprey                                (      )
          0.35           ; betadet                                 (      )
          0.000              ; biotrans_zoo                            (      )
          0.000              ; biotrans_secprod                        (      )
          0.000              ; biotrans_round                          (      )
          0.000              ; biotrans_org1                           (      )
          0.000              ; biotrans_org2                           (      )
          10.0000          ; weight_zoo                              ( ug )
          100.0000          ; weight_secprod                          ( mg   )
          100.0000          ; weight_round                            ( g    )
          500.0000            ; weight_org1tel                          ( mg   )
          50.0000            ; weight_org1dab)";

TEST(EngineInputDefaults, DeliveredRecordsGiveTheirValueLines) {
  ResetModuleState();
  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
  ASSERT_TRUE(GetData(1));
  ASSERT_TRUE(GetEmissionData(1));
  ASSERT_TRUE(GetAdvancedDetailData(1));
  ASSERT_TRUE(CreateGrid(1));
  ASSERT_TRUE(PrintCorvixInputFile());
  const std::vector<std::string> lines = Lines(testsupport::ReadFile("pirsel.inp"));
  ASSERT_EQ(lines.size(), 376u);
  std::string actual;
  for (int n = 171; n <= 331; n = n == 193 ? 270 : n + 1) actual += (actual.empty() ? "" : "\n") + lines[n - 1];
  EXPECT_EQ(actual, kDefaultValueLines);
  EXPECT_EQ(lines[10], "'Lindane (gamma-HCH) - with marine box'");
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
