// The built window against its design: every control exists with its
// caption, place, size, font and hint, and every key of the core has its
// control.
#include "calculator/window/layout.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>
#include <set>

#include "calculator/element_keys.h"
#include "tests/calculator/window/window_fixture.h"
#include "tests/support/frame_line.h"
#include "window/design_fonts.h"

namespace veltrum {

void PrintTo(const CalcControlRow& row, std::ostream* os) { *os << row.name; }

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString CaptionOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return {};
}

// Places typed from the design, not from the control tables, relative to
// the parent: a corner key of each block and a control of each group, so a
// shifted row or column in a table fails here.
struct DesignedPlace {
  const char* name;
  QRect rect;
};

constexpr DesignedPlace kCalculatorByHand[] = {
    {"GroupBox1", {8, 48, 297, 297}},    {"cmdShift", {88, 16, 81, 25}},
    {"cmdBackSpace", {176, 16, 33, 25}}, {"cmdFactorial", {216, 16, 17, 25}},
    {"Label4", {8, 48, 32, 15}},         {"Image2", {216, 40, 14, 14}},
    {"cmdsin", {8, 64, 33, 25}},         {"cmdstepen", {248, 56, 33, 25}},
    {"Image4", {256, 80, 20, 18}},       {"cmdon", {8, 96, 33, 33}},
    {"cmdplusminus", {168, 96, 33, 33}}, {"cmdlg", {248, 104, 33, 25}},
    {"cmd3", {88, 136, 33, 33}},         {"cmd7", {8, 216, 33, 33}},
    {"cmd0", {8, 256, 33, 33}},          {"cmddivide", {128, 256, 33, 33}},
    {"GroupBox2", {8, 344, 297, 113}},   {"Label1", {8, 16, 28, 22}},
    {"txtM1", {56, 360, 233, 25}},       {"txtM3", {56, 424, 233, 25}},
};

// Element keys, 33 by 33 unless noted: the last key of every table row,
// the first of some, both ends of the side column, the group pictures.
constexpr DesignedPlace kElementsByHand[] = {
    {"cmdFH", {360, 16, 33, 33}},   {"cmdFHe", {640, 16, 33, 33}},  {"cmdFLi", {360, 56, 33, 33}},
    {"cmdFNe", {640, 56, 33, 33}},  {"cmdFAr", {640, 96, 33, 33}},  {"cmdFNi", {720, 136, 33, 33}},
    {"cmdFCu", {360, 176, 33, 33}}, {"cmdFKr", {640, 176, 33, 33}}, {"cmdFPd", {720, 216, 33, 33}},
    {"cmdFXe", {640, 256, 33, 33}}, {"cmdFPt", {720, 296, 33, 33}}, {"cmdFRn", {640, 336, 33, 33}},
    {"cmdFFr", {360, 376, 33, 33}}, {"cmdFMt", {680, 376, 33, 33}}, {"cmdFC2", {312, 16, 33, 33}},
    {"cmdFK2", {312, 416, 33, 33}}, {"cmdOCH", {352, 424, 45, 19}}, {"cmdH2O", {552, 424, 35, 18}},
};

template <std::size_t N>
const DesignedPlace* ByHand(const DesignedPlace (&places)[N], std::string_view name) {
  for (const DesignedPlace& p : places)
    if (name == p.name) return &p;
  return nullptr;
}

class LayoutRowTest : public WindowTest, public ::testing::WithParamInterface<CalcControlRow> {};

TEST_P(LayoutRowTest, BuiltAsDesigned) {
  const CalcControlRow& row = GetParam();
  QWidget* w = Find(Q(row.name));
  ASSERT_NE(w, nullptr);
  const QString parent = row.parent.empty() ? QString("Form1Client") : Q(row.parent);
  EXPECT_EQ(w->parentWidget()->objectName(), parent);
  EXPECT_EQ(w->geometry(), QRect(row.left, row.top, row.width, row.height));
  if (const DesignedPlace* designed = ByHand(kCalculatorByHand, row.name)) {
    EXPECT_EQ(w->geometry(), designed->rect);
  }
  EXPECT_EQ(w->toolTip(), Q(row.hint));
  if (row.kind != CalcControlKind::Picture && row.kind != CalcControlKind::Display) {
    EXPECT_EQ(CaptionOf(w), Q(row.caption));
  }
  EXPECT_EQ(w->font().pixelSize(), row.pixels);
  EXPECT_EQ(w->font().bold(), row.bold);
}

