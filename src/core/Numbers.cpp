#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tei {

double Nearest(double x) {
    if (!std::isfinite(x)) return x;
    double lower = std::floor(x);
    double diff = x - lower;
    if (diff > 0.5) return lower + 1;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

int16_t sat16(long long x) {
    if (x > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (x < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(x);
}

int16_t to16(double x) {
    if (std::isnan(x)) return 0;
    double n = Nearest(x);
    if (n >= 32767.0) return 32767;
    if (n <= -32768.0) return -32768;
    return static_cast<int16_t>(n);
}

std::string Str(long long n) {
    std::string s = std::to_string(n);
    return n >= 0 ? " " + s : s;
}

namespace {

// Shared by the float and double forms: 'digits' significant digits at most.
std::string formatReal(double x, int digits) {
    if (std::isnan(x)) return " NaN";
    if (std::isinf(x)) return x > 0 ? " Inf" : "-Inf";
    if (x == 0) return " 0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, x);
    std::string s = buf;
    // Split off an exponent so the mantissa can be tidied.
    std::string exponent;
    if (auto e = s.find('E'); e != std::string::npos) {
        exponent = s.substr(e);
        s.erase(e);
        // The game writes at least two exponent digits: E+08, E-05.
        std::string sign = exponent.substr(1, 1);
        std::string num = exponent.substr(2);
        while (num.size() > 2 && num[0] == '0') num.erase(0, 1);
        if (num.size() < 2) num = "0" + num;
        exponent = "E" + sign + num;
    }
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    bool negative = s[0] == '-';
    std::string body = negative ? s.substr(1) : s;
    if (body.size() > 1 && body[0] == '0' && body[1] == '.') body.erase(0, 1);
    return (negative ? "-" : " ") + body + exponent;
}

}  // namespace

std::string Str(float x) { return formatReal(static_cast<double>(x), 7); }
std::string Str(double x) { return formatReal(x, 15); }

double Comma3(double x) { return std::floor(x * 1000) / 1000; }

double Val(std::string_view text) {
    size_t i = 0;
    auto blank = [&](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    auto digit = [&](size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
    while (i < text.size() && blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Find the extent of the number, then let from_chars (locale-free) convert it exactly.
    size_t start = i;
    bool anyDigit = false;
    while (digit(i)) ++i, anyDigit = true;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (digit(i)) ++i, anyDigit = true;
    }
    if (!anyDigit) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (digit(j)) {
            while (digit(j)) ++j;
            i = j;
        }
    }
    std::string number = text[start] == '.' ? "0" : "";
    number.append(text.substr(start, i - start));
    double value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        value = number.find_first_of("Ee") != std::string::npos && number.find("-", 1) != std::string::npos
                    ? 0.0
                    : std::numeric_limits<double>::infinity();
    }
    (void)end;
    return negative ? -value : value;
}

}  // namespace tei
