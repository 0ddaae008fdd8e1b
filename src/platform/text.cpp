#include "platform/text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vz {

std::string GeneralNumber(double value, const std::string& decimal) {
    if (value == 0) return "0";
    char buf[64];
    // 15 significant digits, as the runtime's general form of a Double.
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s(buf);
    const auto e = s.find('e');
    std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
    const std::string exponent = e == std::string::npos ? "" : s.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    if (const auto point = mantissa.find('.'); point != std::string::npos)
        mantissa.replace(point, 1, decimal);
    if (exponent.empty()) return mantissa;
    // e+15 -> E+15, as the runtime writes exponents.
    std::string ex = "E";
    ex += exponent[1];
    std::size_t i = 2;
    while (i + 1 < exponent.size() && exponent[i] == '0') ++i;
    ex += exponent.substr(i);
    return mantissa + ex;
}

double Val(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string digits;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) digits += text[i++];
    bool seen_point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
            digits += c;
        } else if (c != ' ' && c != '\t') {
            break;  // Val also skips blanks inside the number
        }
    }
    return std::strtod(digits.c_str(), nullptr);
}

}  // namespace vz
