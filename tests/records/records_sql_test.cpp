// The SQL texts the record classes send, piece by piece as the database format expects them.
#include <gtest/gtest.h>

#include <functional>

#include "platform/dao/Dao.h"
#include "platform/ui/MsgBox.h"
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Corvix.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/Run.h"
#include "tests/records/ScenarioDb.h"

namespace {

struct SqlCase {
  const char* name;
  std::function<void()> call;
  std::string expected;
  bool wholeText;  // else the text must end with `expected`
};

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(RecordSql, TextsSentForEachOperation) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  const std::vector<SqlCase> cases = {
      {"Corvix GetAll without filter",
       [] { Corvix().GetAll(); },
       "SELECT Corvix.CorvixID           ,Corvix.CorvixVersion           ,Corvix.NumericalScheme "
       "          ,Corvix.CxDummy1           ,Corvix.CxDummy2           ,Corvix.CxDummy3 "
       "          ,Corvix.CxDummy4           ,Corvix.CxDummy5           ,Corvix.CxDummy6 "
       "          ,Corvix.CxDummy7           ,Corvix.CxDummy8           ,Corvix.CxDummy9 "
       "          ,Corvix.CxDummy10   FROM [Corvix] Corvix ",
       true},
      {"Corvix GetByKey uses eleven blanks",
       [] {
         std::string v;
         Corvix().GetByKey(3, {.rstrCorvixversion = v});
       },
       "SELECT Corvix.CorvixID            ,Corvix.CorvixVersion            ,Corvix.NumericalScheme "
       "           ,Corvix.CxDummy1            ,Corvix.CxDummy2            ,Corvix.CxDummy3 "
       "           ,Corvix.CxDummy4            ,Corvix.CxDummy5            ,Corvix.CxDummy6 "
       "           ,Corvix.CxDummy7            ,Corvix.CxDummy8            ,Corvix.CxDummy9 "
       "           ,Corvix.CxDummy10   FROM [Corvix] Corvix WHERE  Corvix.CorvixID = 3 ",
       true},
      {"Compounds GetAll by key", [] { Compounds().GetAll({.vlngCmpid = 5}); },
       "          ,Compounds.CASnr   FROM [Compounds] Compounds WHERE  Compounds.CmpID = 5 ", false},
      {"Compounds GetAll by CAS number", [] { Compounds().GetAll({.vstrCASnr = "50-00-0"}); },
       "  FROM [Compounds] Compounds WHERE  Compounds.CASnr = '50-00-0' ", false},
      {"Compounds GetAll with two filters", [] { Compounds().GetAll({.vlngCmpid = 2, .vstrCmpname = "2,4'-DDT"}); },
       " WHERE  Compounds.CmpID = 2 AND  Compounds.CmpName = '2,4''-DDT' ", false},
      {"Corvix filter quotes doubled", [] { Corvix().GetAll({.vstrNumericalscheme = "upwind 'central'"}); },
       "  FROM [Corvix] Corvix WHERE  Corvix.NumericalScheme = 'upwind ''central''' ", false},
      {"Emission GetAll by a load", [] { Emission().GetAll({.vdblLoad1 = 250}); },
       "  FROM [Emission] Emission WHERE  Emission.Load1 = 250 ", false},
      {"AdvancedDetail GetAll by a weight", [] { AdvancedDetail().GetAll({.vdblWeight_zoopl = 2.5}); },
       "          ,AdvancedDetail.GrowthRateRound   FROM [AdvancedDetail] AdvancedDetail WHERE  "
       "AdvancedDetail.Weight_zoopl = 2.5 ",
       false},
      {"AdvancedDetail GetByKey", [] { AdvancedDetail().GetByKey(1, {}); },
       "           ,AdvancedDetail.GrowthRateRound   FROM [AdvancedDetail] AdvancedDetail WHERE  "
       "AdvancedDetail.AdvancedID = 1 ",
       false},
      {"AdvancedDetail Update of one column",
       [] { AdvancedDetail().Update(7, {.vdblGrowthRateRound = 0.01}); },
       "UPDATE AdvancedDetail   SET  GrowthRateRound = 0.01 WHERE  AdvancedID = 7", true},
      {"AdvancedDetail Delete", [] { AdvancedDetail().Delete(7); }, "DELETE FROM AdvancedDetail WHERE  AdvancedID = 7",
       true},
      {"Environment GetAll reads whole rows", [] { Environment().GetAll(); },
       "SELECT Environment.* FROM [Environment] Environment ", true},
      {"Environment GetAll by type", [] { Environment().GetAll({.vstrType = "user"}); },
       "SELECT Environment.* FROM [Environment] Environment WHERE  Environment.Type = 'user' ", true},
      {"Environment Silt1 filter has no blank before =", [] { Environment().GetAll({.vdblSilt1 = 5}); },
       "SELECT Environment.* FROM [Environment] Environment WHERE  Environment.Silt1= 5 ", true},
      {"Environment FOCSed filters are spelled FocSed", [] { Environment().GetAll({.vdblFOCSed3 = 0.02}); },
       " WHERE  Environment.FocSed3 = 0.02 ", false},
      {"Environment GetByKey", [] { Environment().GetByKey(4, {}); },
       "SELECT Environment.* FROM [Environment] Environment WHERE  Environment.ID = 4 ", true},
      {"Environment Update of ThickLayer4", [] { Environment().Update(3, {.vdblThickLayer4 = 0.2}); },
       "UPDATE Environment   SET  ThickLayer4= 0.2 WHERE  ID = 3", true},
      {"Environment Update of two columns", [] { Environment().Update(3, {.vdblSilt1 = 5, .vsinSilt2 = 0.0f}); },
       "UPDATE Environment   SET  Silt1= 5, Silt2 = Null WHERE  ID = 3", true},
      {"Run GetAll reads whole rows", [] { ::Run().GetAll(); }, "SELECT Run.* FROM [Run] Run ", true},
      {"Run GetAll by compound", [] { ::Run().GetAll({.vlngCompoundid = 4}); },
       "SELECT Run.* FROM [Run] Run WHERE  Run.CompoundID = 4 ", true},
      {"Run GetByKey lists the columns", [] { ::Run().GetByKey(9, {}); },
       "           ,Run.RuDummy5   FROM [Run] Run WHERE  Run.RunID = 9 ", false},
      {"Run Add as the calculation window calls it",
       [] {
         ::Run().Add({.vstrRundescription = "Lindane O'Brien 2026",
                    .vlngCorvixid = 1,
                    .vstrTulmoversion = "1.0",
                    .vdteRundate = "2026-12-10 09:30",
                    .vlngEnvirID = 2,
                    .vlngCompoundid = 3,
                    .vlngEmisid = 4});
       },
       "INSERT INTO Run( RunDescription, CorvixID, TulmoVersion, RunDate, EnvirID, CompoundID, EmisID ) VALUES "
       "('Lindane O''Brien 2026',1,'1.0','2026-12-10 09:30:00',2,3,4)",
       true},
      {"Compounds Add writes markers as Null",
       [] { Compounds().Add({.vstrCmpdescr = "", .vintCmpistype = -1, .vdblCmpmolmass = 12.5, .vsinCmpkow = 0.0f}); },
       "INSERT INTO Compounds( CmpDescr, CmpIsType, CmpMolmass, CmpKow ) VALUES (Null,Null,12.5,Null)", true},
      {"Emission Delete", [] { Emission().Delete(12); }, "DELETE FROM Emission WHERE  EmissionID = 12", true},
  };
  for (const SqlCase& c : cases) {
    c.call();
    const std::string& sent = dao::LastSql();
    if (c.wholeText)
      EXPECT_EQ(sent, c.expected) << c.name;
    else
      EXPECT_TRUE(EndsWith(sent, c.expected)) << c.name << "\n  sent: " << sent;
  }
  EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes().front().prompt;
}

TEST(RecordSql, NumbersKeepTheirSignificantDigits) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  // Doubles go out with 15 significant digits, Singles with 7, tiny and huge ones in exponent form.
  Compounds().Add({.vdblCmpmolmass = 0.1 + 0.2, .vsinCmpkow = 3.72f, .vdblcmphe = 1e-5, .vdblCmptmelt = 2.5e16});
  EXPECT_EQ(dao::LastSql(),
            "INSERT INTO Compounds( CmpMolmass, CmpKow, cmphe, CmpTmelt ) VALUES (0.3,3.72,1E-05,2.5E+16)");
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
