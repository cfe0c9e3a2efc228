// The platform stand-ins may not reach the services.
#include "services/ErrorUI.h"
