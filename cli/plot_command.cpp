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
  SamplingOptions o;
  const std::string* expression = nullptr;
  std::string setPath;
  const int status = ReadArguments(
      "plot", args, o,
      [&](const std::string& a) {
        if (expression) return UsageError("plot: only one EXPRESSION is taken");
        expression = &a;
        return 0;
      },
      [&](std::size_t& i) {
        if (args[i] != "--set") return UsageError("plot: unknown option '" + args[i] + "'");
        if (i + 1 >= args.size()) return UsageError("plot: --set needs a FILE");
        setPath = args[++i];
        return 0;
      });
  if (status != 0) return status;
  StderrMessages messages;
  FunctionSet set;
  if (!setPath.empty()) {
    if (expression) return UsageError("plot: --set takes no EXPRESSION");
    if (o.rangeGiven) return UsageError("plot: --set takes the bounds and the step from FILE");
    std::variant<FunctionSet, SetRefusal> read = LoadFunctionSet(setPath);
    if (const SetRefusal* refusal = std::get_if<SetRefusal>(&read)) {
      messages.ShowMessage(MessageKind::Error, refusal->message);
      return 1;
    }
    set = std::move(std::get<FunctionSet>(read));
  } else {
    if (!expression) return UsageError("plot: EXPRESSION is missing");
    set.expressions = {*expression};
    set.from = o.from;
    set.to = o.to;
    set.step = o.step;
  }

  Calculator calc(&messages);
  if (o.degrees) calc.Press(Key::optGrad);
  StdoutLines out;
  NoProgress progress;
  // Ctrl+C ends the run between samples, so every line printed is whole.
  std::signal(SIGINT, OnInterrupt);
  SamplingRun run(o.threads);
  // A function that is refused or fails does not stop the ones after it,
  // as in the window's "Обновить все"; a failure that is not the
  // calculator's own (no thread, no memory) stops them all.
  bool failed = false;
  for (std::size_t k = 0; k < set.expressions.size() && !interrupted; ++k) {
    const std::string prefix = setPath.empty() ? std::string() : std::to_string(k + 1) + '\t';
    std::optional<RunEnd> end =
        run.Start({set.expressions[k], set.from, set.to, set.step}, calc.Radians(), &prefix);
    while (!end) {
      if (interrupted) run.Stop();
      run.Wait(std::chrono::milliseconds(kPollIntervalMs));
      end = run.Poll(out, progress);
    }
    if (end->kind != RunEnd::Kind::Failed) continue;
    failed = true;
    std::fflush(stdout);
    if (IsCalculatorFailure(end->failure)) {
      messages.ShowMessage(MessageKind::Error, end->text);
    } else {
      std::fprintf(stderr, "veltrum-cli: %s\n", end->text.c_str());
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
