// The tape: key scripts and the lines they leave, and that watching changes
// nothing the calculator does.
#include "calculator/tape.h"

#include <tuple>

#include "calculator/plot_run.h"
#include "calculator/trace.h"

namespace veltrum::testing {
namespace {

struct TapeCase {
  const char* name;
  const char* script;
  std::vector<std::string> lines;
};

void PrintTo(const TapeCase& c, std::ostream* os) { *os << c.name; }

const std::string kError = "Произошла ошибка в вычислениях.";

const TapeCase kTapeCases[] = {
    {"Precedence", "2+3*4=", {"2 + 3 * 4 = 14"}},
    {"Power", "2^10=", {"2 ^ 10 = 1024"}},
    {"RootAsPower", "27f^f3=", {"27 ^ (1/3) = 3"}},
    {"ThreeLevels", "2+3*4^2=", {"2 + 3 * 4 ^ 2 = 50"}},
    {"IntermediateResultsStayOperands", "2*3+4=", {"2 * 3 + 4 = 10"}},
    {"SecondOperatorReplacesFirst", "2+-3=", {"2 - 3 = -1"}},
    {"RepeatedEquals", "2+3==", {"2 + 3 = 5", "5 + 3 = 8"}},
    {"RepeatedEqualsAfterChainAddsLastTerm", "2+3*4==", {"2 + 3 * 4 = 14", "14 + 12 = 26"}},
    {"NumberTypedAfterResultRepeatsOperation", "2+3=10=", {"2 + 3 = 5", "5 + 10 = 15"}},
    {"OperatorAfterResult", "2+3=*4=", {"2 + 3 = 5", "5 * 4 = 20"}},
    {"EqualsWithNothingToDoAddsNoLine", "5=2+=3=", {"2 + 3 = 5"}},
    {"ResultDropsUnappliedOperator", "2+3*=4=", {"2 + 3 = 5", "5 + 4 = 9"}},
    {"FunctionFinishedByEquals", "0,5{cmdsin}=", {"sin(0,5) = 0,479425538604203"}},
    {"PlainNumberAndEqualsAddNoLine", "5=", {}},
    {"FunctionOperand", "2+0,5{cmdsin}=", {"2 + sin(0,5) = 2,4794255386042"}},
    {"ShiftedFunctions", "1{cmdShift}{cmdsin}{cmdShift}*2=", {"arcsin(1) * 2 = 3,1415926535898"}},
    {"FunctionOfFunction", "2*9{cmdsqrt}{cmdsqr}=", {"2 * sqr(sqrt(9)) = 18"}},
    {"FactorialAndReciprocal", "5{cmdFactorial}+4{cmd1nax}=", {"5! + 1/4 = 120,25"}},
    {"FunctionAfterOperatorReadsIntermediate", "2*3+{cmdsin}=", {"2 * 3 + sin(6) = 5,72058450180107"}},
    {"SignOfTypedNumberAndOfResult", "5{cmdplusminus}+9{cmdsqrt}{cmdplusminus}=", {"-5 + -sqrt(9) = -8"}},
    {"PiAndE", "2*{cmdpi}+{cmdShift}{cmdpi}=", {"2 * π + e = 9,00146713563863"}},
    {"ExponentEntry", "2{cmdShift}{cmd1nax}{cmdplusminus}3{cmdShift}+1=", {"2E-3 + 1 = 1,002"}},
    {"ElementKeys", "{cmdFCu}+2*{cmdFO}=", {"Cu + 2 * O = 95,544"}},
    {"GroupPicture", "{cmdH2O}*2=", {"H₂O * 2 = 36,04"}},
    {"MemoryRecallAsValue", "7{cmdM1in}c2+{cmdM1R}=", {"2 + 7 = 9"}},
    {"ClearEntryKeepsOperators", "2+5{cmdce}3=", {"2 + 3 = 5"}},
    {"ClearDropsCalculation", "2+5c3*2=", {"3 * 2 = 6"}},
    {"BackspaceEditsOperand", "2+35b4=", {"2 + 34 = 36"}},
    {"ErrorAtEquals", "5/0=", {"5 / 0 = " + kError}},
    {"ErrorAtEqualsThenNothing", "5/0==", {"5 / 0 = " + kError}},
    {"ErrorWhileApplyingOperator", "5/0+1=", {"5 / 0 = " + kError}},
    {"ErrorInFunction", "2+0{cmdln}", {"2 + ln(0) = " + kError}},
    {"ErrorInFactorial", "3{cmdplusminus}{cmdFactorial}", {"(-3)! = " + kError}},
    {"ErrorInRepeatedEquals",
     "1{cmdShift}{cmd1nax}200{cmdShift}*1{cmdShift}{cmd1nax}100{cmdShift}===",
     {"1E200 * 1E100 = 1E300", "1E300 * 1E100 = " + kError}},
    {"ErrorStoringInMemory",
     "1{cmdShift}{cmd1nax}200{cmdShift}{cmdsqr}{cmdM1in}",
     {"sqr(1E200) → M1 = " + kError}},
    {"CalculationAfterError", "5/0=1+1=", {"5 / 0 = " + kError, "1 + 1 = 2"}},
};

auto Fields(const CalculatorState& s) {
  return std::make_tuple(s.EntryState, s.PendingKey, s.SimpleOp, s.ChainState, s.PowerState, s.ChainActive,
                         s.ExponentStart, s.ShiftOn, s.Accumulator, s.Factor, s.PowerBase, s.Operand,
                         s.ChainResult, s.RepeatMark, s.Memory);
}

class TapeLines : public ::testing::TestWithParam<TapeCase> {};

TEST_P(TapeLines, RecordsEachCalculation) {
  const TapeCase& c = GetParam();
  RecordingMessages messages;
  Calculator calc(&messages);
  Tape tape;
  calc.SetObserver(&tape);
  RunScript(calc, messages, c.script);
  std::vector<std::string> lines;
  for (const TapeLine& l : tape.Lines()) lines.push_back(l.Text());
  EXPECT_EQ(lines, c.lines) << c.script;
}

INSTANTIATE_TEST_SUITE_P(Scripts, TapeLines, ::testing::ValuesIn(kTapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The same script with and without a tape: same display, state and boxes.
TEST(Tape, WatchingChangesNothing) {
  for (const TapeCase& c : kTapeCases) {
    RecordingMessages alone, watched;
    Calculator a(&alone), b(&watched);
    Tape tape;
    b.SetObserver(&tape);
    RunScript(a, alone, c.script);
    RunScript(b, watched, c.script);
    EXPECT_EQ(a.Text1(), b.Text1()) << c.script;
    EXPECT_EQ(alone.lines, watched.lines) << c.script;
    EXPECT_EQ(Fields(a.Snapshot()), Fields(b.Snapshot())) << c.script;
  }
}

TEST(Tape, FormulaNamesTheEnteredMassAndPasteShowsTheValue) {
  RecordingMessages messages;
  Calculator calc(&messages);
  Tape tape;
  calc.SetObserver(&tape);
  tape.NameNextEntry("CuSO4*5H2O");
  calc.Press(Input::Entered("249,682"));
  RunScript(calc, messages, "*2+");
  calc.Press(Input::Pasted(" 1.50 "));
  calc.Press(Key::cmdis);
  ASSERT_EQ(tape.Lines().size(), 1u);
  EXPECT_EQ(tape.Lines()[0].Text(), "CuSO4*5H2O * 2 + 1,5 = 500,864");
}

TEST(Tape, PlotRunLeavesNoLinesAndItsDisplayStartsAfresh) {
  RecordingMessages messages;
  Calculator calc(&messages);
  Tape tape;
  calc.SetObserver(&tape);
  RunScript(calc, messages, "2+");
  {
    PlotRun run(calc);
    RunScript(calc, messages, "c7*3=");
  }
  RunScript(calc, messages, "+1=");
  ASSERT_EQ(tape.Lines().size(), 1u);
  EXPECT_EQ(tape.Lines()[0].Text(), "21 + 1 = 22");
}

TEST(Tape, KeepsTheLastThousandLines) {
  RecordingMessages messages;
  Calculator calc(&messages);
  Tape tape;
  calc.SetObserver(&tape);
  int added = 0;
  tape.OnLineAdded([&](const TapeLine&) { ++added; });
  RunScript(calc, messages, "1+1=");
  for (int i = 0; i < 1000; ++i) calc.Press(Key::cmdis);
  EXPECT_EQ(added, 1001);
  ASSERT_EQ(tape.Lines().size(), Tape::kCapacity);
  EXPECT_EQ(tape.Lines().front().Text(), "2 + 1 = 3");
  EXPECT_EQ(tape.Lines().back().Text(), "1001 + 1 = 1002");
}

}  // namespace
}  // namespace veltrum::testing
