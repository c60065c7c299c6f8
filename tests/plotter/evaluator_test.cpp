#include "plotter/evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "number/number_text.h"
#include "calculator/plot_run.h"
#include "plotter/evaluator_keys.h"

namespace veltrum {
namespace {

class NoMessages : public MessageSink {
 public:
  void ShowMessage(MessageKind, std::string_view text) override { ADD_FAILURE() << text; }
};

std::optional<double> Eval(std::string_view expression, double x, bool degrees = false) {
  NoMessages messages;
  Calculator calc(&messages);
  if (degrees) calc.Press(Key::optGrad);
  PlotRun run(calc);
  return EvaluateAt(calc, expression, x);
}

struct EvalRow {
  const char* name;
  const char* expression;
  double x;
  std::optional<double> value;
};

void PrintTo(const EvalRow& r, std::ostream* os) { *os << r.name; }

class EvaluateAtTest : public ::testing::TestWithParam<EvalRow> {};

TEST_P(EvaluateAtTest, GivesValueThroughTheKeys) {
  const EvalRow& r = GetParam();
  const std::optional<double> v = Eval(r.expression, r.x);
  ASSERT_EQ(v.has_value(), r.value.has_value()) << r.expression;
  if (v) {
    EXPECT_DOUBLE_EQ(*v, *r.value) << r.expression;
  }
}

constexpr double kPi = 3.14159265358979;

INSTANTIATE_TEST_SUITE_P(
    Traces, EvaluateAtTest,
    ::testing::Values(
        EvalRow{"XAtZero", "x", 0, 0}, EvalRow{"XNegative", "x", -3, -3},
        EvalRow{"XSmall", "x", 0.00001, 0.00001},
        EvalRow{"NegativeXInScientificKeepsSign", "x", -2e-5, -2e-5},
        EvalRow{"NegativeXLargeScientific", "x", -3e20, -3e20}, EvalRow{"MinusX", "-x", 2, -2},
        EvalRow{"MinusNegativeX", "-x", -2, 2},
        EvalRow{"SineOfPlainArgument", "sin[x]", 0.5, 0.479425538604203},
        EvalRow{"AbsOfNegativeArgument", "abs[x-3]", 1, 2},
        EvalRow{"AbsOfScientificNegative", "abs[x]", -2e-7, 2e-7}, EvalRow{"FactorialKey", "![3]", 0, 6},
        EvalRow{"SquareRootOfNegativeHasNoValue", "sqrt[x]", -1, std::nullopt},
        EvalRow{"LnOfE", "ln[e]", 0, 1}, EvalRow{"ParenthesesOnce", "2*(3)", 0, 6},
        EvalRow{"ParenthesesAlone", "(x)", 4, 4}, EvalRow{"FactorsSideBySideAreTyped", "2x", 3, 23},
        EvalRow{"PiReplacesNumber", "2p", 0, kPi}, EvalRow{"DigitAfterPi", "p2", 0, 2},
        EvalRow{"NegativeExponentMark", "1,5E-3*x", 2, 0.003}, EvalRow{"EmptyExpression", "", 1, 0},
        EvalRow{"NoKeyCharacters", "QWRTY; ", 1, 0}, EvalRow{"EmptyGroupIsZero", "sin[]", 1, 0},
        EvalRow{"EmptyParentheses", "()", 1, 0}, EvalRow{"TrailingPoint", "x+1.", 1, 2},
        EvalRow{"TrailingSemicolon", "x+1;", 1, 2},
        EvalRow{"ParenthesesInsteadOfBrackets", "sin(x)", 0.5, 0.5},
        EvalRow{"MinusBeforeGroup", "3-(x+1)", 1, 1},
        EvalRow{"MinusAfterBracket", "sin[-x]", 0.5, -0.479425538604203},
        EvalRow{"MinusAfterOperatorReplacesIt", "2*-x", 3, -1}, EvalRow{"LeadingMinusSquare", "-x^2", 3, -9},
        EvalRow{"ArcTangentBeatsTangent", "arctg[1]", 0, 0.785398163397448},
        EvalRow{"ArcCotangent", "arcctg[1]", 0, 0.785398163397448},
        EvalRow{"NestedFunctions", "sqrt[abs[x]]", -4, 2},
        EvalRow{"DivisionByZeroHasNoValue", "1/x", 0, std::nullopt},
        EvalRow{"LnOfNegativeHasNoValue", "ln[x]", -1, std::nullopt},
        EvalRow{"BracketGroupWithoutFunctionEnds", "2*[x+1]", 1, std::nullopt},
        EvalRow{"UnknownFunctionEnds", "exp[x]", 1, std::nullopt},
        EvalRow{"BareBracketsEnd", "[5]", 1, std::nullopt},
        EvalRow{"UnclosedParenthesisEnds", "((x", 1, std::nullopt},
        EvalRow{"UnopenedParenthesisEnds", "x))", 1, std::nullopt},
        EvalRow{"MismatchedBracketsEnd", "sin[x)", 1, std::nullopt},
        EvalRow{"UnclosedBracketEnds", "sin[x", 1, std::nullopt},
        // A group that is not a plain number swallows the opening brackets of
        // the other kind inside it; a later closing bracket pairs with one
        // outside it.
        EvalRow{"ParenthesisSwallowsOpeningBracket", "sin[([2)+1]", 0, 0.141120008059867},
        EvalRow{"BracketSwallowsOpeningParenthesis", "(sin[(1]+2)", 0, 2.8414709848079},
        EvalRow{"SwallowedBracketLeavesClosingOneUnpaired", "sin[(1+2]*2)", 0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EvaluateAt, UsesTheCalculatorsAngleUnit) { EXPECT_DOUBLE_EQ(*Eval("sin[x]", 30, true), 0.5); }

TEST(EvaluateAt, LeavesShiftOffAndDisplayWithLastValue) {
  NoMessages messages;
  Calculator calc(&messages);
  calc.Press(Key::cmdShift);
  calc.Press(Key::cmd7);
  calc.Press(Key::cmdplus);
  PlotRun run(calc);
  EXPECT_DOUBLE_EQ(*EvaluateAt(calc, "e+arcsin[x]", 1), 2.71828182845905 + 1.5707963267949);
  EXPECT_EQ(calc.ShiftCaption(), "2F: OFF");
  EXPECT_EQ(calc.Text1(), "4,28907815525395");
}

// The help text's two examples against the same formulas computed
// directly, each bracket's value rounded to the 15 significant digits of
// the value text that replaces it.
long double R(long double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14Le", v);
  return std::strtold(buf, nullptr);
}
constexpr long double kPiL = 3.14159265358979323846L;
constexpr long double kEL = 2.71828182845904523536L;

double Example1(long double x) {
  const long double base = R(R(std::sin(x)) * R(std::atan2(std::sqrt(1 - x * x), x)));
  const long double exponent = R(std::cos(R(1 + R(2 * x))));
  return static_cast<double>(R(std::pow(base, exponent)));
}
double Example2(long double x) {
  const long double a = R(std::fabs(R(x + R(kPiL))));
  const long double t = R(std::tan(R(x / a)));
  return static_cast<double>(R(x + R(std::log(R(t + R(kEL))))));
}

TEST(EvaluateAt, HelpExamplesAgreeWithDirectComputation) {
  for (double x : {0.05, 0.1, 0.25, 0.5, 0.75, 0.9, 0.99, -0.5}) {
    const std::optional<double> v = Eval("(sin[x]*arccos[x])^cos[1+(2*x)];", x);
    ASSERT_TRUE(v) << x;
    EXPECT_NEAR(*v, Example1(x), std::fabs(Example1(x)) * 2e-15) << x;
  }
  for (double x : {-3.0, -2.5, -1.0, -0.1, 0.2, 1.0, 2.0, 3.0}) {
    const std::optional<double> v = Eval("x+ln[tg[x/abs[x+p]]+e].", x);
    ASSERT_TRUE(v) << x;
    EXPECT_NEAR(*v, Example2(x), std::fabs(Example2(x)) * 2e-15) << x;
  }
  // A negative base with a fractional exponent has no value.
  EXPECT_FALSE(Eval("(sin[x]*arccos[x])^cos[1+(2*x)];", -0.25));
}

struct MinusRow {
  const char* text;
  const char* moved;
};

TEST(MoveMinusBehind, PutsTheSignMarkBehindTheFirstNonZeroDigit) {
  const MinusRow rows[] = {{"-25", "2z5"},         {"-0,05", "0,05z"}, {"-1*3", "1z*3"},
                           {"-1,5E-5", "1z,5E-5"}, {"25", "25"},       {"-0", "0z"},
                           {"-3", "3z"},           {"-0,5", "0,5z"},   {"-2E-5", "2zE-5"}};
  for (const MinusRow& r : rows) {
    std::string t = r.text;
    MoveMinusBehind(t);
    EXPECT_EQ(t, r.moved) << r.text;
  }
}

TEST(MoveMinusBehind, UnreadablePrefixRaisesConversionFailure) {
  std::string t = "-p";
  EXPECT_THROW(MoveMinusBehind(t), CalcFailure);
}

}  // namespace
}  // namespace veltrum
