// The options plot and analyze share, read in one place so that both
// commands take them alike and refuse them with the same words.
#include <functional>
#include <string>

#include "cli/commands.h"

namespace veltrum::cli {
namespace {

enum class OptionRead { Other, Read, Refused };

// Reads args[i] when it is one of the shared options, with its value (i
// then stands on the value).
OptionRead ReadSamplingOption(std::string_view command, const std::vector<std::string>& args, std::size_t& i,
                              SamplingOptions& options) {
  const std::string& a = args[i];
  const std::string prefix = std::string(command) + ": " + a;
  const auto value = [&](std::string& out) {
    if (i + 1 >= args.size()) return false;
    out = args[++i];
    return true;
  };
  const auto refuse = [&](const char* why) {
    UsageError(prefix + why);
    return OptionRead::Refused;
  };
  std::string text;
  if (a == "--from" || a == "--to") {
    if (!value(a == "--from" ? options.from : options.to)) return refuse(" needs a value");
    options.rangeGiven = true;
  } else if (a == "--step") {
    options.rangeGiven = true;
    if (!value(text)) return refuse(" needs a value");
    const std::optional<SamplingStep> known = StepFromText(text);
    if (!known) return refuse(" takes 0,1, 0,01 or 0,001");
    options.step = *known;
  } else if (a == "--threads") {
    if (!value(text)) return refuse(" needs a value");
    const std::optional<int> n = ThreadsOption(text);
    if (!n) return refuse(" takes a number from 1 to 1024");
    options.threads = *n;
  } else if (a == "--degrees") {
    options.degrees = true;
  } else {
    return OptionRead::Other;
  }
  return OptionRead::Read;
}

}  // namespace

int ReadArguments(std::string_view command, const std::vector<std::string>& args, SamplingOptions& options,
                  const std::function<int(const std::string&)>& operand,
                  const std::function<int(std::size_t&)>& other) {
  // After "--" every argument is taken as it stands, so an EXPRESSION may
  // start with "-".
  bool optionsGo = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsGo && a == "--") {
      optionsGo = false;
      continue;
    }
    int status = 0;
    if (!optionsGo || a.size() < 2 || a.rfind("--", 0) != 0) {
      status = operand(a);
    } else {
      switch (ReadSamplingOption(command, args, i, options)) {
        case OptionRead::Read: break;
        case OptionRead::Refused: return 2;
        case OptionRead::Other: status = other(i); break;
      }
    }
    if (status != 0) return status;
  }
  return 0;
}

}  // namespace veltrum::cli
