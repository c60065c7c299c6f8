// The built window against its design: every control exists with its
// caption, place, size, font and hint, and every key of the core has its
// control.
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "calculator/window/layout.h"
#include "elements/elements.h"
#include "tests/calculator/window/window_fixture.h"
#include "tests/support/frame_line.h"

namespace veltrum {

void PrintTo(const CalcControlRow& row, std::ostream* os) { *os << row.name; }
void PrintTo(const ElementKeyInfo& e, std::ostream* os) { *os << e.name; }

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString CaptionOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return {};
}

class LayoutRowTest : public WindowTest, public ::testing::WithParamInterface<CalcControlRow> {};

TEST_P(LayoutRowTest, BuiltAsDesigned) {
  const CalcControlRow& row = GetParam();
  QWidget* w = Find(Q(row.name));
  ASSERT_NE(w, nullptr);
  const QString parent = row.parent.empty() ? QString("Form1Client") : Q(row.parent);
  EXPECT_EQ(w->parentWidget()->objectName(), parent);
  EXPECT_EQ(w->geometry(), QRect(row.left, row.top, row.width, row.height));
  EXPECT_EQ(w->toolTip(), Q(row.hint));
  if (row.kind != CalcControlKind::Picture && row.kind != CalcControlKind::Display) {
    EXPECT_EQ(CaptionOf(w), Q(row.caption));
  }
  EXPECT_EQ(w->font().pixelSize(), row.pixels);
  EXPECT_EQ(w->font().bold(), row.bold);
}

INSTANTIATE_TEST_SUITE_P(Calculator, LayoutRowTest, ::testing::ValuesIn(CalculatorControls()),
                         [](const auto& info) { return std::string(info.param.name); });

class ElementKeyTest : public WindowTest, public ::testing::WithParamInterface<ElementKeyInfo> {};

TEST_P(ElementKeyTest, PlacedFromElementTable) {
  const ElementKeyInfo& e = GetParam();
  QAbstractButton* key = Button(Q(e.name));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->parentWidget()->objectName(), "Form1Client");
  EXPECT_EQ(key->geometry(), QRect(e.left, e.top, e.width, e.height));
  EXPECT_EQ(key->text(), Q(e.caption));
  EXPECT_EQ(key->toolTip(), Q(e.hint));
  if (e.place != ElementPlace::Group) {
    EXPECT_EQ(key->font().pixelSize(), 19);
    EXPECT_TRUE(key->font().bold());
    EXPECT_EQ(key->font().families().value(0), "Arial Narrow");
  }
  // Table keys lie inside the frame, the side column and the pictures
  // outside it.
  const QRect frame(kTableFrameLeft, kTableFrameTop, kTableFrameWidth, kTableFrameHeight);
  EXPECT_EQ(frame.contains(key->geometry()), e.place == ElementPlace::Table);
}

INSTANTIATE_TEST_SUITE_P(Elements, ElementKeyTest, ::testing::ValuesIn(Elements()),
                         [](const auto& info) { return std::string(info.param.name); });

// A few places as a person measures them on the window, not on the group.
struct WindowPlace {
  const char* name;
  QRect rect;
};

// The memory frame's top line runs through its caption, above the labels
// M1 to M3 that start 16 pixels below the frame's top.
TEST_F(WindowTest, MemoryFrameDrawsItsTopLineThroughTheCaption) {
  auto* frame = Find<QGroupBox>("GroupBox2");
  const int row = FirstLineRow(*frame, frame->width() - 6, 16);
  EXPECT_GE(row, 0);
  EXPECT_LE(row, CaptionMiddle(*frame) + 1);
}

TEST_F(WindowTest, PlacesInWindowCoordinates) {
  const WindowPlace places[] = {
      {"cmdShift", {96, 64, 81, 25}},   {"cmdM3R", {256, 304, 33, 33}},
      {"optRad", {16, 72, 73, 17}},     {"Label1", {16, 360, 28, 22}},
      {"txtM3", {56, 424, 233, 25}},    {"Image1", {264, 80, 19, 24}},
      {"cmdFK2", {312, 416, 33, 33}},   {"cmdH2O", {552, 424, 35, 18}},
  };
  QWidget* client = form->centralWidget();
  for (const WindowPlace& p : places) {
    QWidget* w = Find(p.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(QRect(w->mapTo(client, QPoint(0, 0)), w->size()), p.rect) << p.name;
  }
}

TEST_F(WindowTest, EveryKeyOfTheCoreHasItsControl) {
  for (int i = 0; i < KeyCount(); ++i) {
    const std::string_view name = KeyName(static_cast<Key>(i));
    EXPECT_NE(form->findChild<QAbstractButton*>(Q(name)), nullptr) << name;
  }
}

TEST_F(WindowTest, GlyphCaptions) {
  EXPECT_EQ(Button("cmdpi")->text(), "π");
  EXPECT_EQ(Button("cmdsqrt")->text(), "√");
  EXPECT_EQ(Button("cmdBackSpace")->text(), "⇐");
  EXPECT_EQ(Button("cmdM2in")->text(), "M2↑");
  for (const char* name : {"cmdpi", "cmdsqrt", "cmdBackSpace", "cmdM1in"}) {
    QAbstractButton* b = Button(name);
    const QFontMetrics metrics(b->font());
    for (QChar c : b->text()) EXPECT_TRUE(metrics.inFont(c)) << name;
  }
}

TEST_F(WindowTest, SecondFunctionMarksAreYellow) {
  for (const char* name : {"Label4", "Label5", "Label6", "Label7", "Label8"}) {
    auto* label = Find<QLabel>(name);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->autoFillBackground()) << name;
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::yellow)) << name;
  }
  const QImage picture = Find("Image2")->grab().toImage();
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::yellow));
}

TEST_F(WindowTest, GroupPicturesAreCyanAndClickable) {
  form->N2Click();
  QAbstractButton* h2o = Button("cmdH2O");
  EXPECT_EQ(h2o->grab().toImage().pixelColor(1, 1), QColor(Qt::cyan));
  EXPECT_EQ(h2o->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, WindowFrame) {
  EXPECT_EQ(form->windowTitle(), "Veltrum");
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(form->centralWidget()->height(), 463);
  EXPECT_EQ(form->SavedWidth, 768);
  EXPECT_EQ(form->pos(), QPoint(9, 23));
  EXPECT_EQ(form->font().pixelSize(), 11);
  EXPECT_EQ(form->font().families().value(0), "MS Sans Serif");
}

}  // namespace
}  // namespace veltrum
