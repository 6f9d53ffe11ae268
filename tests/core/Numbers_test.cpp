#include "core/Numbers.h"
#include "core/Gains.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tei {
namespace {

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
    struct Row {
        double in, out;
    } rows[] = {{0, 0},       {0.5, 0},     {1.5, 2},   {2.5, 2},      {32.5, 32}, {33.5, 34},
                {-0.5, -0.0}, {-1.5, -2},   {-2.5, -2}, {7.5 - 8, 0},  {0.49, 0},  {0.51, 1},
                {-0.51, -1},  {104.8, 105}, {13.5, 14}, {32767, 32767}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.in);
        EXPECT_EQ(Nearest(r.in), r.out);
    }
}

TEST(Int, IsTheFloorAlsoBelowZero) {
    EXPECT_EQ(Int(2.9), 2.0);
    EXPECT_EQ(Int(-0.5), -1.0);
    EXPECT_EQ(Int(-2.0f), -2.0f);
}

TEST(IntRatio, IsTheExactFloorOfAQuotient) {
    struct Row {
        long long num, den, floor;
    };
    for (Row r : {Row{68 * 75, 100, 51}, Row{6799, 100, 67}, Row{0, 7, 0}, Row{-1, 100, -1}, Row{-100, 100, -1},
                  Row{-101, 100, -2}, Row{7, -2, -4}, Row{-7, -2, 3}, Row{8, -2, -4}}) {
        SCOPED_TRACE(std::to_string(r.num) + " / " + std::to_string(r.den));
        EXPECT_EQ(IntRatio(r.num, r.den), r.floor);
    }
}

// A gain clamped at a cap: stopped at the cap, but a value already above it is never lowered by the
// cap (a loss still counts in full).
TEST(gainCapped, StopsAtTheCapAndNeverLowersAValueAboveIt) {
    struct Row {
        int16_t value;
        int gain;
        int16_t after;
    };
    for (Row r :
         {Row{195, 5, 200}, Row{196, 5, 200}, Row{194, 5, 199}, Row{199, 3, 200}, Row{200, 3, 200}, Row{201, 3, 201},
          Row{202, 3, 202}, Row{210, -5, 205}, Row{203, -5, 198}, Row{32767, 5, 32767}, Row{-32768, -5, -32768}}) {
        SCOPED_TRACE(std::to_string(r.value) + " + " + std::to_string(r.gain));
        int16_t v = r.value;
        gainCapped(v, r.gain, 200);
        EXPECT_EQ(v, r.after);
    }
}

TEST(to16, RoundsThenSaturates) {
    EXPECT_EQ(to16(32.5), 32);
    EXPECT_EQ(to16(-0.5), 0);
    EXPECT_EQ(to16(32767.4), 32767);
    EXPECT_EQ(to16(40000), 32767);
    EXPECT_EQ(to16(-40000), -32768);
    EXPECT_EQ(to16(-32768.6), -32768);
    EXPECT_EQ(to16(std::nan("")), 0);
    EXPECT_EQ(sat16(70000LL), 32767);
    EXPECT_EQ(sat16(-70000LL), -32768);
    EXPECT_EQ(sat16(-5), -5);
}

// Numbers get a leading blank unless negative.
TEST(Str, NumbersAsTheGameWritesThem) {
    struct Row {
        const char* name;
        std::string got, want;
    } rows[] = {
        {"whole", Str(189), " 189"},
        {"negative whole", Str(-3), "-3"},
        {"zero", Str(0), " 0"},
        {"lowest 16-bit", Str(int16_t{-32768}), "-32768"},
        {"single 104.8", Str(31.0f * 120 / 150 + 80), " 104.8"},
        {"double .666", Str(Comma3(2.0 / 3)), " .666"},
        {"cut, not rounded, after three decimals", Str(Comma3(0.9999)), " .999"},
        {"negative half", Str(-0.5), "-.5"},
        {"whole single", Str(12.0f), " 12"},
        {"whole double", Str(3.0), " 3"},
        {"single 7 digits", Str(2.0f / 3), " .6666667"},
        {"double 15 digits", Str(2.0 / 3), " .666666666666667"},
        {"battle value", Str((8.0 + 7 + 15) / 10), " 3"},
        {"battle fraction", Str((7.0 + 7 + 15) / 10), " 2.9"},
        {"trailing zeros dropped", Str(2.50), " 2.5"},
        {"negative zero", Str(-0.0), " 0"},
        {"large single uses exponent", Str(123456789.0f), " 1.234568E+08"},
        {"small double uses exponent", Str(0.00001), " 1E-05"},
        {"small but shown plainly", Str(0.0001), " .0001"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.got, r.want);
    }
}

TEST(Val, TakesTheLeadingNumberOnly) {
    struct Row {
        const char* in;
        double out;
    } rows[] = {{"12", 12},   {"  7", 7},  {"12abc", 12}, {"abc", 0}, {"", 0},    {"-3", -3},  {"+4", 4},
                {"3.5", 3.5}, {".5", 0.5}, {"1e2", 100},  {"1e", 1},  {"- 3", 0}, {"１２", 0}, {"99999", 99999}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.in);
        EXPECT_DOUBLE_EQ(Val(r.in), r.out);
    }
    EXPECT_EQ(Val16("99999"), 32767);
    EXPECT_EQ(Val16("2.5"), 2);
    EXPECT_EQ(Val16("1e999"), 32767);
}

}  // namespace
}  // namespace tei
