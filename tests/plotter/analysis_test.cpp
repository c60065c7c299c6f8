#include "plotter/analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "number/number_text.h"
#include "plotter/background_analysis.h"
#include "plotter/sampling_workers.h"
#include "tests/support/cpu_time.h"
#include "tests/support/no_threads.h"

namespace veltrum {
namespace {

constexpr double kExactPi = std::numbers::pi;

AnalysisResult Analysed(std::string expression, std::string_view from, std::string_view to,
                        SamplingStep step = kStepTenth, std::string second = {}, int threads = 2) {
  RunEnd refusal;
  const std::optional<SamplingPlan> plan = PlanSampling({expression, from, to, step}, refusal);
  EXPECT_TRUE(plan.has_value());
  AnalysisRequest request{std::move(expression), std::move(second), plan.value_or(SamplingPlan{}), true};
  return Analyze(request, threads);
}

std::vector<Finding> OfKind(const AnalysisResult& a, FindingKind kind) {
  std::vector<Finding> out;
  std::copy_if(a.findings.begin(), a.findings.end(), std::back_inserter(out),
               [&](const Finding& f) { return f.kind == kind; });
  return out;
}

// Zeros and intersections are refined to the last digit of x.
void ExpectZeroAt(const Finding& f, double x) {
  EXPECT_NEAR(f.x, x, 1e-13 * std::max(1.0, std::fabs(x))) << "zero near " << x;
}

// One unit in the last digit of a fixed-notation number text.
double LastDigitUnit(const std::string& text) {
  const std::size_t comma = text.find(',');
  return comma == std::string::npos ? 1 : std::pow(10.0, -static_cast<double>(text.size() - comma - 1));
}

int SignificantDigits(const std::string& text) {
  int digits = 0;
  bool leading = true;
  for (char c : text) {
    if (c < '0' || c > '9' || (leading && c == '0')) continue;
    leading = false;
    ++digits;
  }
  return digits;
}

struct ZeroCase {
  const char* name;
  const char* expression;
  const char* from;
  const char* to;
  std::vector<double> zeros;
};

class Zeros : public testing::TestWithParam<ZeroCase> {};

TEST_P(Zeros, AreFoundToTheLastDigit) {
  const ZeroCase& c = GetParam();
  const AnalysisResult a = Analysed(c.expression, c.from, c.to);
  const std::vector<Finding> roots = OfKind(a, FindingKind::Root);
  ASSERT_EQ(roots.size(), c.zeros.size());
  for (std::size_t i = 0; i < roots.size(); ++i) ExpectZeroAt(roots[i], c.zeros[i]);
}

INSTANTIATE_TEST_SUITE_P(
    ClosedForm, Zeros,
    testing::Values(ZeroCase{"SinOnMinus4To4", "sin[x]", "-4", "4", {-kExactPi, 0, kExactPi}},
                    ZeroCase{"SquareRootOfTwo", "x^2-2", "0", "3", {std::numbers::sqrt2}},
                    ZeroCase{"FixedPointOfCos", "cos[x]-x", "0", "1", {0.7390851332151607}},
                    ZeroCase{"QuarterPiOfTangent", "tg[x]-1", "0", "1", {kExactPi / 4}},
                    ZeroCase{"LargeRoot", "x-12345,6789012345", "12345", "12346", {12345.6789012345}},
                    ZeroCase{"NoZeroOfSquarePlusOne", "x^2+1", "-3", "3", {}}),
    [](const testing::TestParamInfo<ZeroCase>& p) { return p.param.name; });

// What an analysis reads: the function over a range at a step.
struct Reading {
  const char* expression;
  const char* from;
  const char* to;
  SamplingStep step;
};

struct ExtremumCase {
  const char* name;
  Reading reading;
  FindingKind kind;
  double x, y;  // the closed form
};

class Extrema : public testing::TestWithParam<ExtremumCase> {};

// The values carry 15 digits, so an extremum's x is fixed to about half
// of them: it is printed to those, within one unit of its last digit of
// the closed form, and its y keeps the full number text.
TEST_P(Extrema, ShowOnlyTheDigitsTheValuesFix) {
  const ExtremumCase& c = GetParam();
  const Reading& r = c.reading;
  const std::vector<Finding> found = OfKind(Analysed(r.expression, r.from, r.to, r.step), c.kind);
  ASSERT_EQ(found.size(), 1u);
  const std::string x = NumberText(found[0].x);
  EXPECT_LE(std::fabs(found[0].x - c.x), LastDigitUnit(x)) << x;
  EXPECT_LE(SignificantDigits(x), 9) << x;
  EXPECT_NEAR(found[0].x, c.x, 1e-6 * std::max(1.0, std::fabs(c.x))) << x;
  EXPECT_NEAR(found[0].y, c.y, 1e-14 * std::max(1.0, std::fabs(c.y)));
}

const double kCubicTurn = 1 / std::sqrt(3.0), kCubicValue = 2 / (3 * std::sqrt(3.0));

INSTANTIATE_TEST_SUITE_P(
    ClosedForm, Extrema,
    testing::Values(
        ExtremumCase{"SineMaximum", {"sin[x]", "-4", "4", kStepTenth}, FindingKind::Maximum, kExactPi / 2, 1},
        ExtremumCase{"SineMinimum", {"sin[x]", "-4", "4", kStepTenth}, FindingKind::Minimum, -kExactPi / 2, -1},
        ExtremumCase{"CosineAtZero", {"cos[x]", "-1", "1", kStepThousandth}, FindingKind::Maximum, 0, 1},
        ExtremumCase{"CubicMaximum", {"x*x*x-x", "-2", "0", kStepTenth}, FindingKind::Maximum, -kCubicTurn,
                     kCubicValue},
        ExtremumCase{"CubicMinimum", {"x*x*x-x", "0", "2", kStepTenth}, FindingKind::Minimum, kCubicTurn,
                     -kCubicValue},
        ExtremumCase{"OtherCubicAtOne", {"x^3-3*x", "0", "3", kStepTenth}, FindingKind::Minimum, 1, -2},
        // The hump lies halfway between grid points, and its value of 1001
        // leaves the 15 digits little to see of its curvature.
        ExtremumCase{"BetweenTwoEqualSamplesFarFromZero", {"1001-(x-0,05)^2", "-1", "1", kStepTenth},
                     FindingKind::Maximum, 0.05, 1001},
        // A corner: its value at the x shown.
        ExtremumCase{"Corner", {"1-abs[x-0,05]", "-1", "1", kStepTenth}, FindingKind::Maximum, 0.05, 1}),
    [](const testing::TestParamInfo<ExtremumCase>& p) { return p.param.name; });

TEST(Extrema, OfCosineOnAFineGridAtZeroIsZero) {
  const std::vector<Finding> maxs = OfKind(Analysed("cos[x]", "-4", "4", kStepThousandth), FindingKind::Maximum);
  ASSERT_EQ(maxs.size(), 1u);
  EXPECT_EQ(NumberText(maxs[0].x), "0");
}

TEST(Findings, ComeInAscendingX) {
  const AnalysisResult a = Analysed("sin[x]", "-4", "4");
  ASSERT_EQ(a.findings.size(), 5u);
  const FindingKind order[] = {FindingKind::Root, FindingKind::Minimum, FindingKind::Root,
                               FindingKind::Maximum, FindingKind::Root};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(a.findings[i].kind, order[i]) << i;
}

TEST(Intersections, EachFunctionByItsOwnKeys) {
  const AnalysisResult a = Analysed("cos[x]", "0", "1", kStepTenth, "x");
  const std::vector<Finding> cross = OfKind(a, FindingKind::Intersection);
  ASSERT_EQ(cross.size(), 1u);
  ExpectZeroAt(cross[0], 0.7390851332151607);
  EXPECT_NEAR(cross[0].y, 0.7390851332151607, 1e-13);
  const AnalysisResult t = Analysed("tg[x]", "0", "1", kStepTenth, "1");
  ASSERT_EQ(OfKind(t, FindingKind::Intersection).size(), 1u);
  ExpectZeroAt(OfKind(t, FindingKind::Intersection)[0], kExactPi / 4);
}

struct BreakCase {
  const char* name;
  const char* expression;
  const char* from;
  const char* to;
  double at;
  double tolerance;
};

class Breaks : public testing::TestWithParam<BreakCase> {};

// A sign change across a pole is a break, never a zero, and the integral
// names where the function is not defined.
TEST_P(Breaks, AreNoZeros) {
  const BreakCase& c = GetParam();
  const AnalysisResult a = Analysed(c.expression, c.from, c.to);
  const std::vector<Finding> breaks = OfKind(a, FindingKind::Break);
  ASSERT_EQ(breaks.size(), 1u);
  EXPECT_NEAR(breaks[0].x, c.at, c.tolerance);
  for (const Finding& r : OfKind(a, FindingKind::Root)) EXPECT_GT(std::fabs(r.x - c.at), 0.5) << r.x;
  ASSERT_EQ(a.integral.end, IntegralValue::End::Undefined);
  EXPECT_NEAR(a.integral.undefinedAt, c.at, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Poles, Breaks,
    testing::Values(BreakCase{"ReciprocalFailsAtASample", "1/x", "-1", "1", 0, 0},
                    BreakCase{"ReciprocalBetweenSamples", "1/(x-0,05)", "-1", "1", 0.05, 1e-12},
                    BreakCase{"SquareBetweenSamples", "1/(x-0,05)^2", "-1", "1", 0.05, 1e-6},
                    BreakCase{"TangentAtHalfPi", "tg[x]", "1", "2", kExactPi / 2, 1e-12}),
    [](const testing::TestParamInfo<BreakCase>& p) { return p.param.name; });

struct IntegralCase {
  const char* name;
  const char* expression;
  const char* from;
  const char* to;
  double value;
};

class Integrals : public testing::TestWithParam<IntegralCase> {};

TEST_P(Integrals, OfSmoothFunctions) {
  const IntegralCase& c = GetParam();
  const AnalysisResult a = Analysed(c.expression, c.from, c.to);
  ASSERT_EQ(a.integral.end, IntegralValue::End::Computed) << IntegralMessage(a.integral);
  EXPECT_NEAR(a.integral.value, c.value, std::max(1e-12, 1e-10 * std::fabs(c.value)));
  EXPECT_EQ(IntegralMessage(a.integral), "");
}

INSTANTIATE_TEST_SUITE_P(
    ClosedForm, Integrals,
    testing::Values(IntegralCase{"SinOverZeroToPi", "sin[x]", "0", "3,14159265358979", 2 - 1.6e-29},
                    IntegralCase{"SinOverASymmetricRange", "sin[x]", "-4", "4", 0},
                    IntegralCase{"Parabola", "x^2", "0", "3", 9},
                    IntegralCase{"Tangent", "tg[x]", "0", "1", -std::log(std::cos(1.0))},
                    IntegralCase{"Reciprocal", "1/x", "1", "10", std::log(10.0)},
                    IntegralCase{"NarrowGaussian", "1/(1+100*x^2)", "-5", "5", 2 * std::atan(50.0) / 10},
                    IntegralCase{"SmallButKnown", "x*0,000000001", "0", "1", 5e-10}),
    [](const testing::TestParamInfo<IntegralCase>& p) { return p.param.name; });

// An integral smaller than its own error estimate has none of its digits.
TEST(Integral, BelowItsErrorEstimateIsZero) {
  const struct {
    const char* expression;
    const char* from;
    const char* to;
  } rows[] = {{"sin[x]", "-4", "4"}, {"tg[x]", "-1", "1"}, {"x*x*x-x", "-2", "2"}};
  for (const auto& row : rows) {
    const AnalysisResult a = Analysed(row.expression, row.from, row.to);
    ASSERT_EQ(a.integral.end, IntegralValue::End::Computed) << row.expression;
    EXPECT_EQ(NumberText(a.integral.value), "0") << row.expression;
  }
}

// A function whose integral does not fit a double: the integral is not
// taken, with its reason, and nothing else fails.
TEST(Integral, BeyondTheDoubleRangeIsNotTaken) {
  for (const char* expression : {"10^308", "9^323", "-10^308"}) {
    const AnalysisResult a = Analysed(expression, "-3", "3");
    EXPECT_EQ(a.end.kind, RunEnd::Kind::Completed) << expression;
    EXPECT_TRUE(a.findings.empty()) << expression;
    EXPECT_EQ(a.integral.end, IntegralValue::End::TooLarge) << expression;
    EXPECT_EQ(IntegralMessage(a.integral), "Интеграл не вычислен: значение слишком велико.");
  }
  // Two functions whose difference does not fit cross nowhere.
  const AnalysisResult a = Analysed("10^308", "-3", "3", kStepTenth, "-10^308");
  EXPECT_EQ(a.end.kind, RunEnd::Kind::Completed);
  EXPECT_TRUE(OfKind(a, FindingKind::Intersection).empty());
}

TEST(Integral, UndefinedWhereTheRangeLeavesTheDomain) {
  const AnalysisResult a = Analysed("sqrt[x]", "-1", "1");
  ASSERT_EQ(a.integral.end, IntegralValue::End::Undefined);
  EXPECT_EQ(IntegralMessage(a.integral), "Интеграл не вычислен: функция не определена при x = -1.");
}

TEST(Analysis, SameForEveryThreadCount) {
  const AnalysisResult one = Analysed("sin[x]*x", "-10", "10", kStepTenth, "cos[x]", 1);
  const AnalysisResult three = Analysed("sin[x]*x", "-10", "10", kStepTenth, "cos[x]", 3);
  ASSERT_EQ(one.findings.size(), three.findings.size());
  for (std::size_t i = 0; i < one.findings.size(); ++i) {
    EXPECT_EQ(one.findings[i].x, three.findings[i].x) << i;
    EXPECT_EQ(one.findings[i].y, three.findings[i].y) << i;
  }
  EXPECT_EQ(one.integral.value, three.integral.value);
}

TEST(Analysis, StaysWithinItsEvaluationBudget) {
  const AnalysisResult a = Analysed("sin[x]", "-4", "4", kStepHundredth);
  const std::size_t samples = 801;
  EXPECT_LE(a.evaluations, samples + kMaxRefineEvaluations * a.findings.size() + kMaxIntegralEvaluations);
  // Far less in fact: about a third of the samples for five findings and the integral.
  EXPECT_LE(a.evaluations, samples * 3 / 2);
}

TEST(Analysis, StoppedReportsNothing) {
  RunEnd refusal;
  const SamplingPlan plan = *PlanSampling({"sin[x]", "-1000", "1000", kStepThousandth}, refusal);
  int asked = 0;
  const AnalysisResult a = Analyze({"sin[x]", "", plan, true}, 2, [&] { return ++asked < 3; });
  EXPECT_EQ(a.end.kind, RunEnd::Kind::Stopped);
  EXPECT_TRUE(a.findings.empty());
  EXPECT_EQ(a.integral.end, IntegralValue::End::NotTaken);
}

// The integral of a piece that cannot converge (sin[1000000*x] over 0..0,1)
// of a slow function runs for seconds; a stop in the middle of it is
// answered within an evaluation, not at the piece's end: the processor time
// spent after the stop is counted, which a loaded machine cannot inflate.
TEST(Analysis, AStopInsideAnIntegralPieceIsAnsweredAtOnce) {
  std::string slow = "sin[1000000*x]";
  for (int i = 0; i < 100; ++i) slow += "+(x+1)^2/cos[x]";
  RunEnd refusal;
  const SamplingPlan plan = *PlanSampling({slow, "0", "0,1", kStepTenth}, refusal);
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  double stoppedAt = -1;
  const AnalysisResult a = Analyze({slow, "", plan, true}, 1, [&] {
    if (Clock::now() - start < std::chrono::milliseconds(300)) return true;
    if (stoppedAt < 0) stoppedAt = ProcessCpuMilliseconds();
    return false;
  });
  const double after = ProcessCpuMilliseconds() - stoppedAt;
  EXPECT_EQ(a.end.kind, RunEnd::Kind::Stopped);
  EXPECT_EQ(a.integral.end, IntegralValue::End::NotTaken);
  EXPECT_LT(after, kStopCpuMilliseconds) << "a stop answered after " << after << " ms of processor time";
}

// tg[x] over -3..3 has two poles: the integral is not defined, and its
// pieces stop as soon as a refinement has found a break instead of
// spending their 100 000 evaluations around the poles.
TEST(Analysis, AnIntegralAcrossABreakSparesItsEvaluations) {
  for (int threads : {1, 2}) {
    const AnalysisResult a = Analysed("tg[x]", "-3", "3", kStepTenth, {}, threads);
    ASSERT_EQ(OfKind(a, FindingKind::Break).size(), 2u);
    EXPECT_EQ(a.integral.end, IntegralValue::End::Undefined);
    EXPECT_NEAR(a.integral.undefinedAt, -kExactPi / 2, 1e-12);
    EXPECT_LT(a.evaluations, 61u + 2 * kMaxRefineEvaluations + 6 * kMaxRefineEvaluations) << threads;
  }
}

// Threads that cannot be created end the analysis with the sampling run's
// message, as a value: nothing is reported, nothing terminates, and the
// next analysis runs as usual.
TEST(Analysis, ThreadsThatCannotStartEndItWithTheRunsMessage) {
  AnalysisResult a;
  {
    const NoThreads limit;
    a = Analysed("sin[x]", "-4", "4", kStepTenth, {}, 2);
  }
  EXPECT_EQ(a.end.failure, RunEnd::Failure::NoThread);
  EXPECT_EQ(a.end.text.rfind(kNoThreadText, 0), 0u) << a.end.text;
  EXPECT_TRUE(a.findings.empty());
  EXPECT_EQ(a.integral.end, IntegralValue::End::NotTaken);
  EXPECT_EQ(Analysed("sin[x]", "-4", "4").findings.size(), 5u);
}

TEST(BackgroundAnalysis, WithoutAThreadFinishesAtOnceWithTheMessage) {
  RunEnd refusal;
  const SamplingPlan plan = *PlanSampling({"x", "-1", "1", kStepTenth}, refusal);
  std::atomic<int> finished{0};
  std::optional<BackgroundAnalysis> run;
  {
    const NoThreads limit;
    run.emplace(AnalysisRequest{"x", "", plan, true}, 2, [&] { ++finished; });
  }
  EXPECT_EQ(finished, 1);
  const std::optional<AnalysisResult> result = run->Result();
  ASSERT_TRUE(result);
  EXPECT_EQ(result->end.failure, RunEnd::Failure::NoThread);
  EXPECT_EQ(result->end.text.rfind(kNoThreadText, 0), 0u) << result->end.text;
}

TEST(Analysis, AnUnreadableTextFailsTheRun) {
  const AnalysisResult a = Analysed("1E400", "0", "1");
  EXPECT_EQ(a.end.failure, RunEnd::Failure::Calculation);
  EXPECT_TRUE(a.findings.empty());
}

TEST(ValueAt, IsTheSampleValue) {
  EXPECT_EQ(ValueAt("sin[x]", 0.5, true), 0.479425538604203);
  EXPECT_EQ(ValueAt("sin[x]", 30, false), 0.5);
  EXPECT_EQ(ValueAt("1/x", 0, true), std::nullopt);
}

}  // namespace
}  // namespace veltrum
