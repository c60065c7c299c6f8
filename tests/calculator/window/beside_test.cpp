// A window opened beside another: right of it, else left, else below,
// else pushed inside; always whole within the screen's available area.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "window/beside.h"

namespace veltrum {
namespace {

struct BesideRow {
  const char* what;
  QRect anchor;      // relative to the available area's top left
  QPoint expected;   // likewise
};

TEST(PlaceBesideTest, RightThenLeftThenBelowThenInside) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_GE(area.width(), 600);
  ASSERT_GE(area.height(), 400);
  const int w = 200, h = 150;
  const int right = area.width(), bottom = area.height();
  const BesideRow rows[] = {
      {"room on the right", {10, 20, 100, 80}, {118, 20}},
      {"the right is full", {right - 150, 30, 140, 80}, {right - 150 - 8 - w, 30}},
      {"both sides full, room below", {0, 10, right, 100}, {0, 118}},
      {"no room anywhere", {0, 0, right, bottom}, {right - w, 0}},
      {"low on the screen", {10, bottom - 40, 100, 30}, {118, bottom - h}},
  };
  for (const BesideRow& row : rows) {
    SCOPED_TRACE(row.what);
    QWidget anchor;
    anchor.setGeometry(row.anchor.translated(area.topLeft()));
    QWidget window;
    window.resize(w, h);
    PlaceBeside(window, anchor);
    EXPECT_EQ(window.pos(), row.expected + area.topLeft());
    EXPECT_TRUE(area.contains(QRect(window.pos(), window.size())));
  }
}

// A window already open beside the anchor: the new one goes right of it,
// else below it; a hidden one counts for nothing, and where no free place
// is left the new one opens as though the other were not there.
TEST(PlaceBesideTest, BesideOrBelowTheWindowsAlreadyOpen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const int right = area.width(), bottom = area.height();
  enum Place { RightOfOpen, BelowOpen, RightOfAnchor };
  const struct {
    const char* what;
    QRect open;
    bool shown;
    Place expected;
  } rows[] = {
      {"room right of the open one", {118, 20, 200, 150}, true, RightOfOpen},
      {"no room right of it, room below", {118, 20, right - 130, 150}, true, BelowOpen},
      {"the open one is hidden", {118, 20, 200, 150}, false, RightOfAnchor},
      {"no free place", {118, 0, right - 130, bottom - 20}, true, RightOfAnchor},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    QWidget anchor, open, window;
    anchor.setGeometry(QRect(10, 20, 100, 80).translated(area.topLeft()));
    open.setVisible(row.shown);
    open.setGeometry(row.open.translated(area.topLeft()));
    window.resize(200, 150);
    PlaceBeside(window, anchor, {&open, nullptr});
    const QRect o = open.frameGeometry();
    const QPoint expected = row.expected == RightOfOpen ? QPoint(o.right() + 1 + 8, o.top())
                            : row.expected == BelowOpen ? QPoint(o.left(), o.bottom() + 1 + 8)
                                                        : area.topLeft() + QPoint(118, 20);
    EXPECT_EQ(window.pos(), expected);
    EXPECT_TRUE(area.contains(QRect(window.pos(), window.size())));
  }
}

TEST(PlaceBesideTest, KeepOnScreenMovesOnlyAWindowThatReachesPastAnEdge) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget window;
  window.resize(200, 150);
  window.move(area.topLeft() + QPoint(30, 40));
  KeepOnScreen(window);
  EXPECT_EQ(window.pos(), area.topLeft() + QPoint(30, 40));
  window.move(area.right() - 50, area.bottom() - 20);
  KeepOnScreen(window);
  EXPECT_EQ(window.pos(), QPoint(area.right() + 1 - 200, area.bottom() + 1 - 150));
}

}  // namespace
}  // namespace veltrum
