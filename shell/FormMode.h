// The form modes that the list and editor windows share, each window holding its mode as the plain
// integer property "Mode". A list takes select, maintain or both; an editor view, edit, add or copy.
#pragma once
#include <cstdint>

enum FormMode : int32_t {
  modView = 0,
  modEdit = 1,
  modAdd = 2,
  modSelect = 3,
  modMaintain = 4,
  modSelectMaintain = 5,
  modCopy = 6
};
