#include "plot_math.h"

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Solves a small dense system in place by Gaussian elimination with partial pivoting; false when
// it is singular.
bool Solve(std::vector<std::vector<double>>& a, std::vector<double>& b)
{
    const size_t n = b.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t row = col + 1; row < n; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        if (std::fabs(a[pivot][col]) < 1e-12)
            return false;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (size_t row = col + 1; row < n; ++row) {
            const double factor = a[row][col] / a[col][col];
            for (size_t k = col; k < n; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    for (size_t col = n; col-- > 0;) {
        for (size_t k = col + 1; k < n; ++k)
            b[col] -= a[col][k] * b[k];
        b[col] /= a[col][col];
    }
    return true;
}

} // namespace

LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y)
{
    const std::vector<double> c = FitPolynomial(x, y, 1);
    LineFit fit;
    if (c.size() == 2) {
        fit.intercept = c[0];
        fit.slope = c[1];
        fit.valid = true;
    }
    return fit;
}

std::vector<double> FitPolynomial(const std::vector<double>& x, const std::vector<double>& y, int degree)
{
    std::vector<double> px;
    std::vector<double> py;
    for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (!std::isnan(y[i]) && !std::isnan(x[i])) {
            px.push_back(x[i]);
            py.push_back(y[i]);
        }
    }
    // Normal equations: sum x^(i+j) c_j = sum x^i y. Retried at a lower degree when singular
    // (too few distinct x for the degree asked).
    for (int d = std::min<int>(degree, int(px.size()) - 1); d >= 0; --d) {
        const size_t n = size_t(d) + 1;
        std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
        std::vector<double> b(n, 0.0);
        for (size_t p = 0; p < px.size(); ++p) {
            std::vector<double> powers(2 * n, 1.0);
            for (size_t k = 1; k < powers.size(); ++k)
                powers[k] = powers[k - 1] * px[p];
            for (size_t i = 0; i < n; ++i) {
                for (size_t j = 0; j < n; ++j)
                    a[i][j] += powers[i + j];
                b[i] += powers[i] * py[p];
            }
        }
        if (Solve(a, b))
            return b;
    }
    return {};
}

double EvaluatePolynomial(const std::vector<double>& coefficients, double x)
{
    double result = 0;
    for (size_t i = coefficients.size(); i-- > 0;)
        result = result * x + coefficients[i];
    return coefficients.empty() ? NaN : result;
}

std::vector<double> CatmullRomSegment(double p0, double p1, double p2, double p3, int steps)
{
    std::vector<double> samples(size_t(std::max(steps, 1)), NaN);
    if (std::isnan(p1) || std::isnan(p2))
        return samples;
    // A missing neighbour continues the segment in a straight line, so the curve neither bends
    // nor flattens at the end of a series or next to a gap.
    if (std::isnan(p0))
        p0 = 2 * p1 - p2;
    if (std::isnan(p3))
        p3 = 2 * p2 - p1;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i + 1) / double(samples.size());
        const double t2 = t * t;
        const double t3 = t2 * t;
        samples[i] = 0.5 * (2 * p1 + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 +
                            (-p0 + 3 * p1 - 3 * p2 + p3) * t3);
    }
    return samples;
}

std::vector<double> SplineThrough(const std::vector<double>& values, int steps)
{
    if (values.empty())
        return {};
    const auto at = [&values](long i) { return i < 0 || i >= long(values.size()) ? NaN : values[size_t(i)]; };
    std::vector<double> result{values.front()};
    for (long i = 0; i + 1 < long(values.size()); ++i) {
        const std::vector<double> segment = CatmullRomSegment(at(i - 1), at(i), at(i + 1), at(i + 2), steps);
        result.insert(result.end(), segment.begin(), segment.end());
        // The sample on a point itself keeps the point's value even when the segment is a gap.
        result.back() = at(i + 1);
    }
    return result;
}

void StackValues(std::vector<double>& values)
{
    double sum = 0;
    for (double& value : values) {
        if (std::isnan(value))
            continue;
        sum += value;
        value = sum;
    }
}
