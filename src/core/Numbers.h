#pragma once
// The number rules of the game, in one place:
//   Int      floor, also for negative values
//   IntRatio Int of a quotient of whole numbers, exactly
//   Nearest  nearest whole number, a half going to the even neighbour
//   Str      a number as the game writes it into texts: " 189", "-3", " 104.8", " .666"
//   Comma3   cut after the third decimal
//   to16     store into a 16-bit record field: Nearest, then saturate at -32768..32767
//   Val      the numeric value of a text's leading number ("12abc" -> 12, "abc" -> 0)

#include <cstdint>
#include <string>
#include <string_view>

namespace tei {

// Floor; returns the argument's own floating type, as the game's Int does.
inline float Int(float x) { return __builtin_floorf(x); }
inline double Int(double x) { return __builtin_floor(x); }

// Int(num / den) worked out on whole numbers, so no fraction held in binary can cost a unit: a product
// with a percentage, Int(0.68 * 75), is IntRatio(68 * 75, 100) = 51. The floor also below zero and for
// a negative divisor; den must not be 0.
constexpr long long IntRatio(long long num, long long den) {
    long long q = num / den;
    return (num % den != 0 && ((num < 0) != (den < 0))) ? q - 1 : q;
}

// Nearest whole number, halves to the even neighbour (Nearest(2.5) = 2, Nearest(-0.5) = 0).
double Nearest(double x);

// Saturating conversions into a 16-bit field.
int16_t sat16(long long x);
int16_t to16(double x);  // Nearest, then saturate

// Text of a number with the leading blank of non-negative values. A single-precision value shows at
// most 7 significant digits, a double at most 15; trailing zeros and a leading zero before the point
// are dropped (" .5", "-.25"); very large or small values use an exponent (" 1E+08").
std::string Str(long long n);
inline std::string Str(int n) { return Str(static_cast<long long>(n)); }
inline std::string Str(int16_t n) { return Str(static_cast<long long>(n)); }
std::string Str(float x);
std::string Str(double x);

// Int(x * 1000) / 1000: a non-negative value keeps three decimals, the rest is cut off.
double Comma3(double x);

// Numeric value of the leading number of a text: blanks skipped, an optional sign, digits, an optional
// fraction and exponent. No number gives 0.
double Val(std::string_view text);

// Val, stored into a 16-bit field (Nearest, saturated).
inline int16_t Val16(std::string_view text) { return to16(Val(text)); }

}  // namespace tei
