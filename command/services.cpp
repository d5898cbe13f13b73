#include "command/command.h"

CommandServices commandServices;
