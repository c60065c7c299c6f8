#pragma once
// Answers a window's file dialogs from a script and remembers what
// they were asked.
#include <optional>
#include <vector>

#include "window/file_chooser.h"

namespace veltrum {

class ScriptedFileChooser : public FileChooser {
 public:
  struct Question {
    QString caption;
    QStringList filters;
    QString suggested;
  };

  bool SaveFileName(const QString& caption, const QStringList& filters, QString& path, int& filter) override {
    questions.push_back({caption, filters, path});
    if (!answerPath) return false;
    path = *answerPath;
    filter = answerFilter;
    return true;
  }

  bool OpenFileName(const QString& caption, const QStringList& filters, QString& path) override {
    int filter = 0;
    return SaveFileName(caption, filters, path, filter);
  }

  std::optional<QString> answerPath;
  int answerFilter = 0;
  std::vector<Question> questions;
};

}  // namespace veltrum
