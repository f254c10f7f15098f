#pragma once
#include "keno22/Keno22PaySchedule.h"
