#include "calc/DesignInputs.h"

#include "calc/Arithmetic.h"
#include "calc/ExtendedPrecision.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>

namespace inlet {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::array<double, 23> kPowersOfTen{
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};

// A decimal number as it is read, digit by digit: 0.sig x 10^(pointExp + exponent).
class DecimalNumber {
public:
    bool negative = false;
    bool anyDigit = false;

    void integerDigit(char c)
    {
        anyDigit = true;
        if (sig_.empty() && c == '0')
            return;
        sig_.push_back(c);
        ++pointExp_;
    }

    void fractionDigit(char c)
    {
        anyDigit = true;
        if (sig_.empty() && c == '0') {
            --pointExp_;
            return;
        }
        sig_.push_back(c);
    }

    void exponentDigit(char c)
    {
        // Saturates far beyond any exponent that could still give a finite, non-zero double.
        if (exponent_ < kExponentLimit)
            exponent_ = exponent_ * 10 + (c - '0');
    }

    void negativeExponent() { exponentNegative_ = true; }

    // The nearest double; fails with an overflow beyond the double range, gives 0 below it.
    double value() const
    {
        if (sig_.empty())
            return 0.0;
        const std::int64_t e10 = pointExp_ + (exponentNegative_ ? -exponent_ : exponent_);
        if (e10 > 400)
            throw CalcError(FailureKind::Overflow);
        if (e10 < -400)
            return 0.0;

        // Up to 15 digits are exact in a double, and so are the powers of ten up to 1E+22:
        // one multiplication or division is then correctly rounded.
        const std::int64_t scale = e10 - static_cast<std::int64_t>(sig_.size());
        if (sig_.size() <= 15 && scale >= -22 && scale <= 22) {
            std::uint64_t mantissa = 0;
            for (const char c : sig_)
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            const double m = static_cast<double>(mantissa);
            const double v = scale >= 0 ? m * kPowersOfTen[static_cast<std::size_t>(scale)]
                                        : m / kPowersOfTen[static_cast<std::size_t>(-scale)];
            return negative ? -v : v;
        }

        std::string text = "0." + sig_ + "e" + std::to_string(e10);
        double v = 0.0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (ec == std::errc::result_out_of_range) {
            if (e10 > 0)
                throw CalcError(FailureKind::Overflow);
            v = 0.0;
        }
        finite(v);
        return negative ? -v : v;
    }

private:
    static constexpr std::int64_t kExponentLimit = 1'000'000'000'000;
    std::string sig_;
    std::int64_t pointExp_ = 0;
    std::int64_t exponent_ = 0;
    bool exponentNegative_ = false;
};

}  // namespace

double lenientParse(std::string_view text)
{
    return lenientRead(text).value;
}

LenientReading lenientRead(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && blank(text[i]))
        ++i;

    DecimalNumber number;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        number.negative = text[i++] == '-';

    bool point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (blank(c))
            continue;
        if (isDigit(c)) {
            if (point)
                number.fractionDigit(c);
            else
                number.integerDigit(c);
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!number.anyDigit)
        return {0.0, 0, false};

    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        while (i < n && blank(text[i]))
            ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-')
                number.negativeExponent();
            ++i;
        }
        for (; i < n && (isDigit(text[i]) || blank(text[i])); ++i)
            if (isDigit(text[i]))
                number.exponentDigit(text[i]);
    }
    return {number.value(), i, true};
}

float strictConversion(std::string_view text, const NumberLocale& locale)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);

    const auto mismatch = [] { return CalcError(FailureKind::TypeMismatch); };
    const auto takes = [&text](std::string_view s) {
        if (s.empty() || !text.starts_with(s))
            return false;
        text.remove_prefix(s.size());
        return true;
    };
    const auto digitsFollow = [&text] { return !text.empty() && isDigit(text.front()); };

    DecimalNumber number;
    if (takes("+"))
        number.negative = false;
    else if (takes("-"))
        number.negative = true;

    // Integer part: a first group of digits, then groups of exactly three after each
    // group separator.
    std::size_t firstGroup = 0;
    while (digitsFollow()) {
        number.integerDigit(text.front());
        text.remove_prefix(1);
        ++firstGroup;
    }
    if (firstGroup > 0 && !text.starts_with(locale.decimalSeparator)) {
        bool grouped = false;
        while (takes(locale.groupSeparator)) {
            grouped = true;
            for (int k = 0; k < 3; ++k) {
                if (!digitsFollow())
                    throw mismatch();
                number.integerDigit(text.front());
                text.remove_prefix(1);
            }
            if (digitsFollow())
                throw mismatch();
        }
        if (grouped && firstGroup > 3)
            throw mismatch();
    }

    if (takes(locale.decimalSeparator)) {
        while (digitsFollow()) {
            number.fractionDigit(text.front());
            text.remove_prefix(1);
        }
    }
    if (!number.anyDigit)
        throw mismatch();

    if (takes("E") || takes("e")) {
        if (takes("-"))
            number.negativeExponent();
        else
            takes("+");
        if (!digitsFollow())
            throw mismatch();
        while (digitsFollow()) {
            number.exponentDigit(text.front());
            text.remove_prefix(1);
        }
    }
    if (!text.empty())
        throw mismatch();
    return toSingle(number.value());
}

float thetaRadians(double degrees)
{
    return extendedDegreesToRadians(degrees);
}

double aaRadians(double degrees)
{
    return finite((degrees * kPi) / 180.0);
}

}  // namespace inlet
