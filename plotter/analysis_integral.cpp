// The integral of a piece of the range: adaptive 15-point Gauss-Kronrod,
// the interval with the largest error estimate halved until the estimates
// add up to the tolerance.
#include <algorithm>
#include <cmath>
#include <vector>

#include "number/failure.h"
#include "plotter/analysis_refine.h"

namespace veltrum {
namespace {

// Kronrod nodes on [-1, 1] (positive half, the centre last) and their
// weights; the Gauss nodes are the odd-indexed ones.
constexpr Extended kNodes[8] = {0.991455371120812639206854697526329L, 0.949107912342758524526189684047851L,
                                0.864864423359769072789712788640926L, 0.741531185599394439863864773280788L,
                                0.586087235467691130294144845693013L, 0.405845151377397166906606412076961L,
                                0.207784955007898467600689403773245L, 0.0L};
constexpr Extended kKronrod[8] = {0.022935322010529224963732008058970L, 0.063092092629978553290700663189204L,
                                  0.104790010322250183839876322541518L, 0.140653259715525918745189590510238L,
                                  0.169004726639267902826583426598550L, 0.190350578064785409913256402421014L,
                                  0.204432940075298892414161999234649L, 0.209482141084727828012999174891714L};
constexpr Extended kGauss[4] = {0.129484966168869693270611432679082L, 0.279705391489276667901467771423780L,
                                0.381830050505118944950369775488975L, 0.417959183673469387755102040816327L};
constexpr int kRuleEvaluations = 15;

// Targets: an absolute 1e-13 over the whole range, a relative 1e-12, and
// never below what the 15 digits of the values allow.
constexpr double kAbsoluteTolerance = 1e-13;
constexpr double kRelativeTolerance = 1e-12;
constexpr double kValueDigits = 5e-15;

// The estimates stay in the extended type: the values of a function near
// the double's limit sum beyond it.
struct Interval {
  double a, b;
  Extended value, error, absolute;
};

// One rule on [a, b]; false with x set where f failed.
bool Rule(const Function1& f, Interval& in, double& failedAt) {
  const Extended centre = 0.5L * (static_cast<Extended>(in.a) + in.b),
                 half = 0.5L * (static_cast<Extended>(in.b) - in.a);
  double fv[15];
  for (int i = 0; i < 15; ++i) {
    const double x = StoreDouble(i < 7    ? centre - half * kNodes[i]
                                 : i == 7 ? centre
                                          : centre + half * kNodes[14 - i]);
    const std::optional<double> y = f(x);
    if (!y) {
      failedAt = ToNumberText(x);
      return false;
    }
    fv[i] = *y;
  }
  // Sums in the extended type: the value is the 15 digits of many
  // products, and a sum in double loses the last of them.
  Extended kronrod = 0, gauss = 0, absolute = 0;
  for (int i = 0; i < 15; ++i) {
    const int k = i < 8 ? i : 14 - i;
    kronrod += kKronrod[k] * fv[i];
    absolute += kKronrod[k] * std::fabs(fv[i]);
    if (k % 2 == 1) gauss += kGauss[k / 2] * fv[i];
  }
  const Extended mean = 0.5L * kronrod;
  Extended spread = 0;
  for (int i = 0; i < 15; ++i) spread += kKronrod[i < 8 ? i : 14 - i] * std::fabs(fv[i] - mean);
  in.value = kronrod * half;
  in.absolute = absolute * std::fabs(half);
  spread *= std::fabs(half);
  Extended error = std::fabs((kronrod - gauss) * half);
  // The scaled estimate of QUADPACK: the raw difference of the two rules
  // overstates the error of the Kronrod rule by orders of magnitude.
  if (spread != 0 && error != 0) error = spread * std::min(1.0L, std::pow(200 * error / spread, 1.5L));
  in.error = error;
  return true;
}

}  // namespace

IntegralValue IntegratePiece(const Function1& f, double a, double b, double share, int budget) {
  IntegralValue out;
  std::vector<Interval> parts{{.a = a, .b = b, .value = 0, .error = 0, .absolute = 0}};
  if (!Rule(f, parts[0], out.undefinedAt)) {
    out.end = IntegralValue::End::Undefined;
    return out;
  }
  int used = kRuleEvaluations;
  for (;;) {
    Extended value = 0, error = 0, absolute = 0;
    for (const Interval& p : parts) value += p.value, error += p.error, absolute += p.absolute;
    const Extended digits = kValueDigits * absolute;
    const Extended tolerance =
        std::max({static_cast<Extended>(kAbsoluteTolerance * share), kRelativeTolerance * std::fabs(value), digits});
    if (error <= tolerance) {
      // The sum is stored by the analysis once the pieces are added up.
      out.end = IntegralValue::End::Computed;
      out.extended = value;
      out.error = std::max(error, digits);
      return out;
    }
    if (used + 2 * kRuleEvaluations > budget) {
      out.end = IntegralValue::End::NotConverged;
      return out;
    }
    const auto worst = std::ranges::max_element(
        parts, [](const Interval& p, const Interval& q) { return p.error < q.error; });
    const double mid = 0.5 * (worst->a + worst->b);
    Interval left{.a = worst->a, .b = mid, .value = 0, .error = 0, .absolute = 0},
        right{.a = mid, .b = worst->b, .value = 0, .error = 0, .absolute = 0};
    if (!Rule(f, left, out.undefinedAt) || !Rule(f, right, out.undefinedAt)) {
      out.end = IntegralValue::End::Undefined;
      return out;
    }
    used += 2 * kRuleEvaluations;
    *worst = left;
    parts.push_back(right);
  }
}

}  // namespace veltrum
