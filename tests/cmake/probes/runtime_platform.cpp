// A runtime file may not reach the platform stand-ins above it.
#include "platform/ui/Forms.h"
