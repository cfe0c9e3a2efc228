// A record class may not reach a window.
#include "shell/MDIMain.h"
