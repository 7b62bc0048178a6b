#include <gtest/gtest.h>
#include "engine_state.h"
#include "line_codes.h"
TEST(Smoke, Builds) { resetEngine(); EXPECT_TRUE(evaluate("A = [1, 2; 3, 4]")); }
