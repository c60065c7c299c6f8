// Characters typed anywhere in the window press the keys of the keyboard
// map, once each, and still reach the focused control.
#include <QApplication>
#include <QKeyEvent>

#include "tests/calculator/window/window_fixture.h"

namespace veltrum {
namespace {

using namespace Qt::StringLiterals;

struct TypedCase {
  const char* name;
  const char* typed;
  const char* display;
};

void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.name; }

class TypedTraceTest : public WindowTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedTraceTest, ShowsDisplay) {
  QTest::keyClicks(form.get(), GetParam().typed);
  EXPECT_EQ(Display(), GetParam().display) << GetParam().typed;
}

const TypedCase kTyped[] = {
    {"Sum", "12+3=", "15"},
    {"FullStopIsComma", "1.5", "1,5"},
    {"CommaIsComma", "1,5", "1,5"},
    {"Chain", "8/2-1*3=", "1"},
    {"Power", "2^10=", "1024"},
    {"ShiftThenPowerIsRoot", "27f^3=", "3"},
    {"LowerBIsBackspace", "123b", "12"},
    {"LowerCIsClear", "12+3c", "0"},
    {"LowerEIsClearEntry", "2+e3+1=", "4"},
    {"UpperBChangesNothing", "12B", "12"},
    {"UpperCChangesNothing", "12C", "12"},
    {"OtherLettersChangeNothing", "5xyzE", "5"},
    {"SpaceChangesNothing", "5 6", "56"},
};
INSTANTIATE_TEST_SUITE_P(Keyboard, TypedTraceTest, ::testing::ValuesIn(kTyped),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, LowerFTogglesShift) {
  QTest::keyClicks(form.get(), "f");
  EXPECT_EQ(Button("cmdShift")->text(), "2F: ON");
  QTest::keyClicks(form.get(), "f");
  EXPECT_EQ(Button("cmdShift")->text(), "2F: OFF");
  QTest::keyClicks(form.get(), "F");
  EXPECT_EQ(Button("cmdShift")->text(), "2F: OFF");
}

// A key typed in the Russian layout: the key code of the Latin letter on
// the same physical key, the Cyrillic character as text.
void TypeRussian(QWidget* w, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}

TEST_F(WindowTest, RussianLayoutKeysActAsTheirLatinLetters) {
  QTest::keyClicks(form.get(), "123");
  TypeRussian(form.get(), Qt::Key_B, u"и"_s);  // b: backspace
  EXPECT_EQ(Display(), "12");
  TypeRussian(form.get(), Qt::Key_F, u"а"_s);  // f: shift
  EXPECT_EQ(Button("cmdShift")->text(), "2F: ON");
  TypeRussian(form.get(), Qt::Key_F, u"А"_s);  // capitals stay ignored
  EXPECT_EQ(Button("cmdShift")->text(), "2F: ON");
  QTest::keyClicks(form.get(), "+5");
  TypeRussian(form.get(), Qt::Key_E, u"у"_s);  // e: clear entry
  EXPECT_EQ(Display(), "0");
  TypeRussian(form.get(), Qt::Key_C, u"с"_s);  // c: clear
  QTest::keyClicks(form.get(), "7=");
  EXPECT_EQ(Display(), "7");
}

TEST_F(WindowTest, ReturnAndKeypadEnterPressEquals) {
  QTest::keyClicks(form.get(), "2+3");
  QTest::keyClick(form.get(), Qt::Key_Return);
  EXPECT_EQ(Display(), "5");
  QTest::keyClick(form.get(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Display(), "8");
}

TEST_F(WindowTest, BackspaceKeyDeletesLastDigit) {
  QTest::keyClicks(form.get(), "123");
  QTest::keyClick(form.get(), Qt::Key_Backspace);
  EXPECT_EQ(Display(), "12");
}

TEST_F(WindowTest, ControlChordTypesNoCharacter) {
  QTest::keyClicks(form.get(), "123");
  QTest::keyClick(form.get(), Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Display(), "123");
}

// Whichever control has the focus, each character presses its key once,
// although Qt offers an unused key event to every parent in turn.
TEST_F(WindowTest, EachFocusedControlPassesCharactersOnce) {
  for (const char* name : {"Text1", "cmd5", "optGrad", "cmdFH", "txtM2"}) {
    QWidget* focused = Find(name);
    QTest::keyClicks(focused, "c12+3=");
    EXPECT_EQ(Display(), "15") << name;
  }
}

// The character is not swallowed: the focused control gets it after the
// window has pressed the key.
TEST_F(WindowTest, CharacterStillReachesFocusedControl) {
  struct Counter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress) ++presses;
      return false;
    }
  } counter;
  QWidget* text1 = Find("Text1");
  text1->installEventFilter(&counter);
  QTest::keyClicks(text1, "7x");
  EXPECT_EQ(counter.presses, 2);
  EXPECT_EQ(Display(), "7");
}

TEST_F(WindowTest, CharactersTypedInAnotherWindowPressNothing) {
  QLineEdit other;
  other.show();
  QTest::keyClicks(&other, "42");
  EXPECT_EQ(other.text(), "42");
  EXPECT_EQ(Display(), "0");
}

TEST_F(WindowTest, DisabledWindowTakesNoCharacters) {
  form->setEnabled(false);
  QTest::keyClicks(form.get(), "42");
  EXPECT_EQ(Display(), "0");
}

}  // namespace
}  // namespace veltrum
