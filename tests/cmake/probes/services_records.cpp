// The services may not reach the record classes.
#include "records/Run.h"
