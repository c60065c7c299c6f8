#pragma once
// Dialogs for tests: records every box as a "CAPTION: TEXT" line and never
// blocks. InputQuery and the questions answer from scripted queues; an
// empty queue answers Cancel, No or Отмена.
#include <QString>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "window/dialogs.h"

namespace veltrum {

class RecordingDialogs : public Dialogs {
 public:
  struct Query {
    QString caption, prompt, initial;
    int maxLength;
  };

  void ShowMessage(MessageKind kind, std::string_view text) override {
    lines.push_back(std::string(MessageCaption(kind)) + ": " + std::string(text));
  }

  bool InputQuery(const QString& caption, const QString& prompt, QString& value, int maxLength) override {
    lines.push_back((caption + ": " + prompt).toStdString());
    queries.push_back({caption, prompt, value, maxLength});
    if (answers.empty()) return false;
    // Read in place: g++ 14 takes a copied optional<QString> for uninitialised.
    const std::optional<QString>& answer = answers.front();
    const bool accepted = answer.has_value();
    if (accepted) value = maxLength > 0 ? answer->left(maxLength) : *answer;
    answers.pop_front();
    return accepted;
  }

  bool Question(std::string_view text) override {
    lines.push_back(std::string(kQuestionCaption) + ": " + std::string(text));
    if (replies.empty()) return false;
    const bool yes = replies.front();
    replies.pop_front();
    return yes;
  }

  Choice QuestionWithCancel(std::string_view text) override {
    lines.push_back(std::string(kQuestionCaption) + ": " + std::string(text));
    if (choices.empty()) return Choice::Cancel;
    const Choice a = choices.front();
    choices.pop_front();
    return a;
  }

  void ErrorBox(const QString& text) override {
    lines.push_back(std::string(kApplicationTitle) + ": " + text.toStdString());
  }

  // Answers of the next input queries, in order; nullopt answers Cancel.
  void Answer(std::optional<QString> answer) { answers.push_back(std::move(answer)); }

  // Replies to the next questions, in order (true is Yes); an empty queue
  // answers No.
  void Reply(bool yes) { replies.push_back(yes); }
  // Answers to the next questions that offer Отмена, in order; an empty
  // queue answers Отмена.
  void Reply(Choice a) { choices.push_back(a); }

  // The recorded lines, forgotten afterwards.
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(lines);
    return taken;
  }

  std::vector<std::string> lines;
  std::vector<Query> queries;
  std::deque<std::optional<QString>> answers;
  std::deque<bool> replies;
  std::deque<Choice> choices;
};

}  // namespace veltrum
