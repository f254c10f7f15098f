#include "info/KenoIcon.h"
#include "core/Cue.h"
