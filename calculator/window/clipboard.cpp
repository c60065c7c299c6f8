// The display and the clipboard: Ctrl+C copies the display text, Ctrl+V
// enters a pasted number as a key would, and a right-click on Text1 offers
// both. The keyboard map is untouched: these are shortcuts, not characters.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

#include "calculator/window/tform1.h"

namespace veltrum {

void TForm1::BuildClipboard() {
  copyAction_ = new QAction("Копировать", this);
  copyAction_->setObjectName("mnuCopy");
  copyAction_->setShortcut(QKeySequence::Copy);
  pasteAction_ = new QAction("Вставить", this);
  pasteAction_->setObjectName("mnuPaste");
  pasteAction_->setShortcut(QKeySequence::Paste);
  for (QAction* a : {copyAction_, pasteAction_}) {
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
  }
  connect(copyAction_, &QAction::triggered, this, &TForm1::CopyDisplay);
  connect(pasteAction_, &QAction::triggered, this, &TForm1::PasteDisplay);
  // The read-only display would otherwise take Ctrl+C for its selection
  // and show the toolkit's own menu.
  Text1_->setFocusPolicy(Qt::NoFocus);
  Text1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Text1_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu* menu = CreateDisplayMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(Text1_->mapToGlobal(at));
  });
}

QMenu* TForm1::CreateDisplayMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName("DisplayMenu");
  menu->addAction(copyAction_);
  menu->addAction(pasteAction_);
  return menu;
}

void TForm1::CopyDisplay() { QGuiApplication::clipboard()->setText(Text1_->text()); }

void TForm1::PasteDisplay() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  if (!calculator_.Press(Input::Pasted(text))) dialogs_.ShowMessage(MessageKind::Information, kPasteRefusedText);
}

}  // namespace veltrum
