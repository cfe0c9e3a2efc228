#include "shell/DAOConnect.h"
