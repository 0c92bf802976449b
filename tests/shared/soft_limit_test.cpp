#include "shared/soft_limit.hpp"

#include <gtest/gtest.h>

struct SoftLimitCase {
    double in;
    double out;
};

class SoftLimit : public testing::TestWithParam<SoftLimitCase> {};

TEST_P(SoftLimit, FollowsTheCurve) {
    const SoftLimitCase c = GetParam();
    EXPECT_NEAR(suite::softLimit(c.in), c.out, 1e-9) << "in " << c.in;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SoftLimit,
    testing::Values(SoftLimitCase{0, 0}, SoftLimitCase{10000, 11000}, SoftLimitCase{-10000, -11000},
                    SoftLimitCase{29490.29, 32439.319}, // just below the knee: 1.1 x
                    SoftLimitCase{29490.3, 32439.33},   // at the knee: both pieces agree
                    SoftLimitCase{31000, 32590.3}, SoftLimitCase{-31000, -32590.3},
                    SoftLimitCase{32767, 32767}, SoftLimitCase{-32767, -32767},
                    SoftLimitCase{40000, 32767}, SoftLimitCase{-2147483648.0, -32767}));

TEST(SoftLimitCurve, IsContinuousAndMonotonic) {
    double previous = suite::softLimit(-40000);
    for (double a = -40000; a <= 40000; a += 0.5) {
        const double v = suite::softLimit(a);
        ASSERT_GE(v, previous) << a;
        ASSERT_LE(v - previous, 1.1 * 0.5 + 1e-9) << a;
        previous = v;
    }
    EXPECT_EQ(suite::softLimit(32767), 32767.0); // reaches full scale exactly (capped)
}
