#include "plotter/analysis_refine.h"

#include <algorithm>
#include <cmath>

#include "calculator/plot_run.h"
#include "number/number_text.h"
#include "plotter/evaluator.h"

namespace veltrum {
namespace {

// One unit in the 15th significant digit of x: the spacing of the number
// texts around it.
double TextUnit(double x) {
  const double m = std::fabs(x);
  if (m == 0) return 1e-300;
  return std::pow(10.0, std::floor(std::log10(m)) - 14);
}

// The next number text from x toward t (t itself when none lies between).
double StepToward(double x, double t) {
  double u = TextUnit(x);
  for (int i = 0; i < 8; ++i, u *= 2) {
    const double y = ToNumberText(t > x ? x + u : x - u);
    if (y != x) return (t > x) == (y < t) ? y : t;
  }
  return t;
}

bool StrictlyBetween(double v, double p, double q) { return std::min(p, q) < v && v < std::max(p, q); }

// x rounded to the decimal place at or just above unsure, and inside the
// samples' bracket [low, high] (finer where that rounding would leave it).
// Near an extremum the values rise as curvature * d^2 and carry one unit u
// in their 15th digit: points with values less than u apart can show in
// either order, so no comparison places the extremum closer than
// unsure = sqrt(u / curvature), and the digits below that place are noise.
double FixedDigits(double x, double unsure, double low, double high) {
  if (x < low || x > high) return x;
  for (int k = static_cast<int>(std::ceil(std::log10(unsure))); std::pow(10.0, k) > TextUnit(x); --k) {
    const Extended unit = std::pow(10.0L, k);
    const double r = ToNumberText(StoreDouble(std::round(x / unit) * unit));
    if (low <= r && r <= high) return r;
  }
  return x;
}

// A value refined this far from the samples around it is not a value of
// a smooth function there, but its growth toward a pole.
constexpr double kPoleExcess = 4;
constexpr double kZeroShrink = 1e-3;

}  // namespace

double ToNumberText(double x) {
  char buf[kNumberTextCapacity];
  const std::size_t n = FormatNumber(x, buf);
  return ReadNumberDouble(std::string_view(buf, n));
}

Probe::Probe(std::string_view f, std::string_view g, WorkerTools& tools, const std::atomic<bool>& stop)
    : f_(f), g_(g), tools_(tools), stop_(stop) {}

std::optional<double> Probe::Eval(std::string_view expression, double x) {
  if (stop_.load(std::memory_order_relaxed) || tools_.abandon.load(std::memory_order_relaxed))
    return std::nullopt;
  ++count_;
  const std::optional<double> y = tools_.evaluator.At(tools_.calc, expression, x);
  tools_.run.NextSample();
  return y;
}

std::optional<double> Probe::F(double x) { return Eval(f_, x); }

std::optional<double> DifferenceOf(double f, double g) {
  try {
    return StoreDouble(static_cast<Extended>(f) - g);
  } catch (const CalcFailure&) {
    return std::nullopt;
  }
}

std::optional<double> Probe::Difference(double x) {
  const std::optional<double> f = Eval(f_, x);
  if (!f) return std::nullopt;
  const std::optional<double> g = Eval(g_, x);
  if (!g) return std::nullopt;
  return DifferenceOf(*f, *g);
}

// Brent's zero finder on the number texts: every point tried is a number
// text, and the run ends when the bracket has no text left inside it.
Refined RefineZero(const Function1& f, double a, double fa, double b, double fb, int budget) {
  const double scale = std::max(std::fabs(fa), std::fabs(fb));
  double c = a, fc = fa, d = b - a, e = d;
  for (int used = 0;; ++used) {
    if ((fb > 0) == (fc > 0)) {
      c = a;
      fc = fa;
      d = e = b - a;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    if (fb == 0) return {.isBreak = false, .x = b, .y = fb};
    const double tol = 0.5 * TextUnit(b);
    const double xm = 0.5 * (c - b);
    const double mid = ToNumberText(b + xm);
    if (!StrictlyBetween(mid, b, c) || used >= budget) break;
    if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
      const double s = fb / fa;
      double p, q;
      if (a == c) {
        p = 2 * xm * s;
        q = 1 - s;
      } else {
        const double qa = fa / fc, r = fb / fc;
        p = s * (2 * xm * qa * (qa - r) - (b - a) * (r - 1));
        q = (qa - 1) * (r - 1) * (s - 1);
      }
      if (p > 0)
        q = -q;
      else
        p = -p;
      if (2 * p < std::min(3 * xm * q - std::fabs(tol * q), std::fabs(e * q))) {
        e = d;
        d = p / q;
      } else {
        d = e = xm;
      }
    } else {
      d = e = xm;
    }
    a = b;
    fa = fb;
    double next = ToNumberText(std::fabs(d) > tol ? b + d : b + std::copysign(tol, xm));
    if (next == b) next = StepToward(b, c);
    if (!StrictlyBetween(next, b, c)) next = mid;
    b = next;
    const std::optional<double> y = f(b);
    if (!y) return {.isBreak = true, .x = b, .y = 0};
    fb = *y;
  }
  // A sign change whose values do not shrink toward the point is a jump.
  if (std::fabs(fb) > kZeroShrink * scale) return {.isBreak = true, .x = b, .y = 0};
  return {.isBreak = false, .x = b, .y = fb};
}

// Brent's minimiser on g (f or -f), then a parabola through points far
// enough apart that the 15 digits of the values do not hide the curvature:
// near an extremum the values agree to 15 digits over about 1e-7 of x. The
// x found is better than the values prove; it is given only to the digits
// they fix.
Refined RefineExtremum(const Function1& f, bool maximum, double a, double fa, double m, double fm, double b,
                       double fb, int budget) {
  const double sign = maximum ? -1 : 1;
  const double low = a, high = b;
  int used = 0;
  auto g = [&](double x) -> std::optional<double> {
    ++used;
    const std::optional<double> y = f(x);
    if (!y) return std::nullopt;
    return sign * *y;
  };
  const double spread = std::max(sign * fa, sign * fb) - sign * fm;
  const double start = sign * fm;
  constexpr double kGolden = 0.3819660112501051;
  double x = m, w = m, v = m, fx = start, fw = start, fv = start, d = 0, e = 0;
  while (used < budget - 4) {
    const double xm = 0.5 * (a + b);
    const double tol1 = 1e-8 * std::fabs(x) + 1e-10, tol2 = 2 * tol1;
    if (std::fabs(x - xm) <= tol2 - 0.5 * (b - a)) break;
    bool golden = true;
    if (std::fabs(e) > tol1) {
      double r = (x - w) * (fx - fv), q = (x - v) * (fx - fw), p = (x - v) * q - (x - w) * r;
      q = 2 * (q - r);
      if (q > 0) p = -p;
      q = std::fabs(q);
      const double etemp = e;
      e = d;
      if (!(std::fabs(p) >= std::fabs(0.5 * q * etemp) || p <= q * (a - x) || p >= q * (b - x))) {
        golden = false;
        d = p / q;
        const double u = x + d;
        if (u - a < tol2 || b - u < tol2) d = std::copysign(tol1, xm - x);
      }
    }
    if (golden) {
      e = x >= xm ? a - x : b - x;
      d = kGolden * e;
    }
    const double u = ToNumberText(std::fabs(d) >= tol1 ? x + d : x + std::copysign(tol1, d));
    const std::optional<double> gu = g(u);
    if (!gu) return {.isBreak = true, .x = u, .y = 0};
    if (*gu <= fx) {
      (u >= x ? a : b) = x;
      v = w, fv = fw, w = x, fw = fx, x = u, fx = *gu;
    } else {
      (u < x ? a : b) = u;
      if (*gu <= fw || w == x) {
        v = w, fv = fw, w = u, fw = *gu;
      } else if (*gu <= fv || v == x || v == w) {
        v = u, fv = *gu;
      }
    }
  }
  // The vertex of the parabola through x - h, x, x + h.
  const double h = 1e-4 * std::max(1.0, std::fabs(x));
  const double x1 = ToNumberText(x - h), x2 = ToNumberText(x + h);
  const std::optional<double> g1 = g(x1), g2 = g(x2);
  // Without a curvature the values did not even tell x from x +- h apart.
  double unsure = h;
  if (g1 && g2) {
    const double d1 = (*g1 - fx) / (x1 - x), d2 = (*g2 - fx) / (x2 - x);
    const double curvature = (d2 - d1) / (x2 - x1);
    const double at = 0.5 * (x + x1) - d1 / (2 * curvature);
    if (curvature > 0 && std::isfinite(curvature) && std::isfinite(at)) {
      unsure = std::sqrt(TextUnit(std::max({std::fabs(fa), std::fabs(fm), std::fabs(fb), std::fabs(fx)})) /
                         curvature);
      // Within the samples' bracket: a function that is not smooth there
      // (x2 reads as x followed by a digit) can put the vertex past it.
      const double vertex = ToNumberText(at);
      if (std::fabs(vertex - x) < h && low <= vertex && vertex <= high) {
        const std::optional<double> gv = g(vertex);
        if (gv && *gv <= fx + 3 * TextUnit(fx)) x = vertex, fx = *gv;
      }
    }
  }
  if (start - fx > kPoleExcess * spread + 4 * TextUnit(start)) return {.isBreak = true, .x = x, .y = 0};
  // The value shown is the one at the x shown, where that is no less
  // extreme (at a corner such as 1-abs[x] it is the better one).
  const double shown = FixedDigits(x, unsure, low, high);
  if (shown != x)
    if (const std::optional<double> gs = g(shown); gs && *gs <= fx) fx = *gs;
  return {.isBreak = false, .x = shown, .y = sign * fx};
}

}  // namespace veltrum
