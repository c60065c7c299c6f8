#pragma once
#include <optional>
#include <string>
#include <vector>

#include "calculator/message_sink.h"

namespace veltrum::cli {

// Writes "veltrum-cli: MESSAGE" and a hint to standard error; returns 2.
int UsageError(const std::string& message);

// The value of --threads: a whole number from 1 to 1024.
std::optional<int> ThreadsOption(const std::string& text);

// Message boxes as "CAPTION: TEXT" lines on standard error, after what
// standard output holds so far.
class StderrMessages : public MessageSink {
 public:
  void ShowMessage(MessageKind kind, std::string_view text) override;
};

int RunKeys(const std::vector<std::string>& args);
int RunPlot(const std::vector<std::string>& args);
int RunMass(const std::vector<std::string>& args);
int RunAnalyze(const std::vector<std::string>& args);

}  // namespace veltrum::cli
