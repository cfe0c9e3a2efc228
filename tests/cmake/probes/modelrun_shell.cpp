// The model-run module may not reach the shell's windows and modules.
#include "shell/Globals.h"
