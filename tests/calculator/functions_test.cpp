// Function keys, shift, angle unit, memory registers, element keys and the
// keyboard map, all through key traces.
#include <cmath>

#include "number/number_text.h"
#include "calculator/trace.h"

namespace veltrum::testing {
namespace {

const TraceCase kFunctions[] = {
    {"Square", "2{cmdsqr}", "4"},
    {"SquareOfNegative", "3{cmdplusminus}{cmdsqr}", "9"},
    {"SquareBeyondDoubleIsShown", "1{cmdShift}{cmd1nax}200{cmdShift}{cmdsqr}", "1E400"},
    {"SquareRoot", "9{cmdsqrt}", "3"},
    {"SquareRootOfNegativeFails", "9{cmdplusminus}{cmdsqrt}", "0", true},
    {"Reciprocal", "4{cmd1nax}", "0,25"},
    {"ReciprocalOfZeroFails", "0{cmd1nax}", "0", true},
    {"ExponentEntry", "2f{cmd1nax}3", "2E3"},
    {"ExponentEntryReadsAsNumber", "2f{cmd1nax}3f+0=", "2000"},
    {"NegativeExponentEntry", "5f{cmd1nax}{cmdplusminus}2", "5E-2"},
    {"SecondSignAfterExponentAppendsNothing", "5f{cmd1nax}{cmdplusminus}{cmdplusminus}2", "5E-2"},
    {"ZeroRightAfterExponentMarkIgnored", "5f{cmd1nax}02", "5E2"},
    {"ExponentEntryOnResultDoesNothing", "2+3=f{cmd1nax}", "5"},
    {"SignOfZero", "0{cmdplusminus}", "0"},
    {"SignWhileTyping", "12{cmdplusminus}3", "-123"},
    {"SignOnTypedExponentDoesNothing", "5f{cmd1nax}3f{cmdplusminus}", "5E3"},
    {"SignOnScientificResultDoesNothing", "1{cmdShift}{cmd1nax}20{cmdShift}={cmdplusminus}", "1E20"},
    {"Factorial", "5{cmdFactorial}", "120"},
    {"FactorialOfZero", "0{cmdFactorial}", "1"},
    {"FactorialIgnoresFraction", "3,7{cmdFactorial}", "6"},
    {"FactorialLargest", "170{cmdFactorial}", "7,25741561530799E306"},
    {"FactorialBeyondDoubleFails", "171{cmdFactorial}", "0", true},
    {"FactorialOfNegativeFails", "1{cmdplusminus}{cmdFactorial}", "0", true},
    {"Pi", "{cmdpi}", "3,14159265358979"},
    {"E", "f{cmdpi}", "2,71828182845905"},
    {"PiReplacesTypedNumber", "2{cmdpi}", "3,14159265358979"},
    {"DigitAfterPiStartsNewNumber", "{cmdpi}2", "2"},
    {"LnOfZeroFails", "0{cmdln}", "0", true},
    {"LnOfNegativeFails", "1{cmdplusminus}{cmdln}", "0", true},
    {"ExpOfOne", "1f{cmdln}", "2,71828182845905"},
    {"ExpBeyondExtendedFails", "20000f{cmdln}", "0", true},
    {"Lg", "1000{cmdlg}", "3"},
    {"TenToThePower", "3f{cmdlg}", "1000"},
    {"TenToNegativePower", "2{cmdplusminus}f{cmdlg}", "0,01"},
    {"LgOfZeroFails", "0{cmdlg}", "0", true},
    {"SineInDegrees", "{optGrad}30{cmdsin}", "0,5"},
    {"CosineInDegrees", "{optGrad}60{cmdcos}", "0,5"},
    {"TangentInDegrees", "{optGrad}45{cmdtg}", "1"},
    {"CotangentOfZeroFails", "{optGrad}0{cmdctg}", "0", true},
    {"ArcCotangentOfZeroInDegrees", "{optGrad}0f{cmdctg}", "90"},
    {"ArcCotangentOfZeroInRadians", "0f{cmdctg}", "1,5707963267949"},
    {"ArcCotangentOfNegativeIsNegative", "{optGrad}1{cmdplusminus}f{cmdctg}", "-45"},
    {"ArcSineOutsideDomainFails", "{optGrad}2f{cmdsin}", "0", true},
    {"ArcCosineOfOneInDegrees", "{optGrad}1f{cmdcos}", "0"},
    {"ArcTangentInDegrees", "{optGrad}1f{cmdtg}", "45"},
    {"RadiansAgainAfterDegrees", "{optGrad}{optRad}0,5{cmdsin}", "0,479425538604203"},
    {"SineOfHugeArgument", "1f{cmd1nax}22f{cmdsin}", "-0,852200849767189"},
    {"CosineOfHugeArgument", "1f{cmd1nax}22f{cmdcos}", "0,523214785395139"},
    {"TangentOfHugeArgument", "1f{cmd1nax}22f{cmdtg}", "-1,6287782256069"},
    {"ShiftedKeysStayShifted", "f1{cmdsin}{cmdShift}{cmdsin}", "1"},
    {"FunctionAppliesPendingOperator", "2+9{cmdsqrt}", "3"},
    {"FunctionFailureResetsChain", "2+0{cmd1nax}=", "0", true},
};

VELTRUM_TRACE_SUITE(FunctionTrace, kFunctions);

TEST(Shift, CaptionFollowsTheShift) {
  Calculator calc;
  calc.Press(Key::cmdShift);
  EXPECT_EQ(calc.ShiftCaption(), "2F: ON");
  calc.Press(Key::cmdon);  // C leaves the shift alone
  EXPECT_EQ(calc.ShiftCaption(), "2F: ON");
  calc.Press(Key::cmdShift);
  EXPECT_EQ(calc.ShiftCaption(), "2F: OFF");
}

TEST(Shift, ArcSineThenArcCosineOfTheResult) {
  const std::string expected = NumberText(std::acos(std::asin(0.5L)));
  EXPECT_EQ(Trace("f0,5{cmdsin}{cmdcos}").display, expected);
}

const TraceCase kMemory[] = {
    {"RecallUntouchedRegister", "{cmdM2R}", "0"},
    {"StoreAddSubtractRecall", "5{cmdM1in}3{cmdM1plus}2{cmdM1minus}{cmdM1R}", "6"},
    {"DigitAfterRecallStartsNewNumber", "5{cmdM1in}{cmdM1R}7", "7"},
    {"RecallAppliesPendingOperator", "5{cmdM1in}c2+{cmdM1R}=", "7"},
    {"StoreKeepsPendingOperator", "2+{cmdM1in}3=", "5"},
    {"StoreBeyondDoubleFails", "1{cmdShift}{cmd1nax}200{cmdShift}{cmdsqr}{cmdM1in}", "0", true},
};

VELTRUM_TRACE_SUITE(MemoryTrace, kMemory);

TEST(Memory, RegistersAreIndependentAndShowTheirTexts) {
  RecordingMessages messages;
  Calculator calc(&messages);
  RunScript(calc, messages, "5{cmdM1in}3{cmdM1plus}2{cmdM1minus}7{cmdM2plus}0,5{cmdM3minus}");
  EXPECT_EQ(calc.MemoryText(0), "6");
  EXPECT_EQ(calc.MemoryText(1), "7");
  EXPECT_EQ(calc.MemoryText(2), "-0,5");
  EXPECT_EQ(calc.Snapshot().Memory[0], 6.0);
}

TEST(Memory, FailedStoreKeepsRegisterAndText) {
  RecordingMessages messages;
  Calculator calc(&messages);
  RunScript(calc, messages, "4{cmdM1in}1{cmdShift}{cmd1nax}200{cmdShift}{cmdsqr}{cmdM1in}");
  EXPECT_EQ(calc.MemoryText(0), "4");
  EXPECT_EQ(calc.Snapshot().Memory[0], 4.0);
  EXPECT_EQ(messages.lines, std::vector<std::string>{kCalcError});
}

const TraceCase kElements[] = {
    {"CarbonMass", "{cmdFC}", "12,011"},
    {"DigitAfterMassStartsNewNumber", "{cmdFC}5", "5"},
    {"MolarMassOfWater", "{cmdFH}*2+{cmdFO}=", "18,0148"},
    {"MassAppliesPendingOperator", "2+{cmdFTc}=", "101"},
    {"SideColumnTwin", "{cmdFC2}", "12,011"},
    {"TelluriumBeforeIodine", "{cmdFTe}", "127,6"},
    {"Iodine", "{cmdFI}", "126,9"},
    {"WaterGroup", "{cmdH2O}", "18,02"},
    {"SameTextAfterResultIsNewOperand", "{cmdFC}+0={cmdFC}=", "24,022"},
};

VELTRUM_TRACE_SUITE(ElementTrace, kElements);

const TraceCase kKeyboard[] = {
    {"TypedSum", "12+3=", "15"},
    {"TypedPointIsComma", "1.5", "1,5"},
    {"TypedBackspaceLetter", "12b", "1"},
    {"TypedUpperCaseBIgnored", "12B", "12"},
    {"TypedCClears", "12c", "0"},
    {"TypedEClearsEntry", "12+3e=", "12"},
    {"OtherCharactersIgnored", "1x2 C3", "123"},
};

VELTRUM_TRACE_SUITE(KeyboardTrace, kKeyboard);

TEST(Keyboard, ShiftCharacterTogglesCaption) {
  RecordingMessages messages;
  Calculator calc(&messages);
  RunScript(calc, messages, "f");
  EXPECT_EQ(calc.ShiftCaption(), "2F: ON");
  RunScript(calc, messages, "f");
  EXPECT_EQ(calc.ShiftCaption(), "2F: OFF");
}

TEST(Keyboard, MapsOnlyItsCharacters) {
  int mapped = 0;
  for (int c = 0; c < 256; ++c)
    if (KeyForChar(static_cast<char>(c))) ++mapped;
  EXPECT_EQ(mapped, 23);  // 10 digits, ",", ".", + - * / ^ =, b c e f, backspace
  EXPECT_EQ(KeyForChar('\b'), Key::cmdBackSpace);
  EXPECT_EQ(KeyForChar('F'), std::nullopt);
}

}  // namespace
}  // namespace veltrum::testing

