// Key traces clicked on the real buttons of the window, with the display a
// person reads afterwards.
#include "tests/calculator/window/window_fixture.h"

namespace veltrum {
namespace {

struct ClickCase {
  const char* name;
  const char* trace;
  const char* display;
  bool showTable = false;  // element keys are clicked with the table shown
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class ClickTraceTest : public WindowTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickTraceTest, ShowsDisplay) {
  const ClickCase& c = GetParam();
  if (c.showTable) form->N2Click();
  ClickTrace(c.trace);
  EXPECT_EQ(Display(), c.display) << c.trace;
  EXPECT_TRUE(dialogs.lines.empty()) << dialogs.lines.front();
}

const ClickCase kEntry[] = {
    {"LeadingZerosAreNotTyped", "0 0 7", "7"},
    {"TrailingZerosAreTyped", "7 0 0", "700"},
    {"CommaFirstTypesZero", ", 5", "0,5"},
    {"SecondCommaIsIgnored", "5 , , 3", "5,3"},
    {"BackspaceRemovesLastDigit", "1 2 3 cmdBackSpace cmdBackSpace", "1"},
    {"BackspaceOnResultDoesNothing", "1 2 + 3 = cmdBackSpace", "15"},
    {"BackspaceToZeroStartsNewNumber", "0 , 5 cmdBackSpace 7", "7"},
    {"ClearResets", "1 2 + 3 cmdon", "0"},
    {"ClearEntryForgetsPendingOperator", "2 + cmdce 3 + 1 =", "4"},
};
INSTANTIATE_TEST_SUITE_P(Entry, ClickTraceTest, ::testing::ValuesIn(kEntry),
                         [](const auto& info) { return std::string(info.param.name); });

const ClickCase kChain[] = {
    {"Sum", "1 2 + 3 =", "15"},
    {"ProductBeforeSum", "2 + 3 * 4 =", "14"},
    {"SumAfterProduct", "2 * 3 + 4 =", "10"},
    {"PowerAboveProductAboveSum", "2 + 3 * 2 ^ 3 =", "26"},
    {"Quotient", "1 0 / 4 =", "2,5"},
    {"RepeatedEquals", "2 + 3 = = =", "11"},
    {"ShiftedPowerKeyIsRoot", "2 7 cmdShift ^ 3 =", "3"},
};
INSTANTIATE_TEST_SUITE_P(Chain, ClickTraceTest, ::testing::ValuesIn(kChain),
                         [](const auto& info) { return std::string(info.param.name); });

const ClickCase kFunctions[] = {
    {"Square", "3 cmdplusminus cmdsqr", "9"},
    {"SquareRoot", "9 cmdsqrt", "3"},
    {"Reciprocal", "4 cmd1nax", "0,25"},
    {"Factorial", "5 cmdFactorial", "120"},
    {"Pi", "cmdpi", "3,14159265358979"},
    {"ShiftedPiIsE", "cmdShift cmdpi", "2,71828182845905"},
    {"DecimalLogarithm", "1 0 0 0 cmdlg", "3"},
    {"ShiftedLogarithmIsPowerOfTen", "cmdShift 3 cmdlg", "1000"},
    {"SineInDegrees", "optGrad 3 0 cmdsin", "0,5"},
    {"CosineInDegrees", "optGrad 6 0 cmdcos", "0,5"},
    {"TangentInDegrees", "optGrad 4 5 cmdtg", "1"},
    {"ArcsineInDegrees", "optGrad cmdShift 1 cmdsin", "90"},
    {"ArccotangentOfZeroInDegrees", "optGrad cmdShift 0 cmdctg", "90"},
    {"ArccotangentOfZeroInRadians", "cmdShift 0 cmdctg", "1,5707963267949"},
    {"RadiansAfterDegrees", "optGrad optRad cmdShift 1 cmdsin", "1,5707963267949"},
    {"ShiftStaysOn", "cmdShift 1 cmdlg cmdlg", "10000000000"},
    {"ExponentEntry", "2 cmdShift cmd1nax 3", "2E3"},
    {"ExponentEntryReadsAsNumber", "2 cmdShift cmd1nax 3 cmdShift + 1 =", "2001"},
    {"SignWhileTyping", "1 2 cmdplusminus 3", "-123"},
};
INSTANTIATE_TEST_SUITE_P(Functions, ClickTraceTest, ::testing::ValuesIn(kFunctions),
                         [](const auto& info) { return std::string(info.param.name); });

const ClickCase kMemory[] = {
    {"RecallUntouchedRegister", "5 cmdM2R", "0"},
    {"StoreAddSubtractRecall", "5 cmdM1in 3 cmdM1plus 2 cmdM1minus cmdon cmdM1R", "6"},
    {"RecallAppliesPendingOperator", "4 cmdM3in 2 + cmdM3R =", "6"},
    {"DigitAfterRecallStartsNewNumber", "7 cmdM1in cmdM1R 5", "5"},
};
INSTANTIATE_TEST_SUITE_P(Memory, ClickTraceTest, ::testing::ValuesIn(kMemory),
                         [](const auto& info) { return std::string(info.param.name); });

const ClickCase kElements[] = {
    {"ElementShowsMass", "cmdFC", "12,011", true},
    {"DigitAfterElementStartsNewNumber", "cmdFC 5", "5", true},
    {"MolarMassOfWater", "cmdFH * 2 + cmdFO =", "18,0148", true},
    {"PlusIsAppliedBeforeElement", "2 + cmdFTc =", "101", true},
    {"SideColumnTwin", "cmdFC2", "12,011", true},
    {"LastSideKey", "cmdFK2", "39,098", true},
    {"GroupPicture", "cmdH2O", "18,02", true},
    {"GroupPictureInSum", "cmdOCOCH + cmdOCH =", "90,07", true},
    {"ShiftDoesNotChangeElements", "cmdShift cmdFI", "126,9", true},
};
INSTANTIATE_TEST_SUITE_P(Elements, ClickTraceTest, ::testing::ValuesIn(kElements),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, MemoryDisplaysFollowTheirRegisters) {
  ClickTrace("5 cmdM1in 3 cmdM1plus 2 cmdM1minus 1 , 5 cmdM3in cmdM2plus");
  EXPECT_EQ(Memo(1), "6");
  EXPECT_EQ(Memo(2), "1,5");
  EXPECT_EQ(Memo(3), "1,5");
}

TEST_F(WindowTest, ShiftKeyCaptionToggles) {
  EXPECT_EQ(Button("cmdShift")->text(), "2F: OFF");
  ClickTrace("cmdShift");
  EXPECT_EQ(Button("cmdShift")->text(), "2F: ON");
  ClickTrace("cmdShift");
  EXPECT_EQ(Button("cmdShift")->text(), "2F: OFF");
}

TEST_F(WindowTest, AngleOptionsAreExclusive) {
  auto* grad = Button("optGrad");
  auto* rad = Button("optRad");
  EXPECT_TRUE(rad->isChecked());
  ClickTrace("optGrad");
  EXPECT_TRUE(grad->isChecked());
  EXPECT_FALSE(rad->isChecked());
  EXPECT_FALSE(form->calculator().Radians());
}

TEST_F(WindowTest, StartsCleared) {
  EXPECT_EQ(Display(), "0");
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(Memo(n), "0");
  EXPECT_TRUE(Button("optRad")->isChecked());
  EXPECT_EQ(Button("cmdShift")->text(), "2F: OFF");
}

// The plot window drives the core directly with the view detached, then
// asks the window to show the core's state again.
TEST_F(WindowTest, RefreshShowsWhatTheCoreDidWithoutTheView) {
  Calculator& calc = form->calculator();
  calc.SetView(nullptr);
  for (Key k : {Key::cmd7, Key::cmdM2in, Key::cmdShift, Key::optGrad}) calc.Press(k);
  EXPECT_EQ(Display(), "0");
  form->RefreshFromCalculator();
  EXPECT_EQ(Display(), "7");
  EXPECT_EQ(Memo(2), "7");
  EXPECT_EQ(Button("cmdShift")->text(), "2F: ON");
  EXPECT_TRUE(Button("optGrad")->isChecked());
  ClickTrace("1");  // the view is attached again
  EXPECT_EQ(Display(), "1");
}

}  // namespace
}  // namespace veltrum
