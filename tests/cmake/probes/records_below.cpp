// A record class sees the floors below it.
#include "platform/ui/Forms.h"
#include "records/Run.h"
#include "runtime/Guard.h"
#include "services/DAOSupport.h"