namespace veltrum::testing {
namespace {

struct PasteRow {
  const char* before;
  const char* pasted;
  const char* display;  // nullptr: refused, the display unchanged
};

TEST(Paste, AcceptsNumbersWithCommaOrPointAndEntersThemAsAKey) {
  const PasteRow rows[] = {
      {"", "12,5", "12,5"},   {"", " 3.25 ", "3,25"}, {"", "-0.5", "-0,5"}, {"", "1e3", "1000"},
      {"", "007", "7"},       {"", "1,50", "1,5"},    {"2+", "3", "3"},     {"", "abc", nullptr},
      {"", "1,2.3", nullptr}, {"", "", nullptr},      {"", "1 2", nullptr}, {"", "1E5000", nullptr},
  };
  for (const PasteRow& r : rows) {
    RecordingMessages messages;
    Calculator calc(&messages);
    RunScript(calc, messages, r.before);
    const std::string before = calc.Text1();
    const bool accepted = calc.Press(Input::Pasted(r.pasted));
    EXPECT_EQ(accepted, r.display != nullptr) << r.pasted;
    EXPECT_EQ(calc.Text1(), r.display ? r.display : before) << r.pasted;
  }
  Calculator calc;
  RecordingMessages messages;
  RunScript(calc, messages, "2+");
  calc.Press(Input::Pasted("3"));
  RunScript(calc, messages, "=");
  EXPECT_EQ(calc.Text1(), "5");
  calc.Press(Input::Pasted("12"));
  RunScript(calc, messages, "5");
  EXPECT_EQ(calc.Text1(), "5");  // a pasted number is finished: 5 starts anew
}

}  // namespace
}  // namespace veltrum::testing
