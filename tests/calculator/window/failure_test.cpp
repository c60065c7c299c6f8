// Failed calculations show their message and the window goes on; an error
// that escapes a key handler is shown in the error box.
#include "tests/calculator/window/window_fixture.h"
#include "version.h"

namespace veltrum {
namespace {

const std::string kCalcError = "Error: Произошла ошибка в вычислениях.";

struct FailureCase {
  const char* name;
  const char* trace;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class CalcErrorTest : public WindowTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CalcErrorTest, ShowsMessageAndZero) {
  ClickTrace(GetParam().trace);
  EXPECT_EQ(dialogs.Take(), std::vector<std::string>{kCalcError}) << GetParam().trace;
  EXPECT_EQ(Display(), "0");
  ClickTrace("2 + 2 =");  // the window goes on
  EXPECT_EQ(Display(), "4");
  EXPECT_TRUE(dialogs.lines.empty());
}

const FailureCase kFailures[] = {
    {"DivisionByZero", "5 / 0 ="},
    {"FactorialBeyondDoubleRange", "1 7 1 cmdFactorial"},
    {"FactorialOfNegative", "1 cmdplusminus cmdFactorial"},
    {"LogarithmOfZero", "cmdln"},
    {"CotangentOfZero", "cmdctg"},
    {"ArcsineBeyondOne", "cmdShift 2 cmdsin cmdShift"},
};
INSTANTIATE_TEST_SUITE_P(Failures, CalcErrorTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, StoringBeyondDoubleRangeKeepsRegister) {
  ClickTrace("3 cmdM1in 1 cmdShift cmd1nax 2 0 0 cmdShift cmdsqr");
  EXPECT_EQ(Display(), "1E400");
  ClickTrace("cmdM1in");
  EXPECT_EQ(dialogs.Take(), std::vector<std::string>{kCalcError});
  EXPECT_EQ(Display(), "0");
  EXPECT_EQ(Memo(1), "3");
}

// Backspace leaves an exponent text that does not convert: the error escapes
// the key's handler and is reported in the error box, with a full stop.
TEST_F(WindowTest, EscapingErrorShowsErrorBox) {
  QTest::keyClicks(form.get(), "1");
  ClickTrace("cmdShift cmd1nax");
  QTest::keyClicks(form.get(), "50001");
  EXPECT_EQ(Display(), "1E50001");
  QTest::keyClick(form.get(), Qt::Key_Backspace);
  EXPECT_EQ(dialogs.Take(),
            std::vector<std::string>{std::string(kApplicationTitle) + ": '1E5000' is not a valid floating point value."});
  EXPECT_EQ(Display(), "1E5000");
  QTest::keyClicks(form.get(), "c2+2=");
  EXPECT_EQ(Display(), "4");
  EXPECT_TRUE(dialogs.lines.empty());
}

TEST_F(WindowTest, EscapingErrorFromClickedBackspace) {
  ClickTrace("1 cmdShift cmd1nax 5 0 0 0 1 cmdBackSpace");
  EXPECT_EQ(dialogs.Take(),
            std::vector<std::string>{std::string(kApplicationTitle) + ": '1E5000' is not a valid floating point value."});
}

}  // namespace
}  // namespace veltrum
