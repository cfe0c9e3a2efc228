#include "shell/DAOSupport.h"
