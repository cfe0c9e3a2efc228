#include "runtime/Files.h"
