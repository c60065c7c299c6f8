// Key events as an X server delivers them: a shifted character comes as a
// Shift press without text, then the character's press with Shift held,
// then both releases; a held key repeats its press. The platform builds
// every key event in the same place, so consecutive events share one
// address. Each typed character must press its key exactly once.
#include <optional>

#include <QKeyEvent>

#include "tests/calculator/window/window_fixture.h"

namespace veltrum {
namespace {

enum class Way { Plain, Keypad, Held };

struct RealCase {
  const char* name;
  Way way;
  const char* typed;
  const char* display;
};

void PrintTo(const RealCase& c, std::ostream* os) { *os << c.name; }

// One event slot reused for every event, as the platform does.
class XServer {
 public:
  explicit XServer(QWidget* to) : to_(to) {}

  void Type(char c, Way way) {
    const bool shifted = c == '+' || c == '*' || c == '^';
    const int key = c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a') : c;
    const QString text(QChar::fromLatin1(c));
    Qt::KeyboardModifiers mods = shifted ? Qt::ShiftModifier : Qt::NoModifier;
    if (way == Way::Keypad && !shifted) mods |= Qt::KeypadModifier;
    if (shifted && way != Way::Keypad) Send(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, {});
    Send(QEvent::KeyPress, key, mods, text);
    if (way == Way::Held) {
      Send(QEvent::KeyPress, key, mods, text, true);
      Send(QEvent::KeyPress, key, mods, text, true);
    }
    Send(QEvent::KeyRelease, key, mods, text);
    if (shifted && way != Way::Keypad) Send(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, {});
  }

 private:
  void Send(QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text,
            bool repeat = false) {
    event_.reset();
    event_.emplace(type, key, mods, text, repeat);
    QCoreApplication::sendEvent(to_, &*event_);
  }

  QWidget* to_;
  std::optional<QKeyEvent> event_;
};

class RealKeyboardTest : public WindowTest, public ::testing::WithParamInterface<RealCase> {};

// The keypad's + and * come without Shift; a held key presses three times.
const RealCase kReal[] = {
    {"ShiftedPlus", Way::Plain, "12+3=", "15"},       {"ShiftedPower", Way::Plain, "2^10=", "1024"},
    {"ShiftedTimes", Way::Plain, "6*7=", "42"},       {"ShiftedAfterUnshifted", Way::Plain, "8-2*3+1=", "3"},
    {"Keypad", Way::Keypad, "12+3*2-4/2=", "16"},     {"HeldDigitRepeats", Way::Held, "1", "111"},
    {"HeldPlusStaysOnePlus", Way::Held, "2+", "222"},
};

TEST_P(RealKeyboardTest, EachCharacterPressesItsKeyOnce) {
  for (const char* name : {"Form1", "Text1", "cmd5", "optGrad", "txtM2"}) {
    QWidget* focused = form->objectName() == name ? form.get() : Find(name);
    ASSERT_NE(focused, nullptr);
    QTest::mouseClick(Button("cmdon"), Qt::LeftButton);
    XServer server(focused);
    for (const char* c = GetParam().typed; *c; ++c) server.Type(*c, GetParam().way);
    EXPECT_EQ(Display(), GetParam().display) << "typed into " << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Keyboard, RealKeyboardTest, ::testing::ValuesIn(kReal),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veltrum
