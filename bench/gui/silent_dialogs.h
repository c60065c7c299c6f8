#pragma once
// Boxes that never block a benchmark: messages go to standard error, the
// input dialog and the questions are answered "Cancel", "No" and "Отмена".
#include <cstdio>
#include <string_view>

#include "window/dialogs.h"

class SilentDialogs : public veltrum::Dialogs {
 public:
  void ShowMessage(veltrum::MessageKind, std::string_view text) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
  bool InputQuery(const QString&, const QString&, QString&, int) override { return false; }
  bool Question(std::string_view) override { return false; }
  veltrum::Choice QuestionWithCancel(std::string_view) override { return veltrum::Choice::Cancel; }
  void ErrorBox(const QString&) override {}
};
