// The function keys while a modal box of the program is open: the box is
// the program's real one, so the key reaches the application as it does
// for a person.
#include <QAction>
#include <QSignalSpy>

#include "tests/calculator/window/window_fixture.h"
#include "tests/support/modal_box.h"

namespace veltrum {
namespace {

TEST(ModalBoxTest, FunctionKeysDoNothingWhileErrorBoxIsOpen) {
  // F4 comes last: a fault there ends every event loop of the test program.
  const struct {
    Qt::Key key;
    const char* action;
  } rows[] = {{Qt::Key_F1, "mnuAbout"}, {Qt::Key_F2, "N1"}, {Qt::Key_F3, "N2"}, {Qt::Key_F4, "mnuEnd"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.action);
    QtDialogs dialogs;
    TForm1 form(dialogs);
    QWidget plotWindow, aboutBox;
    form.SetPlotWindow(&plotWindow);
    form.SetAboutBox(&aboutBox);
    form.show();
    QSignalSpy triggered(form.findChild<QAction*>(row.action), &QAction::triggered);
    QString boxText;
    WhenModalBoxOpens([&](QWidget* box) {
      boxText = box->windowTitle();
      QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, row.key);
    });
    for (const char* key : {"cmd5", "cmddivide", "cmd0", "cmdis"})
      QTest::mouseClick(form.findChild<QAbstractButton*>(key), Qt::LeftButton);
    EXPECT_EQ(boxText, "Error");
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_EQ(form.width(), 317);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(plotWindow.isVisible());
    EXPECT_FALSE(aboutBox.isVisible());
  }
}

}  // namespace
}  // namespace veltrum
