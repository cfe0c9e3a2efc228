#include "platform/dao/Dao.h"
