// Operator precedence, the chain handlers and the equals key.
#include "calculator/plot_run.h"
#include "calculator/trace.h"

namespace veltrum::testing {
namespace {

const TraceCase kChain[] = {
    {"ProductBeforeSum", "2+3*4=", "14"},
    {"ProductBeforeSumRepeated", "2+3*4==", "26"},
    {"PowersAssociateLeft", "2^3^2=", "64"},
    {"QuotientInsideDifference", "5-1/4=", "4,75"},
    {"QuotientInsideDifferenceRepeated", "5-1/4==", "4,5"},
    {"PowerAboveProductAboveSum", "2+3*4^2=", "50"},
    {"SumCompletesProduct", "2+3*4+1=", "15"},
    {"PowerFoldsProductFirst", "2*3^2^2=", "324"},
    {"PowerFoldsThreeLevelFirst", "2+3*4^2^2=", "2306"},
    {"ProductKeepsGrowingInFactor", "2+3*4*5=", "62"},
    {"QuotientAfterProductInSum", "2+3*4/2=", "8"},
    {"PowerInsideDifference", "10-2^3=", "2"},
    {"SumAfterProduct", "2*3+4=", "10"},
    {"ProductAfterQuotient", "2/4*3=", "1,5"},
    {"ThreeLevelThenProduct", "2+3*4^2*2=", "98"},
    {"RootInsideSum", "1+27f^3=", "4"},
    {"RootInsideProductInSum", "2+3*4f^2=", "8"},
    {"PowerThenRootKeepsSumLevel", "1+2^3f^2=", "3,82842712474619"},
    {"SecondOperatorReplacesFirst", "2+-3=", "-1"},
    {"OperatorAfterEqualsStartsNewChain", "2+3=*4=", "20"},
    {"ShiftedPowerKeyIsRoot", "27f^3=", "3"},
    {"NegativeBaseIntegralPower", "2{cmdplusminus}^3=", "-8"},
    {"ZeroToZero", "0^0=", "1"},
    {"ZeroSquared", "0^2=", "0"},
    {"RepeatSum", "2+3===", "11"},
    {"RepeatProduct", "2*3==", "18"},
    {"RepeatPower", "2^3==", "512"},
    {"FunctionResultIsOperand", "2+9{cmdsqrt}=", "5"},
    {"NewNumberAfterResult", "2+3=10=", "15"},
    {"EqualsWithOpenOperatorKeepsDisplay", "2+=", "2"},
    {"EqualsLeavesOperatorRecorded", "2+=3=", "5"},
    {"UnappliedOperatorIsDropped", "2+3*=", "5"},
    {"RepeatAfterRetypedSameText", "1+1=*2=", "4"},
    {"RepeatReadsSameTextAgain", "2+3=+5=", "10"},
    {"ProductChainRepeatMultipliesByPower", "2*3^2==", "162"},
    {"DivisionByZero", "5/0=", "0", true},
    {"DivisionByZeroThenEqualsDoesNothing", "5/0==", "0", true},
    {"DivisionByZeroInChainThenDigit", "5/0+1", "1", true},
    {"OddRootOfNegativeFails", "8{cmdplusminus}f^3=", "0", true},
    {"ZeroToNegativePowerFails", "0^1{cmdplusminus}=", "0", true},
    {"ProductBeyondDoubleFails", "1{cmdShift}{cmd1nax}300{cmdShift}*1{cmdShift}{cmd1nax}300{cmdShift}=", "0",
     true},
    {"OperandBeyondDoubleFails", "1{cmdShift}{cmd1nax}400{cmdShift}+1=", "1", true},
    {"DigitAfterFailureStartsNewNumber", "5/0=7", "7", true},
};

VELTRUM_TRACE_SUITE(ChainTrace, kChain);

TEST(ChainState, FailureResetsChainAndKeepsAccumulator) {
  RecordingMessages messages;
  Calculator calc(&messages);
  RunScript(calc, messages, "2+3*4/0=");  // completes 2 + 12 / 0
  EXPECT_EQ(messages.lines, std::vector<std::string>{kCalcError});
  const CalculatorState s = calc.Snapshot();
  EXPECT_EQ(s.ChainState, ChainCode::None);
  EXPECT_EQ(s.PowerState, PowerCode::None);
  EXPECT_EQ(s.SimpleOp, Op::None);
  EXPECT_EQ(s.Accumulator, 2.0);
  EXPECT_EQ(s.Factor, 12.0);
  EXPECT_EQ(s.Operand, 0.0);
  EXPECT_EQ(calc.Text1(), "0");
}

TEST(ChainState, PlotModeSetsCalcErrorInsteadOfMessage) {
  RecordingMessages messages;
  Calculator calc(&messages);
  {
    PlotRun run(calc);
    RunScript(calc, messages, "5/0=");
    EXPECT_TRUE(messages.lines.empty());
    EXPECT_EQ(calc.Snapshot().CalcError, 1);
    EXPECT_EQ(calc.Text1(), "0");
  }
  EXPECT_EQ(calc.Snapshot().CalcError, 0);
  EXPECT_EQ(calc.Snapshot().PlotMode, 0);
}

TEST(ChainState, EqualsKeepsOperationForRepetition) {
  RecordingMessages messages;
  Calculator calc(&messages);
  RunScript(calc, messages, "2+3*4=");
  const CalculatorState s = calc.Snapshot();
  EXPECT_EQ(s.Accumulator, 14.0);
  EXPECT_EQ(s.Operand, 12.0);
  EXPECT_EQ(s.SimpleOp, Op::Plus);
  EXPECT_FALSE(s.ChainActive);
  EXPECT_FALSE(s.RepeatMark);
}

}  // namespace
}  // namespace veltrum::testing
