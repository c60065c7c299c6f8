// veltrum-cli plot: one sampling run with the plot window's defaults,
// printed as x<TAB>y lines in the calculator's number texts; or, with
// --set, the runs of a function set one after another.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <variant>

#include "calculator/calculator.h"
#include "cli/commands.h"
#include "plotter/function_set.h"
#include "plotter/sampling_run.h"

namespace veltrum::cli {
namespace {

// The lines arrive written by the run's workers: here they are only
// copied out, in order.
class StdoutLines : public PlotLines {
 public:
  StdoutLines() { std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16); }
  void AddLines(std::string_view lines) override { std::fwrite(lines.data(), 1, lines.size(), stdout); }
};

class NoProgress : public PlotProgress {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
};

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

}  // namespace

int RunPlot(const std::vector<std::string>& args) {
  std::string from = "-3", to = "3";
  SamplingStep step = kStepTenth;
  bool degrees = false;
  int threads = DefaultSamplingThreads();
  const std::string* expression = nullptr;
  std::string setPath;
  bool rangeGiven = false;
  // After "--" every argument is taken as it stands, so an EXPRESSION may
  // start with "-".
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options && a == "--") {
      options = false;
      continue;
    }
    if (!options || a.size() < 2 || a.rfind("--", 0) != 0) {
      if (expression) return UsageError("plot: only one EXPRESSION is taken");
      expression = &a;
      continue;
    }
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (a == "--from") {
      if (!value(from)) return UsageError("plot: --from needs a value");
      rangeGiven = true;
    } else if (a == "--to") {
      if (!value(to)) return UsageError("plot: --to needs a value");
      rangeGiven = true;
    } else if (a == "--set") {
      if (!value(setPath)) return UsageError("plot: --set needs a FILE");
    } else if (a == "--step") {
      rangeGiven = true;
      std::string s;
      if (!value(s)) return UsageError("plot: --step needs a value");
      const std::optional<SamplingStep> known = StepFromText(s);
      if (!known) return UsageError("plot: --step takes 0,1, 0,01 or 0,001");
      step = *known;
    } else if (a == "--threads") {
      std::string s;
      if (!value(s)) return UsageError("plot: --threads needs a value");
      const std::optional<int> n = ThreadsOption(s);
      if (!n) return UsageError("plot: --threads takes a number from 1 to 1024");
      threads = *n;
    } else if (a == "--degrees") {
      degrees = true;
    } else {
      return UsageError("plot: unknown option '" + a + "'");
    }
  }
  StderrMessages messages;
  FunctionSet set;
  if (!setPath.empty()) {
    if (expression) return UsageError("plot: --set takes no EXPRESSION");
    if (rangeGiven) return UsageError("plot: --set takes the bounds and the step from FILE");
    std::variant<FunctionSet, SetRefusal> read = LoadFunctionSet(setPath);
    if (const SetRefusal* refusal = std::get_if<SetRefusal>(&read)) {
      messages.ShowMessage(MessageKind::Error, refusal->message);
      return 1;
    }
    set = std::move(std::get<FunctionSet>(read));
  } else {
    if (!expression) return UsageError("plot: EXPRESSION is missing");
    set.expressions = {*expression};
    set.from = from;
    set.to = to;
    set.step = step;
  }

  Calculator calc(&messages);
  if (degrees) calc.Press(Key::optGrad);
  StdoutLines out;
  NoProgress progress;
  // Ctrl+C ends the run between samples, so every line printed is whole.
  std::signal(SIGINT, OnInterrupt);
  SamplingRun run(calc, messages, threads);
  // A function that is refused or fails does not stop the ones after it,
  // as in the window's "Обновить все"; a run that cannot start its threads
  // stops them all.
  bool failed = false;
  for (std::size_t k = 0; k < set.expressions.size() && !interrupted; ++k) {
    const std::string prefix = setPath.empty() ? std::string() : std::to_string(k + 1) + '\t';
    std::optional<SamplingEnd> end = run.Start({set.expressions[k], set.from, set.to, set.step}, &prefix);
    while (!end) {
      if (interrupted) run.Stop();
      run.Wait(std::chrono::milliseconds(kPollIntervalMs));
      end = run.Poll(out, progress);
    }
    failed = failed || *end == SamplingEnd::Refused || *end == SamplingEnd::Failed;
    if (!run.Error().empty()) {
      std::fflush(stdout);
      std::fprintf(stderr, "veltrum-cli: %s\n", run.Error().c_str());
      break;
    }
  }
  std::fflush(stdout);
  if (interrupted) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
  }
  // Samples that fail on their own end nothing: they are no failure.
  return failed ? 1 : 0;
}

}  // namespace veltrum::cli
