// The registry keys of a profile as the program reads and writes them: those klsupport
// chooses too (kl_shared).
#pragma once

#include "settings_keys.h"
