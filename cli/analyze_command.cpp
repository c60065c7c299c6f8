// veltrum-cli analyze: the zeros, extrema, breaks, intersections and the
// integral of a function over a sampling range, one line per finding in
// ascending x, in the calculator's number texts.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "number/number_text.h"
#include "cli/commands.h"
#include "plotter/analysis.h"

namespace veltrum::cli {
namespace {

constexpr const char* kKindWords[] = {"root", "min", "max", "break", "intersection"};

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnAnalyzeInterrupt(int) { interrupted = 1; }

}  // namespace

int RunAnalyze(const std::vector<std::string>& args) {
  std::string from = "-3", to = "3";
  SamplingStep step = kStepTenth;
  bool degrees = false;
  int threads = DefaultSamplingThreads();
  std::vector<const std::string*> expressions;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options && a == "--") {
      options = false;
      continue;
    }
    if (!options || a.size() < 2 || a.rfind("--", 0) != 0) {
      if (expressions.size() == 2) return UsageError("analyze: at most two EXPRESSIONs are taken");
      expressions.push_back(&a);
      continue;
    }
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (a == "--from") {
      if (!value(from)) return UsageError("analyze: --from needs a value");
    } else if (a == "--to") {
      if (!value(to)) return UsageError("analyze: --to needs a value");
    } else if (a == "--step") {
      std::string s;
      if (!value(s)) return UsageError("analyze: --step needs a value");
      const std::optional<SamplingStep> known = StepFromText(s);
      if (!known) return UsageError("analyze: --step takes 0,1, 0,01 or 0,001");
      step = *known;
    } else if (a == "--threads") {
      std::string s;
      if (!value(s)) return UsageError("analyze: --threads needs a value");
      const std::optional<int> n = ThreadsOption(s);
      if (!n) return UsageError("analyze: --threads takes a number from 1 to 1024");
      threads = *n;
    } else if (a == "--degrees") {
      degrees = true;
    } else {
      return UsageError("analyze: unknown option '" + a + "'");
    }
  }
  if (expressions.empty()) return UsageError("analyze: EXPRESSION is missing");

  StderrMessages messages;
  SamplingEnd refusal = SamplingEnd::Refused;
  const std::optional<SamplingPlan> plan = PlanSampling({*expressions[0], from, to, step}, messages, refusal);
  if (!plan) return 1;
  AnalysisRequest request;
  request.expression = *expressions[0];
  if (expressions.size() == 2) request.second = *expressions[1];
  request.plan = *plan;
  request.radians = !degrees;
  std::signal(SIGINT, OnAnalyzeInterrupt);
  const AnalysisResult result = Analyze(request, threads, [] { return interrupted == 0; });
  if (result.stopped) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
  }
  if (result.failed) {
    messages.ShowMessage(MessageKind::Error, kCalcErrorText);
    return 1;
  }
  for (const Finding& f : result.findings) {
    std::string line = kKindWords[static_cast<int>(f.kind)];
    line += '\t' + NumberText(f.x);
    if (f.kind != FindingKind::Break) line += '\t' + NumberText(f.y);
    std::puts(line.c_str());
  }
  if (result.integral.end == IntegralValue::End::Computed) {
    std::printf("integral\t%s\n", NumberText(result.integral.value).c_str());
  } else {
    std::puts("integral\t-");
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", IntegralMessage(result.integral).c_str());
  }
  return 0;
}

}  // namespace veltrum::cli
