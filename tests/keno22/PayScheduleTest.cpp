#include <gtest/gtest.h>

#include "keno22/Keno22PaySchedule.h"

using namespace keno;

TEST(Keno22PaySchedule, HasThirtySevenEntries) { EXPECT_EQ(Keno22PaySchedule::Entries().size(), 37u); }
