// A sampling run on worker threads must be indistinguishable from the run
// on the calculator alone, sample after sample: the same points in the same
// order, the same messages, the same progress positions and the calculator
// left the same way, for any number of workers.
#include "plotter/sampling_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "calculator/plot_run.h"
#include "number/number_text.h"
#include "plotter/evaluator.h"
#include "tests/support/no_threads.h"

namespace veltrum {
namespace {

struct Record : PlotSeries, PlotProgress, MessageSink {
  void AddPoint(double x, double y) override {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a,%a;", x, y);
    log += buf;
  }
  void SetRange(int minimum, int maximum) override {
    log += "range " + std::to_string(minimum) + " " + std::to_string(maximum) + ";";
  }
  void SetPosition(int p) override {
    if (p == 0 || p < last) log += "position " + std::to_string(p) + ";";
    last = p;
  }
  void ShowMessage(MessageKind kind, std::string_view text) override {
    log += "message " + std::string(MessageCaption(kind)) + " " + std::string(text) + " at " +
           std::to_string(last) + ";";
  }
  std::string log;
  int last = 0;
};

struct Outcome {
  std::string log;
  std::string display, shift;
  RunEnd::Kind end;
};

Outcome RunOn(std::string_view expression, std::string_view from, std::string_view to, SamplingStep step,
              int threads, bool degrees = false) {
  Record r;
  Calculator calc(&r);
  if (degrees) calc.Press(Key::optGrad);
  const RunEnd end = RunSampling(calc, {expression, from, to, step}, r, r, r, threads);
  r.log += "last position " + std::to_string(r.last);
  return {r.log, calc.Text1(), std::string(calc.ShiftCaption()), end.kind};
}

// The reference: every sample on the caller's calculator, one after the
// other; a conversion failure ends the run with the calculation message.
Outcome RunAlone(std::string_view expression, std::string_view from, std::string_view to, SamplingStep step,
                 bool degrees = false) {
  Record r;
  Calculator calc(&r);
  if (degrees) calc.Press(Key::optGrad);
  RunEnd refusal;
  RunEnd::Kind end = RunEnd::Kind::Failed;
  if (const std::optional<SamplingPlan> plan = PlanSampling({expression, from, to, step}, refusal)) {
    r.SetRange(0, plan->progressMaximum);
    r.SetPosition(0);
    end = RunEnd::Kind::Completed;
    SampleGrid grid(plan->from, plan->to, plan->step, plan->decimals);
    int position = 0;
    {
      PlotRun run(calc);
      Evaluator evaluator;
      double x;
      try {
        while (grid.Next(x, PlotRun::Texts(calc))) {
          const std::optional<double> y = evaluator.At(calc, expression, x);
          run.NextSample();
          if (y) r.AddPoint(x, *y);
          r.SetPosition(++position);
        }
      } catch (const CalcFailure&) {
        end = RunEnd::Kind::Failed;
      }
    }
    if (end == RunEnd::Kind::Failed)
      r.ShowMessage(MessageKind::Error, kCalcErrorText);
    else
      r.SetPosition(0);
  } else {
    r.ShowMessage(MessageKind::Error, refusal.text);
  }
  r.log += "last position " + std::to_string(r.last);
  return {r.log, calc.Text1(), std::string(calc.ShiftCaption()), end};
}

void ExpectSameAsAlone(std::string_view expression, std::string_view from, std::string_view to,
                       SamplingStep step = kStepTenth, bool degrees = false) {
  const Outcome alone = RunAlone(expression, from, to, step, degrees);
  for (int threads : {1, 2, 3, 8}) {
    const Outcome o = RunOn(expression, from, to, step, threads, degrees);
    EXPECT_EQ(o.log, alone.log) << expression << " on " << threads << " threads";
    EXPECT_EQ(o.display, alone.display) << expression << " on " << threads << " threads";
    EXPECT_EQ(o.shift, alone.shift);
    EXPECT_EQ(o.end, alone.end);
  }
}

TEST(SamplingRun, SameRunsAsOnTheCalculatorAlone) {
  ExpectSameAsAlone("sin[x]", "-3", "3");
  ExpectSameAsAlone("(sin[x]*arccos[x])^cos[1+(2*x)]", "-5", "5", kStepThousandth);
  ExpectSameAsAlone("1/x", "-1", "1", kStepHundredth);  // a sample without value in the middle
  ExpectSameAsAlone("tg[x]", "-360", "360", kStepTenth, true);
  ExpectSameAsAlone("x", "0,0005", "0,003", kStepThousandth);           // off-grid start
  ExpectSameAsAlone("x", "1E15", "1000000000000001", kStepThousandth);  // the step stalls
}

// The lines veltrum-cli prints are written by the workers.
struct Lines : PlotLines, PlotProgress, MessageSink {
  void AddLines(std::string_view lines) override { text += lines; }
  void SetRange(int, int) override {}
  void SetPosition(int) override {}
  void ShowMessage(MessageKind, std::string_view message) override { text += "message " + std::string(message); }
  std::string text;
};

TEST(SamplingRun, WorkersWriteTheLinesInOrder) {
  for (int threads : {1, 3}) {
    Lines out;
    Calculator calc;
    SamplingRun run(threads);
    const std::string prefix = "2\t";
    const std::uint64_t inputs = calc.InputCount();
    std::optional<RunEnd> end = run.Start({"1/x", "-0,2", "0,2", kStepTenth}, calc.Radians(), &prefix);
    while (!end) {
      run.Wait(std::chrono::milliseconds(kPollIntervalMs));
      end = run.Poll(out, out);
    }
    EXPECT_EQ(end->kind, RunEnd::Kind::Completed);
    EXPECT_EQ(out.text, "2\t-0,2\t-5\n2\t-0,1\t-10\n2\t0,1\t10\n2\t0,2\t5\n") << threads;
    EXPECT_TRUE(LeaveLastSample(calc, *end, inputs));
    EXPECT_EQ(calc.Text1(), "5");
  }
}

TEST(SamplingRun, StopKeepsThePointsSoFarInOrder) {
  for (int threads : {1, 2}) {
    Record r;
    Calculator calc(&r);
    SamplingRun run(threads);
    const std::uint64_t inputs = calc.InputCount();
    ASSERT_FALSE(run.Start({"x", "0", "1000", kStepThousandth}, calc.Radians()));
    std::optional<RunEnd> end;
    // Stop once the first point is in, however slow the machine.
    while (!end) {
      if (r.log.find(',') != std::string::npos) run.Stop();
      run.Wait(std::chrono::milliseconds(kPollIntervalMs));
      end = run.Poll(r, r);
    }
    EXPECT_EQ(end->kind, RunEnd::Kind::Stopped);
    EXPECT_TRUE(LeaveLastSample(calc, *end, inputs));
    EXPECT_EQ(r.last, 0);
    EXPECT_EQ(r.log.find("message"), std::string::npos);
    const std::size_t points = static_cast<std::size_t>(std::count(r.log.begin(), r.log.end(), ','));
    EXPECT_GT(points, 0u);
    EXPECT_LT(points, 1000001u);
    EXPECT_EQ(calc.Text1(), NumberText((static_cast<double>(points) - 1) / 1000)) << threads;
  }
}

// A run goes on while the windows stay live: its last sample is left on
// the owner's calculator, shift off, only when nobody used it meanwhile;
// what a person typed during the run stands.
TEST(SamplingRun, TheLastSampleNeverOverwritesWhatWasTyped) {
  const struct {
    const char* what;
    bool shiftBefore;
    std::vector<Input> during;
    bool left;
    const char* display;  // after the run, then after "="
    const char* afterEquals;
  } rows[] = {
      {"nothing typed", true, {}, true, "0,141120008059867", "0,141120008059867"},
      {"paste 40, + and 2", false, {Input::Pasted("40"), Key::cmdplus, Key::cmd2}, false, "2", "42"},
      {"the shift alone", false, {Key::cmdShift}, false, "0", "0"},
  };
  for (const auto& row : rows) {
    Record r;
    Calculator calc(&r);
    if (row.shiftBefore) calc.Press(Key::cmdShift);
    SamplingRun run(2);
    const std::uint64_t inputs = calc.InputCount();
    ASSERT_FALSE(run.Start({"sin[x]", "-3", "3", kStepTenth}, calc.Radians()));
    for (const Input& input : row.during) calc.Press(input);
    const bool shiftTyped = calc.IsShiftOn();
    std::optional<RunEnd> end;
    while (!end) {
      run.Wait(std::chrono::milliseconds(kPollIntervalMs));
      end = run.Poll(r, r);
    }
    EXPECT_EQ(end->kind, RunEnd::Kind::Completed) << row.what;
    EXPECT_EQ(end->display, "0,141120008059867") << row.what;
    EXPECT_EQ(LeaveLastSample(calc, *end, inputs), row.left) << row.what;
    EXPECT_EQ(calc.Text1(), row.display) << row.what;
    EXPECT_EQ(calc.IsShiftOn(), row.left ? false : shiftTyped) << row.what;
    calc.Press(Key::cmdis);
    EXPECT_EQ(calc.Text1(), row.afterEquals) << row.what;
  }
}

// A chart that runs out of memory while taking the points.
struct FullSeries : Record {
  void AddPoint(double, double) override { throw std::bad_alloc(); }
};

TEST(SamplingRun, FailureOutsideTheCalculatorEndsTheRunAsAValue) {
  FullSeries r;
  Calculator calc(&r);
  SamplingRun run(2);
  ASSERT_FALSE(run.Start({"x", "0", "100", kStepThousandth}, calc.Radians()));
  std::optional<RunEnd> end;
  while (!end) {
    run.Wait(std::chrono::milliseconds(kPollIntervalMs));
    end = run.Poll(r, r);
  }
  EXPECT_EQ(end->kind, RunEnd::Kind::Failed);
  EXPECT_EQ(end->failure, RunEnd::Failure::OutOfMemory);
  EXPECT_EQ(end->text, kOutOfMemoryText);
  EXPECT_FALSE(run.Running());
  EXPECT_EQ(r.log.find("message"), std::string::npos);
}

TEST(SamplingRun, ThreadsThatCannotStartEndTheRunWithAnError) {
  Record r;
  Calculator calc(&r);
  SamplingRun run(4);
  std::optional<RunEnd> end;
  {
    const NoThreads limit;
    end = run.Start({"x", "0", "1", kStepTenth}, calc.Radians());
  }
  ASSERT_TRUE(end);
  EXPECT_EQ(end->kind, RunEnd::Kind::Failed);
  EXPECT_EQ(end->failure, RunEnd::Failure::NoThread);
  EXPECT_EQ(end->text.rfind(kNoThreadText, 0), 0u) << end->text;
  EXPECT_FALSE(run.Running());
  // The next run starts as usual.
  r.log.clear();
  EXPECT_EQ(RunSampling(calc, {"x", "0", "0,1", kStepTenth}, r, r, r, 2).kind, RunEnd::Kind::Completed);
}

TEST(SamplingRun, RunsShorterThanTheWorkerCount) {
  ExpectSameAsAlone("x^2", "0", "0,1");
  ExpectSameAsAlone("sqrt[x]", "-0,1", "0,05");
}

TEST(SamplingRun, FailureEndsTheRunWhereItWouldAlone) {
  // "1E400" cannot be read back as a double: the run ends with the message
  // at x = 0,4, keeping exactly the points before it.
  ExpectSameAsAlone("1E(x*1000)", "0,4", "1");                      // the first sample
  ExpectSameAsAlone("1E(x*1000)", "0", "1");                        // a middle one
  ExpectSameAsAlone("1E(x*1000)", "0", "0,4");                      // the last one
  ExpectSameAsAlone("1E(x*1000)", "-100", "0,4", kStepThousandth);  // many chunks before it
  const Outcome o = RunOn("1E(x*1000)", "0", "1", kStepTenth, 4);
  EXPECT_EQ(o.end, RunEnd::Kind::Failed);
  EXPECT_NE(o.log.find("message Error Произошла ошибка в вычислениях. at 4;"), std::string::npos) << o.log;
}

TEST(SamplingRun, RefusedRunsStartNoWorker) {
  ExpectSameAsAlone("x", "1", "1");
  ExpectSameAsAlone("x", "-1E12", "1E12");
  EXPECT_EQ(RunOn("x", "a", "1", kStepTenth, 2).end, RunEnd::Kind::Failed);
}

// Every expression of the evaluator's fuzz corpus, sampled around its x.
TEST(SamplingRun, FuzzCorpusRunsAlikeOnOneAndSeveralThreads) {
  int runs = 0;
  for (const auto& file : std::filesystem::directory_iterator(VELTRUM_EVALUATOR_CORPUS)) {
    std::ifstream in(file.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 8 || data.size() > 512) continue;
    double x;
    std::memcpy(&x, data.data(), sizeof x);
    if (!std::isfinite(x) || std::fabs(x) > 1E6) x = 0;
    const std::string from = NumberText(x), to = NumberText(x + 2);
    const std::string expression = data.substr(8);
    const Outcome alone = RunAlone(expression, from, to, kStepTenth);
    const Outcome parallel = RunOn(expression, from, to, kStepTenth, 3);
    EXPECT_EQ(parallel.log, alone.log) << file.path();
    EXPECT_EQ(parallel.display, alone.display) << file.path();
    ++runs;
  }
  EXPECT_GT(runs, 100);
}

}  // namespace
}  // namespace veltrum
