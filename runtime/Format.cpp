#include "runtime/Format.h"