INSTANTIATE_TEST_SUITE_P(Calculator, LayoutRowTest, ::testing::ValuesIn(CalculatorControls()),
                         [](const auto& info) { return std::string(info.param.name); });

class ElementKeyTest : public WindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(ElementKeyTest, PlacedFromElementTable) {
  const int index = GetParam();
  const std::string_view name = ElementKeys()[static_cast<std::size_t>(index)].name;
  const Element& e = ElementOfKey(index);
  const ElementKeyPlace& at = ElementKeyPlaces()[static_cast<std::size_t>(index)];
  QAbstractButton* key = Button(Q(name));
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->parentWidget()->objectName(), "Form1Client");
  EXPECT_EQ(key->geometry(), QRect(at.left, at.top, at.width, at.height));
  if (const DesignedPlace* designed = ByHand(kElementsByHand, name)) {
    EXPECT_EQ(key->geometry(), designed->rect);
  }
  EXPECT_EQ(key->text(), Q(e.symbol));
  EXPECT_EQ(key->toolTip(), Q(e.name));
  if (at.place != ElementPlace::Group) {
    EXPECT_EQ(key->font().pixelSize(), 19);
    EXPECT_TRUE(key->font().bold());
    EXPECT_EQ(key->font().families().value(0), "Arial Narrow");
  }
  // Table keys lie inside the frame, the side column and the pictures
  // outside it.
  const QRect frame(kTableFrameLeft, kTableFrameTop, kTableFrameWidth, kTableFrameHeight);
  EXPECT_EQ(frame.contains(key->geometry()), at.place == ElementPlace::Table);
}

// A stand-in that is not installed falls back to some other face: a wide
// one clips the narrow keys' captions ("M1+", "x^2").
TEST(DesignFonts, EachDesignFaceIsDrawnInItsStandIn) {
  for (const DesignFont& f : kDesignFonts) {
    QFont font;
    font.setFamilies({QString::fromLatin1(f.design)});
    font.setPixelSize(kWindowFontPixels);
    EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(f.standIn)) << f.design;
  }
}

INSTANTIATE_TEST_SUITE_P(Elements, ElementKeyTest, ::testing::Range(0, kElementKeyCount),
                         [](const auto& info) {
                           return std::string(ElementKeys()[static_cast<std::size_t>(info.param)].name);
                         });

// The table's keys sit on its 40-pixel grid, one key a cell; the side
// column on the same rows at 312; the pictures in one row below.
TEST(ElementKeyPlaces, GridOfTheTable) {
  int table = 0, side = 0, groups = 0;
  std::set<std::pair<int, int>> cells;
  for (const ElementKeyPlace& at : ElementKeyPlaces()) {
    switch (at.place) {
      case ElementPlace::Table:
        ++table;
        EXPECT_EQ((at.left - 360) % 40, 0);
        EXPECT_EQ((at.top - 16) % 40, 0);
        EXPECT_TRUE(cells.insert({at.left, at.top}).second) << at.left << "," << at.top;
        break;
      case ElementPlace::Side:
        EXPECT_EQ(at.left, 312);
        EXPECT_EQ(at.top, 16 + 40 * side++);
        break;
      case ElementPlace::Group:
        ++groups;
        EXPECT_EQ(at.top, 424);
        break;
    }
  }
  EXPECT_EQ(table, kElementCount);
  EXPECT_EQ(side, 11);
  EXPECT_EQ(groups, kGroupCount);
}

// A place typed by hand for a control that has left the tables would check
// nothing.
TEST(DesignedPlaces, NameRowsOfTheTables) {
  for (const DesignedPlace& p : kCalculatorByHand) {
    const auto rows = CalculatorControls();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const auto& r) { return r.name == p.name; }))
        << p.name;
  }
  for (const DesignedPlace& p : kElementsByHand) {
    const auto& rows = ElementKeys();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const auto& r) { return r.name == p.name; }))
        << p.name;
  }
}

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
      {"cmdShift", {96, 64, 81, 25}}, {"cmdM3R", {256, 304, 33, 33}}, {"optRad", {16, 72, 73, 17}},
      {"Label1", {16, 360, 28, 22}},  {"txtM3", {56, 424, 233, 25}},  {"Image1", {264, 80, 19, 24}},
      {"cmdFK2", {312, 416, 33, 33}}, {"cmdH2O", {552, 424, 35, 18}},
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
