// Per-call costs of the calculator core: a key press with its display
// update, the two number-text conversions, and one plotted sample.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>

#include "calculator/calculator.h"
#include "number/number_text.h"
#include "number/number_texts.h"
#include "calculator/plot_run.h"
#include "plotter/evaluator.h"
#include "plotter/sample_grid.h"

namespace {

using namespace veltrum;

// "12+34=" and C: seven keys per iteration.
void BM_KeyPress(benchmark::State& state) {
  Calculator calc;
  const Key keys[] = {Key::cmd1, Key::cmd2, Key::cmdplus, Key::cmd3, Key::cmd4, Key::cmdis, Key::cmdon};
  for (auto _ : state)
    for (Key k : keys) calc.Press(k);
  state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_KeyPress);

// A value written as the display's number text.
void BM_ShowValue(benchmark::State& state) {
  std::string text;
  char buf[kNumberTextCapacity];
  Extended v = 0.1234567890123456789L;
  for (auto _ : state) {
    text.assign(buf, FormatNumber(v, buf));
    benchmark::DoNotOptimize(text);
    v += 1.0L;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShowValue);

// The display's number text read as a number.
void BM_ReadDisplay(benchmark::State& state) {
  const std::string text = NumberText(-0.239249329213982L);
  for (auto _ : state) benchmark::DoNotOptimize(ReadNumber(text));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadDisplay);

void Sample(benchmark::State& state, const char* expression) {
  Calculator calc;
  PlotRun run(calc);
  Evaluator evaluator;
  double x = -3;
  for (auto _ : state) {
    benchmark::DoNotOptimize(evaluator.At(calc, expression, x));
    run.NextSample();
    x = x > 3 ? -3 : x + 0.001;
  }
  state.SetItemsProcessed(state.iterations());
}
void BM_SampleSin(benchmark::State& state) { Sample(state, "sin[x]"); }
void BM_SampleHelpExample(benchmark::State& state) { Sample(state, "(sin[x]*arccos[x])^cos[1+(2*x)]"); }
BENCHMARK(BM_SampleSin);
BENCHMARK(BM_SampleHelpExample);

// The x values of a run cut back to the step grid, one per call.
void BM_GridNext(benchmark::State& state) {
  Calculator calc;
  NumberTexts& texts = PlotRun::Texts(calc);
  SampleGrid grid(-500, 500, 0.001, 3);
  double x;
  for (auto _ : state) {
    if (!grid.Next(x, texts)) grid = SampleGrid(-500, 500, 0.001, 3);
    benchmark::DoNotOptimize(x);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GridNext);

// What a sampling worker does for one sample of sin[x] as veltrum-cli
// prints it: the grid's next x, the evaluation, the line "x<TAB>y".
void BM_WorkerSampleSinLine(benchmark::State& state) {
  Calculator calc;
  PlotRun run(calc);
  Evaluator evaluator;
  NumberTexts& texts = PlotRun::Texts(calc);
  SampleGrid grid(-500, 500, 0.001, 3);
  std::string lines;
  char line[2 * kNumberTextCapacity + 2];
  double x;
  for (auto _ : state) {
    if (!grid.Next(x, texts)) grid = SampleGrid(-500, 500, 0.001, 3);
    const std::optional<double> y = evaluator.At(calc, "sin[x]", x);
    run.NextSample();
    if (y) {
      std::size_t len = texts.Format(x, line);
      line[len++] = '\t';
      len += texts.Format(*y, line + len);
      line[len++] = '\n';
      lines.append(line, len);
    }
    if (lines.size() > (1 << 16)) lines.clear();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WorkerSampleSinLine);

// One sample of n groups "(x+1)^2/cos[x]" joined by "+" (2,000 groups make
// about 30,000 characters): the time per group must not grow with n.
void BM_SampleGroups(benchmark::State& state) {
  std::string expression = "(x+1)^2/cos[x]";
  for (std::int64_t i = 1; i < state.range(0); ++i) expression += "+(x+1)^2/cos[x]";
  Sample(state, expression.c_str());
}
BENCHMARK(BM_SampleGroups)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000);

}  // namespace

BENCHMARK_MAIN();
