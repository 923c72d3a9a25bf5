#pragma once

#include <vector>

// The arithmetic behind the derived plotting methods (fits, spline, stacking), kept apart from the
// chart so it can be checked on plain numbers. NaN stands for "no data" throughout.

/// Straight line y = slope * x + intercept.
struct LineFit {
    double slope = 0;
    double intercept = 0;
    bool valid = false;
};

/// Least-squares line through the points whose y is not NaN; invalid with fewer than two distinct x.
LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y);

/// Least-squares polynomial of the given degree through the points whose y is not NaN; the
/// coefficients from the constant term up. The degree drops when there are too few points; empty
/// when there is no point at all. Keep x small (e.g. relative to the first point) for precision.
std::vector<double> FitPolynomial(const std::vector<double>& x, const std::vector<double>& y, int degree);

double EvaluatePolynomial(const std::vector<double>& coefficients, double x);

/// The curve between p1 and p2 of a uniform Catmull-Rom spline, sampled at t = 1/steps .. 1 (p1
/// itself excluded). A missing p0 or p3 extends the segment straight; a missing p1 or p2 gives NaN.
std::vector<double> CatmullRomSegment(double p0, double p1, double p2, double p3, int steps);

/// A smooth curve through equally spaced values: (n - 1) * steps + 1 samples, the given values at
/// every steps-th sample. Segments next to a missing value are gaps.
std::vector<double> SplineThrough(const std::vector<double>& values, int steps);

/// Cumulative sums for a stacked plot, bottom series first: every series adds its value to those
/// below it. A missing value adds nothing and stays missing itself.
void StackValues(std::vector<double>& values);
