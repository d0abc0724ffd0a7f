#include "study/ResponseSurface.h"

#include <algorithm>
#include <cmath>

namespace inlet {

namespace {

double termValue(const std::vector<int>& powers, const std::vector<double>& unit)
{
    double v = 1;
    for (std::size_t k = 0; k < powers.size(); ++k)
        for (int p = 0; p < powers[k]; ++p)
            v *= 2 * unit[k] - 1;  // -1 to 1: the columns of the squares apart from the constant's
    return v;
}

// The terms of each form, from the full quadratic down to the constant.
std::vector<std::pair<std::string, std::vector<std::vector<int>>>> forms(const std::vector<bool>& choice)
{
    const std::size_t d = choice.size();
    std::vector<std::vector<int>> constant{std::vector<int>(d, 0)};
    std::vector<std::vector<int>> linear = constant;
    for (std::size_t k = 0; k < d; ++k) {
        linear.push_back(std::vector<int>(d, 0));
        linear.back()[k] = 1;
    }
    std::vector<std::vector<int>> squares = linear;
    for (std::size_t k = 0; k < d; ++k) {
        if (choice[k])
            continue;  // a choice's square is itself
        squares.push_back(std::vector<int>(d, 0));
        squares.back()[k] = 2;
    }
    std::vector<std::vector<int>> quadratic = squares;
    for (std::size_t k = 0; k < d; ++k)
        for (std::size_t l = k + 1; l < d; ++l) {
            quadratic.push_back(std::vector<int>(d, 0));
            quadratic.back()[k] = quadratic.back()[l] = 1;
        }
    std::vector<std::pair<std::string, std::vector<std::vector<int>>>> all{{"quadratic", quadratic}};
    if (squares.size() < quadratic.size())
        all.emplace_back("linear and squares", squares);
    if (linear.size() < squares.size())
        all.emplace_back("linear", linear);
    if (constant.size() < linear.size())
        all.emplace_back("constant", constant);
    return all;
}

std::optional<std::vector<double>> fit(const std::vector<std::vector<int>>& terms,
                                       const std::vector<std::vector<double>>& unit, const std::vector<double>& values,
                                       std::size_t leftOut)
{
    std::vector<double> a, b;
    std::size_t rows = 0;
    for (std::size_t i = 0; i < unit.size(); ++i) {
        if (i == leftOut)
            continue;
        for (const auto& t : terms)
            a.push_back(termValue(t, unit[i]));
        b.push_back(values[i]);
        ++rows;
    }
    return leastSquares(std::move(a), rows, terms.size(), std::move(b));
}

}  // namespace

double ResponseSurface::predict(const std::vector<double>& unit) const
{
    double v = 0;
    for (std::size_t t = 0; t < terms.size(); ++t)
        v += coefficients[t] * termValue(terms[t], unit);
    return v;
}

std::optional<std::vector<double>> leastSquares(std::vector<double> a, std::size_t rows, std::size_t columns,
                                                std::vector<double> b)
{
    if (rows < columns || columns == 0)
        return std::nullopt;
    const auto at = [&](std::size_t r, std::size_t c) -> double& { return a[r * columns + c]; };
    double largest = 0;
    for (const double v : a)
        largest = std::max(largest, std::abs(v));
    std::vector<double> diagonal(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        double norm = 0;
        for (std::size_t r = c; r < rows; ++r)
            norm += at(r, c) * at(r, c);
        norm = std::sqrt(norm);
        // A column (nearly) in the span of those before: its coefficient is not determined.
        if (norm <= 1e-10 * std::max(largest, 1.0))
            return std::nullopt;
        const double alpha = at(c, c) > 0 ? -norm : norm;
        // v = x - alpha e1, kept in the column below the diagonal.
        at(c, c) -= alpha;
        double vv = 0;
        for (std::size_t r = c; r < rows; ++r)
            vv += at(r, c) * at(r, c);
        for (std::size_t k = c + 1; k < columns; ++k) {
            double s = 0;
            for (std::size_t r = c; r < rows; ++r)
                s += at(r, c) * at(r, k);
            s = 2 * s / vv;
            for (std::size_t r = c; r < rows; ++r)
                at(r, k) -= s * at(r, c);
        }
        double s = 0;
        for (std::size_t r = c; r < rows; ++r)
            s += at(r, c) * b[r];
        s = 2 * s / vv;
        for (std::size_t r = c; r < rows; ++r)
            b[r] -= s * at(r, c);
        diagonal[c] = alpha;
    }
    std::vector<double> x(columns);
    for (std::size_t c = columns; c-- > 0;) {
        double s = b[c];
        for (std::size_t k = c + 1; k < columns; ++k)
            s -= at(c, k) * x[k];
        x[c] = s / diagonal[c];
    }
    return x;
}

std::optional<ResponseSurface> fitSurface(const std::vector<std::vector<double>>& unit, const std::vector<double>& values,
                                          const std::vector<bool>& choice)
{
    const std::size_t n = unit.size();
    for (const auto& [form, terms] : forms(choice)) {
        if (n < terms.size() + 1)
            continue;
        const auto coefficients = fit(terms, unit, values, n);
        if (!coefficients)
            continue;
        double squares = 0;
        bool each = true;
        for (std::size_t i = 0; i < n && each; ++i) {
            const auto others = fit(terms, unit, values, i);
            if (!others) {
                each = false;  // without point i the form is not determined: a smaller one is
                break;
            }
            ResponseSurface s{form, terms, *others, 0, 0};
            const double residual = values[i] - s.predict(unit[i]);
            squares += residual * residual;
        }
        if (!each)
            continue;
        return ResponseSurface{form, terms, *coefficients, int(n), std::sqrt(squares / double(n))};
    }
    return std::nullopt;
}

}  // namespace inlet
