// Number entry: digits, 0, comma, backspace, C and CE.
#include "calculator/trace.h"
#include "version.h"

namespace veltrum::testing {
namespace {

const TraceCase kEntry[] = {
    {"LeadingZerosAreNotTyped", "007", "7"},
    {"TrailingZerosAreTyped", "700", "700"},
    {"CommaFirstStartsWithZero", ",5", "0,5"},
    {"SecondCommaOnlyKeepsTyping", "5,,3", "5,3"},
    {"CommaAfterCommaTypedNumber", "1,5,2", "1,52"},
    {"PointTypesTheComma", "1.5", "1,5"},
    {"CommaIgnoredInScientificResult", "1{cmdShift}{cmd1nax}20{cmdShift}=,", "1E20"},
    {"DigitReplacesScientificResult", "1{cmdShift}{cmd1nax}20{cmdShift}=,5", "5"},
    {"BackspaceRemovesLastDigit", "123b", "12"},
    {"BackspaceTwice", "123bb", "1"},
    {"BackspaceToZero", "123bbb", "0"},
    {"BackspaceToZeroStartsNewNumber", "123bbb7", "7"},
    {"BackspaceKeyCharacter", "123\b", "12"},
    {"BackspaceOnResultDoesNothing", "2+3=b", "5"},
    {"BackspaceWhileOperatorWaits", "12+b", "12"},
    {"BackspaceToZeroCommaStartsNewNumber", "0,5b7", "7"},
    {"BackspaceLeavesZeroComma", "0,5b", "0,"},
    {"BackspaceOnNegativeDigitShowsZero", "5{cmdplusminus}b", "0"},
    {"BackspaceOnNegativeDigitThenDigit", "5{cmdplusminus}b7", "7"},
    {"CeForgetsPendingOperator", "2+e3", "3"},
    {"CeForgetsPendingOperatorForEquals", "2+e3=", "3"},
    {"CeKeepsChain", "2+3e4=", "6"},
    {"CResetsChain", "2+3c4=", "4"},
    {"UpperCaseLettersIgnored", "12BCEFx", "12"},
    {"DigitAfterOperatorAppliesIt", "2+3", "3"},
    {"EqualsAtStartKeepsZero", "=", "0"},
    {"DigitAfterEqualsAtStart", "=5", "5"},
};

VELTRUM_TRACE_SUITE(EntryTrace, kEntry);

TEST(EntryState, StartsAsAfterWindowCreation) {
  Calculator calc;
  EXPECT_EQ(calc.Text1(), "0");
  EXPECT_EQ(calc.Snapshot().EntryState, 0);
  EXPECT_EQ(calc.Snapshot().RepeatMark, 0.0);
  EXPECT_TRUE(calc.Radians());
  EXPECT_EQ(calc.ShiftCaption(), "2F: OFF");
}

TEST(EntryState, BackspaceOnUnreadableTextEscapesAsErrorBox) {
  const TraceResult r = Trace("1{cmdShift}{cmd1nax}50001b");
  EXPECT_EQ(r.display, "1E5000");
  EXPECT_EQ(r.messages, std::vector<std::string>{std::string(kApplicationTitle) +
                                                 ": '1E5000' is not a valid floating point value."});
}

// A Key past the key table (a cast from a wrong number) is refused at the
// door: nothing changes, and no element row past the table is read.
TEST(EntryState, AKeyOutsideTheKeyTableIsRefused) {
  Calculator calc;
  calc.Press(Key::cmd7);
  calc.Press(Key::cmdplus);
  const std::uint64_t inputs = calc.InputCount();
  for (int k : {KeyCount(), KeyCount() + 1, 0xFFFF}) EXPECT_FALSE(calc.Press(static_cast<Key>(k))) << k;
  EXPECT_EQ(calc.InputCount(), inputs);
  calc.Press(Key::cmd2);
  calc.Press(Key::cmdis);
  EXPECT_EQ(calc.Text1(), "9");
}

TEST(EntryState, LongTypedNumbersKeepEveryDigit) {
  const std::string digits(150, '7');
  EXPECT_EQ(Trace(digits).display, digits);
  EXPECT_EQ(Trace(digits + "b").display, digits.substr(1));
  EXPECT_EQ(Trace(digits + ",5").display, digits + ",5");
}

}  // namespace
}  // namespace veltrum::testing
