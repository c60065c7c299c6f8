// veltrum-cli plot: one sampling run with the plot window's defaults,
// printed as x<TAB>y lines in the calculator's number texts.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calculator/calculator.h"
#include "calculator/number_text.h"
#include "cli/commands.h"
#include "plotter/sampling.h"

namespace veltrum::cli {
namespace {

class StdoutSeries : public PlotSeries {
 public:
  StdoutSeries() { std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16); }
  void Clear() override {}
  void AddPoint(double x, double y) override {
    char line[2 * kNumberTextCapacity + 2];
    std::size_t n = FormatNumber(x, line);
    line[n++] = '\t';
    n += FormatNumber(y, line + n);
    line[n++] = '\n';
    std::fwrite(line, 1, n, stdout);
  }
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
    } else if (a == "--to") {
      if (!value(to)) return UsageError("plot: --to needs a value");
    } else if (a == "--step") {
      std::string s;
      if (!value(s)) return UsageError("plot: --step needs a value");
      if (s == "0,1")
        step = kStepTenth;
      else if (s == "0,01")
        step = kStepHundredth;
      else if (s == "0,001")
        step = kStepThousandth;
      else
        return UsageError("plot: --step takes 0,1, 0,01 or 0,001");
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
  if (!expression) return UsageError("plot: EXPRESSION is missing");

  StderrMessages messages;
  Calculator calc(&messages);
  if (degrees) calc.Press(Key::optGrad);
  StdoutSeries series;
  NoProgress progress;
  // Ctrl+C ends the run between samples, so every line printed is whole.
  std::signal(SIGINT, OnInterrupt);
  SamplingOptions run;
  run.threads = threads;
  run.keepGoing = [] { return interrupted == 0; };
  const SamplingEnd end = RunSampling(calc, {*expression, from, to, step}, series, progress, messages, run);
  std::fflush(stdout);
  if (interrupted) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
  }
  // Samples that fail on their own end nothing: they are no failure.
  return end == SamplingEnd::Refused || end == SamplingEnd::Failed ? 1 : 0;
}

}  // namespace veltrum::cli
