// The volume step of the sound functions: a tenth of the range, kept within bounds.
#include <gtest/gtest.h>

#include "functions/volume_step.h"

using namespace kl::support;

TEST(VolumeStep, TenthOfTheRangeKeptWithinBounds) {
    EXPECT_EQ(NextVolume(30000, 0, 65535, true), 36553u);
    EXPECT_EQ(NextVolume(30000, 0, 65535, false), 23447u);
    EXPECT_EQ(NextVolume(5000, 0, 65535, false), 0u);  // below one step stops at the minimum
    EXPECT_EQ(NextVolume(65000, 0, 65535, true), 65535u);
    EXPECT_EQ(NextVolume(0xFFFFFFF0u, 0, 0xFFFFFFFFu, true), 0xFFFFFFFFu);
    EXPECT_EQ(NextVolume(15, 10, 20, false), 14u);
    EXPECT_EQ(NextVolume(7, 10, 5, true), 7u);  // nonsense bounds change nothing
}
