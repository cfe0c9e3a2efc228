// The shell's windows may not reach the result window.
#include "results/frmResult.h"
