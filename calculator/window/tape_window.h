#pragma once
// The tape window "Журнал вычислений": the calculator's tape as a list, one
// item per calculation. Enter or a double-click puts a line's result on the
// display as a pasted number; Ctrl+C copies the selected lines; the context
// menu (also the menu key and Shift+F10) has every command.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "calculator/tape.h"
#include "window/dialogs.h"
#include "window/file_chooser.h"

class QAction;
class QListWidget;
class QListWidgetItem;
class QMenu;

namespace veltrum {

inline constexpr std::string_view kTapeCaption = "Журнал вычислений";

class TfrmTape : public QWidget {
  Q_OBJECT
 public:
  // recall receives a line's result; it enters it as a pasted number.
  using Recall = std::function<void(const std::string&)>;
  TfrmTape(Tape& tape, Recall recall, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TfrmTape() override;

  QListWidget* List() const { return lstTape_; }
  void SetFileChooser(FileChooser& chooser) { files_ = &chooser; }

  // Commands of the context menu.
  void CopyClick();
  void RecallClick();
  void ClearClick();
  void SaveClick();
  QMenu* CreateContextMenu();

 private:
  void AddLine(const TapeLine& line);
  void UpdateCommands();

  Tape& tape_;
  Recall recall_;
  Dialogs& dialogs_;
  QListWidget* lstTape_ = nullptr;
  QAction* mnuCopy_ = nullptr;
  QAction* mnuRecall_ = nullptr;
  QAction* mnuClear_ = nullptr;
  QAction* mnuSave_ = nullptr;
  QtFileChooser ownFiles_{this};
  FileChooser* files_ = &ownFiles_;
};

}  // namespace veltrum
