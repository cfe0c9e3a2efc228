// Whether a run names a compound, emission or estuary, and the texts that refuse a change of such
// a record. The lists ask before they open an editor or delete; the editors ask again when they
// store an edit, since a run may have been made while they were open.
#pragma once
#include <cstdint>
#include <string>

enum class RunColumn { EnvirID = 5, CompoundID = 6, EmisID = 7 };  // field of the Run row

// True when some run names the id in the column. A run table that cannot be read counts as
// naming it (the record class has reported why); a run whose column holds text raises 13.
bool UsedByRun(RunColumn column, int32_t id);

// "default" and "defaultavg" estuaries are never changed; the type is compared as stored.
bool GenericEstuaryType(const std::string& type);

// An edit or a copy of a row deleted elsewhere.
inline constexpr const char* kRecordNoLongerExists = "The record no longer exists.";

// The refusals of an edit.
std::string EditRefusal(RunColumn column, int32_t id);
inline constexpr const char* kGenericEstuaryEditRefusal =
    "You can't remove or edit estuaries of type \"default\" and \"defaultavg\". \r"
    "Please copy the scenario and then edit the copy";
