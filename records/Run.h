// Record class of the table Run.
// The calculation runs: what was calculated, with which program version and when, and a block of result columns.
// Module name in the error box: "Run".
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "records/RecordSupport.h"

// The data columns in table order: X(column, type, no-value marker, given name, returned name).
#define TULMO_RUN_COLUMNS(X) \
  X(RunDescription, Text, "", vstrRundescription, rstrRundescription) \
  X(CorvixID, Long, "-1", vlngCorvixid, rlngCorvixid) \
  X(TulmoVersion, Text, "", vstrTulmoversion, rstrTulmoversion) \
  X(RunDate, Date, "", vdteRundate, rdteRundate) \
  X(EnvirID, Long, "-1", vlngEnvirID, rlngEnvirID) \
  X(CompoundID, Long, "-1", vlngCompoundid, rlngCompoundid) \
  X(EmisID, Long, "-1", vlngEmisid, rlngEmisid) \
  X(ConcMax, Double, "-99999", vdblConcmax, rdblConcmax) \
  X(Conc95, Double, "-99999", vdblConc95, rdblConc95) \
  X(ConcAve, Double, "-99999", vdblConcave, rdblConcave) \
  X(ConcMedian, Double, "-99999", vdblConcmedian, rdblConcmedian) \
  X(ConcMin, Double, "-99999", vdblConcmin, rdblConcmin) \
  X(FNameMap, Text, "", vstrFnamemap, rstrFnamemap) \
  X(FNameRank, Text, "", vstrFnamerank, rstrFnamerank) \
  X(ConcMaxDis, Double, "-99999", vdblConcmaxdis, rdblConcmaxdis) \
  X(Conc95Dis, Double, "-99999", vdblConc95dis, rdblConc95dis) \
  X(ConcAveDis, Double, "-99999", vdblConcavedis, rdblConcavedis) \
  X(ConcMedianDis, Double, "-99999", vdblConcmediandis, rdblConcmediandis) \
  X(ConcMinDis, Double, "-99999", vdblConcmindis, rdblConcmindis) \
  X(ConcMaxAds, Double, "-99999", vdblConcmaxads, rdblConcmaxads) \
  X(Conc95Ads, Double, "-99999", vdblConc95ads, rdblConc95ads) \
  X(ConcAveAds, Double, "-99999", vdblConcaveads, rdblConcaveads) \
  X(ConcMedianAds, Double, "-99999", vdblConcmedianads, rdblConcmedianads) \
  X(ConcMinAds, Double, "-99999", vdblConcminads, rdblConcminads) \
  X(BackConc, Double, "-99999", vdblBackconc, rdblBackconc) \
  X(RuDummy1, Double, "-99999", vdblRudummy1, rdblRudummy1) \
  X(RuDummy2, Double, "-99999", vdblRudummy2, rdblRudummy2) \
  X(RuDummy3, Double, "-99999", vdblRudummy3, rdblRudummy3) \
  X(RuDummy4, Double, "-99999", vdblRudummy4, rdblRudummy4) \
  X(RuDummy5, Double, "-99999", vdblRudummy5, rdblRudummy5)

// RunDate comes back as ISO text ("2026-12-10 09:30:00"); bind rdteRundate to a std::string, a
// vb::Variant or a vb::Date (a Null date is the empty text, which a vb::Date cannot take: error 13).
// Inside a GoogleTest body write ::Run(), since the fixture class has a member named Run.
class Run {
 public:
  TULMO_RECORD_STRUCTS(TULMO_RUN_COLUMNS, vlngRunid)

  // The data columns with their markers, in table order (the key "RunID" comes first in a row).
  static std::span<const records::Column> Columns();

  // The matching rows (every row without a filter); the caller closes them. Null on a failure.
  std::unique_ptr<dao::Recordset> GetAll();
  std::unique_ptr<dao::Recordset> GetAll(const Fields& filters);
  // How many runs are stored and the highest id given (0 for none): together they tell whether a
  // list of runs is still what is stored, since ids are never given twice. -1 on a failure.
  int32_t Count();
  int32_t HighestId();
  // True when at least one run is stored, without counting them; False also on a failure.
  bool Any();
  // RunID and RunDescription of the `limit` most recent runs, oldest first. Null on a failure.
  std::unique_ptr<dao::Recordset> GetNewest(int32_t limit);
  // True when the row was found; then every present output holds its column (a Null as the marker).
  bool GetByKey(int32_t vlngRunid, const Outputs& outputs);
  // The id of the inserted row, or -1.
  int32_t Add(const Values& values, bool vPerformValidation = true);
  // True when the row with the key was changed; False when none has the key.
  bool Update(const vb::Variant& vlngRunid, const Values& values, bool vPerformValidation = true);
  // Deletes the row, then the run's files "<id>.map", "<id>-stat.txt" and "<id>-report.txt", in
  // this order, each where FileExists finds it. Every file is tried; the first that cannot be
  // deleted is reported once and the result is False.
  bool Delete(const vb::Variant& vlngRunid);
  // Accepts every record: the field checks belong to the editor windows.
  bool IsValid();
  bool IsValid(const Fields& fields);
};
