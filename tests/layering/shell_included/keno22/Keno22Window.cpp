#include "shell/KenoApp.h"
