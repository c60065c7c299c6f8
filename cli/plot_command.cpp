// veltrum-cli plot: one sampling run with the plot window's defaults,
// printed as x<TAB>y lines in the calculator's number texts; or, with
// --set, the runs of a function set one after another.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <variant>

#include "calculator/calculator.h"
#include "number/number_text.h"
#include "cli/commands.h"
#include "plotter/function_set.h"
#include "plotter/sampling.h"

namespace veltrum::cli {
namespace {

class StdoutSeries : public PlotSeries {
 public:
  StdoutSeries() { std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16); }
  void Clear() override {}
  // Each line starts with prefix ("3\t" for the third function of a set).
  void SetPrefix(std::string prefix) { prefix_ = std::move(prefix); }
  void AddPoint(double x, double y) override {
    char line[2 * kNumberTextCapacity + 2];
    if (!prefix_.empty()) std::fwrite(prefix_.data(), 1, prefix_.size(), stdout);
    std::size_t n = FormatNumber(x, line);
    line[n++] = '\t';
    n += FormatNumber(y, line + n);
    line[n++] = '\n';
    std::fwrite(line, 1, n, stdout);
  }

 private:
  std::string prefix_;
};

class NoProgress : public PlotProgress {
 public:
  void SetRange(int, int) override {}
  void SetStep(int) override {}
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
      char* end = nullptr;
      const long n = std::strtol(s.c_str(), &end, 10);
      if (s.empty() || *end != '\0' || n < 1 || n > 1024)
        return UsageError("plot: --threads takes a number from 1 to 1024");
      threads = static_cast<int>(n);
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
  StdoutSeries series;
  NoProgress progress;
  // Ctrl+C ends the run between samples, so every line printed is whole.
  std::signal(SIGINT, OnInterrupt);
  SamplingOptions run;
  run.threads = threads;
  run.keepGoing = [] { return interrupted == 0; };
  // A function that is refused or fails does not stop the ones after it,
  // as in the window's "Обновить все".
  bool failed = false;
  try {
    for (std::size_t k = 0; k < set.expressions.size() && !interrupted; ++k) {
      if (!setPath.empty()) series.SetPrefix(std::to_string(k + 1) + '\t');
      const SamplingEnd end =
          RunSampling(calc, {set.expressions[k], set.from, set.to, set.step}, series, progress, messages, run);
      failed = failed || end == SamplingEnd::Refused || end == SamplingEnd::Failed;
    }
  } catch (const std::exception& e) {
    if (!IsOutOfMemory(e)) throw;
    // Lines are written whole into the buffer, so what it holds goes out
    // whole before the message.
    messages.ShowMessage(MessageKind::Error, kOutOfMemoryText);
    return 1;
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
