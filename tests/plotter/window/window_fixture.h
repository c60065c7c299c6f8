#pragma once
// The plot window on the offscreen platform with a calculator core, boxes
// that are recorded instead of shown, and helpers that click and type as
// a person would.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTest>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "chart/chart.h"
#include "plotter/window/grafik.h"
#include "tests/support/recording_dialogs.h"

namespace veltrum {

inline const std::string kRangeMessage = "Error: Неправильно заданы границы вычисления значений функции.";

class PlotWindowTest : public testing::Test {
 protected:
  PlotWindowTest() : calc(&boxes), form(calc, boxes) {
    form.show();
    chart = Find<Chart>("Chart1");
    list = Find<QListWidget>("ListBox1");
  }

  template <typename T>
  T* Find(const char* name) const {
    T* control = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  // Clicks a button and waits for the runs it started to end.
  void Click(const char* button) {
    QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton);
    WaitForRuns();
  }

  void WaitForRuns() {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.IsRunning(); }, 60'000));
  }

  void Type(const char* edit, const QString& text) {
    QLineEdit* field = Find<QLineEdit>(edit);
    field->clear();
    QTest::keyClicks(field, text);
  }

  void Add(const QString& expression) {
    Type("txtMain", expression);
    Click("cmdAdd");
  }

  void Select(int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  }

  std::vector<QString> Entries() const {
    std::vector<QString> entries;
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->item(i)->text());
    return entries;
  }

  int SelectedRow() const {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
  }

  RecordingDialogs boxes;
  Calculator calc;
  TForm3 form;
  Chart* chart = nullptr;
  QListWidget* list = nullptr;
};

}  // namespace veltrum
