#pragma once
// The program's real boxes (QtDialogs) in tests. A box runs its own event
// loop, so the test acts on it from a timer that fires inside that loop,
// while the box is open and modal, as a person at the keyboard would.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

namespace veltrum {

// Calls act with the next modal box once it is open, then dismisses the box
// unless act has closed it. The box is looked for while events are
// processed, for at most five seconds; without one act is not called.
inline void WhenModalBoxOpens(std::function<void(QWidget*)> act) {
  auto* poll = new QTimer(qApp);
  poll->setInterval(1);
  auto deadline = std::make_shared<QDeadlineTimer>(5000);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, deadline, act = std::move(act)] {
    QPointer<QWidget> box = QApplication::activeModalWidget();
    if (!box) {
      if (deadline->hasExpired()) poll->deleteLater();
      return;
    }
    poll->stop();
    poll->deleteLater();
    act(box);
    if (auto* dialog = qobject_cast<QDialog*>(box.data()); dialog && dialog->isVisible())
      dialog->done(QDialog::Rejected);
  });
  poll->start();
}

}  // namespace veltrum
