// The tape window. It shows the tape's lines and hands a chosen result to
// the calculator window; it never presses a key itself.
#include "calculator/window/tape_window.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QFile>
#include <QVBoxLayout>

#include "files/text_file.h"
#include "window/design_fonts.h"
#include "window/text.h"
#include "window/wrapped_lines.h"

namespace veltrum {
namespace {

constexpr int kResultRole = Qt::UserRole;
constexpr int kFailedRole = Qt::UserRole + 1;

constexpr std::string_view kSaveCaption = "Сохранить журнал";
constexpr std::string_view kSaveFilter = "Текстовый файл (*.txt)";
constexpr std::string_view kSaveFailedText = "Не удалось сохранить журнал: ";
constexpr std::string_view kClearQuestion = "Очистить журнал вычислений? Его строки не вернуть.";

}  // namespace

TfrmTape::TfrmTape(Tape& tape, Recall recall, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), tape_(tape), recall_(std::move(recall)), dialogs_(dialogs) {
  setObjectName("frmTape");
  setWindowFlags(Qt::Window);
  setWindowTitle(FromUtf8(kTapeCaption));
  setAccessibleName(FromUtf8(kTapeCaption));
  setFont(WindowFont());

  lstTape_ = new QListWidget(this);
  lstTape_->setObjectName("lstTape");
  lstTape_->setAccessibleName(FromUtf8(kTapeCaption));
  lstTape_->setFont(ControlFont(Face::Arial, 16, false));
  lstTape_->setToolTip("Enter или двойной щелчок: результат на табло; меню: правая кнопка или Shift+F10");
  lstTape_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lstTape_->setContextMenuPolicy(Qt::CustomContextMenu);
  WrapLines(*lstTape_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(lstTape_);

  auto command = [this](const char* name, const char* caption, QList<QKeySequence> keys,
                        void (TfrmTape::*handler)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
    return action;
  };
  mnuCopy_ = command("mnuTapeCopy", "Копировать", {QKeySequence::Copy}, &TfrmTape::CopyClick);
  mnuRecall_ =
      command("mnuTapeRecall", "Вставить результат", {Qt::Key_Return, Qt::Key_Enter}, &TfrmTape::RecallClick);
  mnuClear_ = command("mnuTapeClear", "Очистить журнал", {}, &TfrmTape::ClearClick);
  mnuSave_ = command("mnuTapeSave", "Сохранить журнал…", {QKeySequence::Save}, &TfrmTape::SaveClick);
  auto* menuKey = new QAction(this);
  menuKey->setShortcut(Qt::SHIFT | Qt::Key_F10);
  menuKey->setShortcutContext(Qt::WindowShortcut);
  addAction(menuKey);
  connect(menuKey, &QAction::triggered, this, [this] {
    const QListWidgetItem* item = lstTape_->currentItem();
    const QPoint at = item ? lstTape_->visualItemRect(item).center() : QPoint(8, 8);
    emit lstTape_->customContextMenuRequested(at);
  });
  auto* close = new QAction(this);
  close->setShortcut(Qt::Key_Escape);
  addAction(close);
  connect(close, &QAction::triggered, this, &QWidget::close);

  connect(lstTape_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(lstTape_->viewport()->mapToGlobal(at));
  });
  connect(lstTape_, &QListWidget::itemDoubleClicked, this, &TfrmTape::RecallClick);
  connect(lstTape_, &QListWidget::itemSelectionChanged, this, &TfrmTape::UpdateCommands);

  for (const TapeLine& line : tape_.Lines()) AddLine(line);
  tape_.OnLineAdded([this](const TapeLine& line) { AddLine(line); });
  UpdateCommands();
}

TfrmTape::~TfrmTape() { tape_.OnLineAdded(nullptr); }

QMenu* TfrmTape::CreateContextMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName("TapeMenu");
  menu->addAction(mnuCopy_);
  menu->addAction(mnuRecall_);
  menu->addSeparator();
  menu->addAction(mnuClear_);
  menu->addAction(mnuSave_);
  return menu;
}

// The newest line becomes the current one, so Enter takes the last result.
void TfrmTape::AddLine(const TapeLine& line) {
  auto* item = new QListWidgetItem(lstTape_);
  SetWholeText(*item, FromUtf8(line.Text()));
  item->setData(kResultRole, FromUtf8(line.result));
  item->setData(kFailedRole, line.failed);
  while (lstTape_->count() > static_cast<int>(Tape::kCapacity)) delete lstTape_->takeItem(0);
  lstTape_->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
  lstTape_->scrollToItem(item);
  UpdateCommands();
}

void TfrmTape::UpdateCommands() {
  const QListWidgetItem* current = lstTape_->currentItem();
  mnuCopy_->setEnabled(!lstTape_->selectedItems().isEmpty());
  mnuRecall_->setEnabled(current && !current->data(kFailedRole).toBool());
  mnuClear_->setEnabled(lstTape_->count() > 0);
  mnuSave_->setEnabled(lstTape_->count() > 0);
}

// The selected lines in the order of the tape.
void TfrmTape::CopyClick() {
  QStringList lines;
  for (int i = 0; i < lstTape_->count(); ++i)
    if (lstTape_->item(i)->isSelected()) lines << lstTape_->item(i)->text();
  if (!lines.isEmpty()) QGuiApplication::clipboard()->setText(lines.join('\n'));
}

// A line that ended in an error has no number to recall.
void TfrmTape::RecallClick() {
  const QListWidgetItem* item = lstTape_->currentItem();
  if (!item || item->data(kFailedRole).toBool()) return;
  recall_(item->data(kResultRole).toString().toStdString());
}

// The tape lives only in memory: a cleared line is gone for good.
void TfrmTape::ClearClick() {
  if (lstTape_->count() > 0 && !dialogs_.Question(kClearQuestion)) return;
  tape_.Clear();
  lstTape_->clear();
  UpdateCommands();
}

// UTF-8, one line per calculation; the file is replaced whole or not at all.
void TfrmTape::SaveClick() {
  QString path = QDir::home().filePath("журнал.txt");
  int filter = 0;
  if (!files_->SaveFileName(FromUtf8(kSaveCaption), {FromUtf8(kSaveFilter)}, path, filter) || path.isEmpty())
    return;
  std::string text;
  for (const TapeLine& line : tape_.Lines()) text += line.Text() + "\n";
  if (const std::optional<std::string> reason = SaveTextFile(QFile::encodeName(path).toStdString(), text))
    dialogs_.ShowMessage(MessageKind::Error, std::string(kSaveFailedText) + *reason);
}

}  // namespace veltrum
