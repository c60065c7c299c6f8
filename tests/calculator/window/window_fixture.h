#pragma once
// A calculator window on the offscreen platform, driven by real clicks and
// typed characters, with every box recorded.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

#include "calculator/window/tform1.h"
#include "tests/support/recording_dialogs.h"

namespace veltrum {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm1>(dialogs);
    form->show();
    QApplication::processEvents();
  }

  template <typename W = QWidget>
  W* Find(const QString& name) const {
    W* w = form->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
    return w;
  }

  QAbstractButton* Button(const QString& name) const { return Find<QAbstractButton>(name); }

  // A trace is a list of keys separated by spaces: a character of the
  // keyboard map stands for its key ("1", "+", "="), anything else is the
  // name of a control ("cmdsin", "cmdFC", "optGrad").
  void ClickTrace(const QString& trace) {
    for (const QString& token : trace.split(' ', Qt::SkipEmptyParts)) {
      QString name = token;
      if (token.size() == 1) {
        if (auto key = KeyForChar(static_cast<char>(token[0].unicode())))
          name = QString::fromUtf8(KeyName(*key).data(), static_cast<qsizetype>(KeyName(*key).size()));
      }
      QAbstractButton* button = Button(name);
      ASSERT_NE(button, nullptr) << "trace " << trace.toStdString();
      QTest::mouseClick(button, Qt::LeftButton);
    }
  }

  std::string Display() const { return Find<QLineEdit>("Text1")->text().toStdString(); }
  std::string Memo(int n) const {
    return Find<QLineEdit>(QString("txtM%1").arg(n))->text().toStdString();
  }

  RecordingDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

}  // namespace veltrum
