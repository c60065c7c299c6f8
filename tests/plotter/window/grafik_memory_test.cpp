// Runs that memory cannot hold, under a real limit on the test's address
// space: the run is refused with the memory message before its first
// sample, the runs waiting after it are dropped, everything else stays
// as it was, and a smaller run works again.
#include <sys/resource.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <fstream>
#include <string>
#include <vector>

#include "tests/plotter/window/window_fixture.h"
#include "tests/support/modal_box.h"

namespace veltrum {
namespace {

std::size_t AddressSpaceBytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  std::size_t kib = 0;
  while (status >> key)
    if (key == "VmSize:" && status >> kib) break;
  return kib * 1024;
}

// The address space the process uses now plus room; the old limit comes
// back at the end of the scope.
class AddressSpaceLimit {
 public:
  explicit AddressSpaceLimit(std::size_t room) {
    getrlimit(RLIMIT_AS, &old_);
    rlimit limit = old_;
    limit.rlim_cur = AddressSpaceBytes() + room;
    EXPECT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
  }
  ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &old_); }

 private:
  rlimit old_{};
};

// 1,000,001 samples need about 20 MB of points, 9,999,001 ten times that.
constexpr std::size_t kRoom = std::size_t{100} << 20;

// The program's own boxes, each one's text kept and the box closed as a
// person closes it, until the watcher goes.
class BoxWatcher {
 public:
  BoxWatcher() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      texts.push_back(box->text().toStdString());
      icons.push_back(box->icon());
      box->done(QDialog::Accepted);
    });
    poll_.start(1);
  }

  std::vector<std::string> texts;
  std::vector<QMessageBox::Icon> icons;

 private:
  QTimer poll_;
};

class MemoryLimitBoxTest : public testing::Test {
 protected:
  MemoryLimitBoxTest() : calc(&dialogs), form(calc, dialogs) {
    form.show();
    chart = form.findChild<Chart*>("Chart1");
  }
  void Type(const char* edit, const QString& text) {
    auto* field = form.findChild<QLineEdit*>(edit);
    field->clear();
    QTest::keyClicks(field, text);
  }
  void Click(const char* button) { QTest::mouseClick(form.findChild<QAbstractButton*>(button), Qt::LeftButton); }
  void WaitForRuns() { ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsRunning(); }, 60'000)); }
  void ClickAndWait(const char* button) {
    Click(button);
    WaitForRuns();
  }
  void Add(const QString& expression) {
    Type("txtMain", expression);
    ClickAndWait("cmdAdd");
  }
  std::vector<QString> Entries() const {
    auto* list = form.findChild<QListWidget*>("ListBox1");
    std::vector<QString> entries;
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->item(i)->text());
    return entries;
  }

  QtDialogs dialogs;
  Calculator calc;
  TForm3 form;
  Chart* chart = nullptr;
};

// Redraw all under the limit: the first run is refused with the memory
// message in the program's box (the limit is lifted once the click has
// returned, before the box opens), the second run is dropped, the points,
// the list and the bounds stay; a smaller run then works under the limit.
using MemoryLimitTest = MemoryLimitBoxTest;

TEST_F(MemoryLimitTest, ARunMemoryCannotHoldIsRefusedAndTheNextSmallerOneWorks) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "no address-space limit under a sanitizer";
#endif
  // Runs first without the limit, so that the worker threads' stacks and
  // memory pools exist before it is set.
  Type("txtFLeft", "-500");
  Type("txtFRight", "500");
  Click("rad0001");
  Add("x");
  Add("x^2");
  ASSERT_EQ(chart->PointCount(1), 1'000'001);
  Type("txtFLeft", "-4999");
  Type("txtFRight", "5000");
  BoxWatcher boxes;
  {
    const AddressSpaceLimit limit(kRoom);
    Click("cmdReDrawAll");
  }
  WaitForRuns();
  EXPECT_EQ(boxes.texts, std::vector<std::string>{std::string(kOutOfMemoryText)});
  EXPECT_EQ(boxes.icons, std::vector<QMessageBox::Icon>{QMessageBox::Critical});
  EXPECT_EQ(chart->PointCount(0), 0);
  EXPECT_EQ(chart->PointCount(1), 1'000'001);
  EXPECT_EQ(Entries(), (std::vector<QString>{"1:F(X)=x", "2:F(X)=x^2"}));
  EXPECT_EQ(form.findChild<QLineEdit*>("txtFLeft")->text(), "-4999");
  EXPECT_TRUE(form.findChild<QAbstractButton*>("cmdReDrawAll")->isEnabled());

  Type("txtFLeft", "-3");
  Type("txtFRight", "3");
  {
    const AddressSpaceLimit limit(kRoom);
    ClickAndWait("cmdReDrawAll");
  }
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(chart->PointCount(0), 6001);
  EXPECT_EQ(chart->PointCount(1), 6001);
}

// A single run refused while the limit holds, its box open under the limit.
TEST_F(MemoryLimitBoxTest, TheRefusalShowsTheMemoryMessageInTheErrorBox) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  // A sanitizer's allocator ends the process when the limit refuses it
  // memory, before the program can refuse the run.
  GTEST_SKIP() << "no address-space limit under a sanitizer";
#endif
  Type("txtFLeft", "-500");
  Type("txtFRight", "500");
  QTest::mouseClick(form.findChild<QAbstractButton*>("rad0001"), Qt::LeftButton);
  Type("txtMain", "x");
  ClickAndWait("cmdAdd");
  const AddressSpaceLimit limit(kRoom);
  Type("txtFLeft", "-4999");
  Type("txtFRight", "5000");
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  WhenModalBoxOpens([&](QWidget* box) {
    auto* message = qobject_cast<QMessageBox*>(box);
    ASSERT_NE(message, nullptr);
    text = message->text();
    icon = message->icon();
  });
  ClickAndWait("cmdReDrawAll");
  EXPECT_EQ(text.toStdString(), std::string(kOutOfMemoryText));
  EXPECT_EQ(icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace veltrum
