#include <gtest/gtest.h>
#include "grexmo.h"
TEST(GrexmoSmoke, FindsPlainText) {
    CGrexmo g;
    g.Read("ab", false);
    EXPECT_EQ(g.Find("xxab", 0, false), 2);
}
