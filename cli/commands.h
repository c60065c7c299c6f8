#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/message_sink.h"
#include "plotter/sampling.h"

namespace veltrum::cli {

// Writes "veltrum-cli: MESSAGE" and a hint to standard error; returns 2.
int UsageError(const std::string& message);

// The value of --threads: a whole number from 1 to 1024.
std::optional<int> ThreadsOption(const std::string& text);

// The options plot and analyze share, with the plot window's defaults.
struct SamplingOptions {
  std::string from = "-3", to = "3";
  SamplingStep step = kStepTenth;
  bool rangeGiven = false;  // --from, --to or --step was given
  bool degrees = false;
  int threads = DefaultSamplingThreads();
};

// Reads the arguments of plot or analyze: the shared options into
// options, every argument that is no option (and every one after "--") by
// operand, any other option by other, called with its index (it moves the
// index past a value it takes). Refused options are reported as
// "COMMAND: OPTION needs a value" and so on. Returns 0, or the status of
// the usage error that ended the reading (the first non-zero status of
// operand or other).
int ReadArguments(std::string_view command, const std::vector<std::string>& args, SamplingOptions& options,
                  const std::function<int(const std::string&)>& operand,
                  const std::function<int(std::size_t&)>& other);

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
