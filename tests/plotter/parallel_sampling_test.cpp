// A run on several threads must be indistinguishable from the run on the
// calculator alone: the same points in the same order, the same messages,
// the same progress positions and the calculator left the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "number/number_text.h"
#include "plotter/background_sampling.h"
#include "plotter/sampling.h"

namespace veltrum {
namespace {

struct Record : PlotSeries, PlotProgress, MessageSink {
  void Clear() override { log += "clear;"; }
  void AddPoint(double x, double y) override {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a,%a;", x, y);
    log += buf;
  }
  void SetRange(int minimum, int maximum) override {
    log += "range " + std::to_string(minimum) + " " + std::to_string(maximum) + ";";
  }
  void SetStep(int) override {}
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
  SamplingEnd end;
};

Outcome RunOn(std::string_view expression, std::string_view from, std::string_view to, SamplingStep step,
              int threads, bool degrees = false) {
  Record r;
  Calculator calc(&r);
  if (degrees) calc.Press(Key::optGrad);
  SamplingOptions options;
  options.threads = threads;
  const SamplingEnd end = RunSampling(calc, {expression, from, to, step}, r, r, r, options);
  r.log += "last position " + std::to_string(r.last);
  return {r.log, calc.Text1(), std::string(calc.ShiftCaption()), end};
}

void ExpectSameAsAlone(std::string_view expression, std::string_view from, std::string_view to,
                       SamplingStep step = kStepTenth, bool degrees = false) {
  const Outcome alone = RunOn(expression, from, to, step, 1, degrees);
  for (int threads : {2, 3, 8}) {
    const Outcome o = RunOn(expression, from, to, step, threads, degrees);
    EXPECT_EQ(o.log, alone.log) << expression << " on " << threads << " threads";
    EXPECT_EQ(o.display, alone.display) << expression << " on " << threads << " threads";
    EXPECT_EQ(o.shift, alone.shift);
    EXPECT_EQ(o.end, alone.end);
  }
}

TEST(ParallelSampling, SameRunsAsOnTheCalculatorAlone) {
  ExpectSameAsAlone("sin[x]", "-3", "3");
  ExpectSameAsAlone("(sin[x]*arccos[x])^cos[1+(2*x)]", "-5", "5", kStepThousandth);
  ExpectSameAsAlone("1/x", "-1", "1", kStepHundredth);  // a sample without value in the middle
  ExpectSameAsAlone("tg[x]", "-360", "360", kStepTenth, true);
  ExpectSameAsAlone("x", "0,0005", "0,003", kStepThousandth);           // off-grid start
  ExpectSameAsAlone("x", "1E15", "1000000000000001", kStepThousandth);  // the step stalls
}

// The run as the plot window carries it out: checked on the calling thread,
// sampled in the background while the caller collects now and then, ended
// on the caller's calculator.
Outcome RunInBackground(std::string_view expression, std::string_view from, std::string_view to,
                        SamplingStep step, int threads) {
  Record r;
  Calculator calc(&r);
  r.Clear();
  SamplingEnd end = SamplingEnd::Refused;
  if (const std::optional<SamplingPlan> plan = PlanSampling({expression, from, to, step}, r, end)) {
    r.SetRange(0, plan->progressMaximum);
    r.SetPosition(0);
    BackgroundSampling run(*plan, std::string(expression), calc.Radians(), threads);
    std::vector<Sample> samples;
    std::optional<SamplesTaken> taken;
    int position = 0;
    while (!taken) {
      samples.clear();
      run.Collect(samples);
      for (const Sample& sample : samples)
        if (sample.y) r.AddPoint(sample.x, *sample.y);
      if (!samples.empty()) r.SetPosition(position += static_cast<int>(samples.size()));
      taken = run.Result();
      std::this_thread::yield();
    }
    end = FinishSampling(calc, run.Expression(), *taken, r, r);
  }
  r.log += "last position " + std::to_string(r.last);
  return {r.log, calc.Text1(), std::string(calc.ShiftCaption()), end};
}

TEST(BackgroundSampling, SameRunsAsOnTheCalculatorAlone) {
  const struct {
    const char *expression, *from, *to;
    SamplingStep step;
  } kRuns[] = {
      {"sin[x]", "-3", "3", kStepTenth},    {"1/x", "-1", "1", kStepHundredth},
      {"1E(x*1000)", "0", "1", kStepTenth}, {"1E(x*1000)", "-100", "0,4", kStepThousandth},
      {"x", "1", "1", kStepTenth},          {"x", "a", "1", kStepTenth},
      {"x", "-1E12", "1E12", kStepTenth},
  };
  for (const auto& run : kRuns) {
    const Outcome alone = RunOn(run.expression, run.from, run.to, run.step, 1);
    for (int threads : {1, 2}) {
      const Outcome o = RunInBackground(run.expression, run.from, run.to, run.step, threads);
      EXPECT_EQ(o.log, alone.log) << run.expression << " from " << run.from << " on " << threads;
      EXPECT_EQ(o.display, alone.display) << run.expression << " from " << run.from << " on " << threads;
      EXPECT_EQ(o.end, alone.end) << run.expression << " from " << run.from << " on " << threads;
    }
  }
}

TEST(BackgroundSampling, StopEndsTheRunKeepingItsPoints) {
  Calculator calc;
  SamplingPlan plan{0, 1000, 0.001, 3, 1000001, 1000000};
  BackgroundSampling run(plan, "x", true, 2);
  std::vector<Sample> samples;
  while (samples.empty()) run.Collect(samples);
  run.Stop();
  std::optional<SamplesTaken> taken;
  while (!(taken = run.Result())) run.Collect(samples);
  EXPECT_EQ(taken->end, SamplesTaken::End::Stopped);
  EXPECT_EQ(taken->count, samples.size());
  EXPECT_LT(samples.size(), 1000001u);
  EXPECT_EQ(samples.back().x, taken->lastX);
}

TEST(ParallelSampling, RunsShorterThanTheWorkerCount) {
  ExpectSameAsAlone("x^2", "0", "0,1");
  ExpectSameAsAlone("sqrt[x]", "-0,1", "0,05");
}

TEST(ParallelSampling, FailureEndsTheRunWhereItWouldAlone) {
  // "1E400" cannot be read back as a double: the run ends with the message
  // at x = 0,4, keeping exactly the points before it.
  ExpectSameAsAlone("1E(x*1000)", "0,4", "1");                      // the first sample
  ExpectSameAsAlone("1E(x*1000)", "0", "1");                        // a middle one
  ExpectSameAsAlone("1E(x*1000)", "0", "0,4");                      // the last one
  ExpectSameAsAlone("1E(x*1000)", "-100", "0,4", kStepThousandth);  // many chunks before it
  const Outcome o = RunOn("1E(x*1000)", "0", "1", kStepTenth, 4);
  EXPECT_EQ(o.end, SamplingEnd::Failed);
  EXPECT_NE(o.log.find("message Error Произошла ошибка в вычислениях. at 4;"), std::string::npos) << o.log;
}

TEST(ParallelSampling, RefusedRunsStartNoWorker) {
  ExpectSameAsAlone("x", "1", "1");
  ExpectSameAsAlone("x", "-1E12", "1E12");
  EXPECT_EQ(RunOn("x", "a", "1", kStepTenth, 2).end, SamplingEnd::Failed);
}

TEST(ParallelSampling, StopKeepsThePointsSoFar) {
  for (int threads : {1, 2}) {
    Record r;
    Calculator calc(&r);
    SamplingOptions options;
    options.threads = threads;
    // Stop once the first point is in, however slow the machine.
    options.keepGoing = [&] { return r.log.find(',') == std::string::npos; };
    EXPECT_EQ(RunSampling(calc, {"x", "0", "1000", kStepThousandth}, r, r, r, options), SamplingEnd::Stopped);
    EXPECT_EQ(r.last, 0);
    EXPECT_EQ(r.log.find("message"), std::string::npos);
    const std::size_t points = static_cast<std::size_t>(std::count(r.log.begin(), r.log.end(), ','));
    EXPECT_GT(points, 0u);
    EXPECT_LT(points, 1000001u);
    EXPECT_EQ(calc.Text1(), NumberText((static_cast<double>(points) - 1) / 1000)) << threads;
  }
}

// Every expression of the evaluator's fuzz corpus, sampled around its x.
TEST(ParallelSampling, FuzzCorpusRunsAlikeOnOneAndSeveralThreads) {
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
    const Outcome alone = RunOn(expression, from, to, kStepTenth, 1);
    const Outcome parallel = RunOn(expression, from, to, kStepTenth, 3);
    EXPECT_EQ(parallel.log, alone.log) << file.path();
    EXPECT_EQ(parallel.display, alone.display) << file.path();
    ++runs;
  }
  EXPECT_GT(runs, 100);
}

}  // namespace
}  // namespace veltrum
