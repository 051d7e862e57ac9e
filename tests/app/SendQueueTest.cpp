#include "app/SendQueue.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quon;

// A value typed past the spin box must never make an empty message (an
// endless send) or an oversized one.
TEST(SendQueue, FilesPerMessageStayWithinTheOptionsRange)
{
    const std::pair<double, int> cases[] = {{10, 10}, {10.4, 10}, {10.5, 11}, {0, 5},  {-3, 5},
                                            {4.4, 5}, {30, 30},   {31, 30},   {1e12, 30}};
    for (const auto& [setting, n] : cases)
        EXPECT_EQ(gamesPerMessage(setting), n) << setting;
    EXPECT_EQ(gamesPerMessage(std::numeric_limits<double>::quiet_NaN()), 10);
}
