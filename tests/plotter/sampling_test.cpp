#include "plotter/sampling_run.h"

#include "plotter/available_memory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace veltrum {
namespace {

struct Recorder : PlotSeries, PlotProgress, MessageSink {
  void AddPoint(double x, double y) override { points.emplace_back(x, y); }
  void SetRange(int minimum, int maximum) override {
    this->minimum = minimum;
    this->maximum = maximum;
  }
  void SetPosition(int p) override {
    position = p;
    maxPosition = std::max(maxPosition, p);
  }
  void ShowMessage(MessageKind kind, std::string_view text) override {
    messages.push_back(std::string(MessageCaption(kind)) + ": " + std::string(text));
  }
  std::vector<std::pair<double, double>> points;
  std::vector<std::string> messages;
  int minimum = -1, maximum = -1, position = -1, maxPosition = 0;
};

struct SampleRun {
  Recorder r;
  Calculator calc{&r};
  explicit SampleRun(std::string_view expression, std::string_view from = "-3", std::string_view to = "3",
                     SamplingStep step = kStepTenth) {
    RunSampling(calc, {expression, from, to, step}, r, r, r);
  }
};

const std::string kRange = "Error: Неправильно заданы границы вычисления значений функции.";
const std::string kCalc = "Error: Произошла ошибка в вычислениях.";

TEST(Sampling, DefaultRunDraws61PointsOnTheGrid) {
  SampleRun run("sin[x]");
  ASSERT_EQ(run.r.points.size(), 61u);
  EXPECT_EQ(run.r.points.front().first, -3.0);
  EXPECT_DOUBLE_EQ(run.r.points.front().second, -0.141120008059867);
  EXPECT_EQ(run.r.points.back().first, 3.0);
  for (std::size_t i = 0; i < run.r.points.size(); ++i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", -3.0 + 0.1 * static_cast<double>(i));
    EXPECT_EQ(run.r.points[i].first, std::strtod(buf, nullptr)) << i;
  }
  EXPECT_EQ(run.r.maximum, 60);
  EXPECT_EQ(run.r.minimum, 0);
  EXPECT_EQ(run.r.maxPosition, 61);
  EXPECT_EQ(run.r.position, 0);
  EXPECT_EQ(run.calc.Snapshot().PlotMode, 0);
  EXPECT_EQ(run.calc.Snapshot().CalcError, 0);
  EXPECT_TRUE(run.r.messages.empty());
}

TEST(Sampling, FailedSamplesAreSkipped) {
  SampleRun reciprocal("1/x", "-1", "1");
  EXPECT_EQ(reciprocal.r.points.size(), 20u);
  for (const auto& p : reciprocal.r.points) EXPECT_NE(p.first, 0.0);
  EXPECT_EQ(reciprocal.r.maxPosition, 21);
  EXPECT_TRUE(reciprocal.r.messages.empty());
  SampleRun root("sqrt[x]");
  EXPECT_EQ(root.r.points.size(), 31u);
  EXPECT_EQ(root.r.points.front().first, 0.0);
}

struct RangeRow {
  const char* from;
  const char* to;
  SamplingStep step;
};

TEST(Sampling, EmptyOrReversedRangeShowsRangeMessage) {
  const RangeRow rows[] = {{"1", "1", kStepTenth}, {"5", "-5", kStepTenth}, {"-3", "3", kNoStep}};
  for (const RangeRow& row : rows) {
    SampleRun run("sin[x]", row.from, row.to, row.step);
    EXPECT_EQ(run.r.messages, std::vector<std::string>{kRange}) << row.from;
    EXPECT_TRUE(run.r.points.empty());
    EXPECT_EQ(run.r.maximum, -1);  // progress bar untouched
    EXPECT_EQ(run.calc.Snapshot().PlotMode, 0);
  }
}

TEST(Sampling, BoundThatIsNotANumberShowsCalculationMessage) {
  SampleRun run("sin[x]", "abc", "3");
  EXPECT_EQ(run.r.messages, std::vector<std::string>{kCalc});
  EXPECT_EQ(run.calc.Snapshot().PlotMode, 0);
  EXPECT_EQ(run.calc.Snapshot().CalcError, 0);
}

TEST(Sampling, ConversionFailureEndsRunKeepingPoints) {
  // The final display "1E400" does not fit a double.
  SampleRun run("1E400", "0", "1");
  EXPECT_EQ(run.r.messages, std::vector<std::string>{kCalc});
  EXPECT_EQ(run.calc.Snapshot().PlotMode, 0);
  EXPECT_EQ(run.calc.Snapshot().CalcError, 0);
}

TEST(Sampling, LastSampleStaysInsideTheRange) {
  SampleRun run("x", "-3", "2,95");
  EXPECT_EQ(run.r.points.back().first, 2.9);
}

TEST(Sampling, FineStepFromZeroToOne) {
  SampleRun run("x", "0", "1", kStepThousandth);
  EXPECT_EQ(run.r.points.size(), 1001u);
  EXPECT_EQ(run.r.maximum, 1000);
  EXPECT_EQ(run.r.points.back().first, 1.0);
}

TEST(Sampling, OffGridStartIsSampledThenCutToTheGrid) {
  SampleRun fine("x", "0,0005", "0,003", kStepThousandth);
  ASSERT_GE(fine.r.points.size(), 2u);
  EXPECT_EQ(fine.r.points[0].first, 0.0005);
  EXPECT_EQ(fine.r.points[1].first, 0.001);
  SampleRun coarse("x", "-0,05", "0,2");
  ASSERT_GE(coarse.r.points.size(), 3u);
  EXPECT_EQ(coarse.r.points[0].first, -0.05);
  EXPECT_EQ(coarse.r.points[1].first, 0.0);
  EXPECT_EQ(coarse.r.points[2].first, 0.1);
}

TEST(Sampling, ScientificOffGridStartIsCutTowardZero) {
  SampleRun run("x", "0,00005", "0,003", kStepThousandth);
  ASSERT_GE(run.r.points.size(), 2u);
  EXPECT_EQ(run.r.points[0].first, 0.00005);
  EXPECT_EQ(run.r.points[1].first, 0.001);
}

TEST(Sampling, RunThatCannotFinishIsRefused) {
  SampleRun run("x", "-1E12", "1E12");
  EXPECT_EQ(run.r.messages,
            std::vector<std::string>{"Error: Слишком много точек: уменьшите диапазон или увеличьте шаг."});
  EXPECT_TRUE(run.r.points.empty());
  EXPECT_EQ(run.calc.Snapshot().PlotMode, 0);
}

TEST(Sampling, StepThatNoLongerIncreasesXEndsTheRun) {
  SampleRun run("x", "1E15", "1000000000000001", kStepThousandth);
  EXPECT_LE(run.r.points.size(), 2u);
  EXPECT_GE(run.r.points.size(), 1u);
  EXPECT_EQ(run.calc.Snapshot().PlotMode, 0);
}

TEST(AvailableMemoryTest, ReadsMemAvailableOrNothing) {
  const std::string total = "MemTotal:       24000000 kB\nMemFree:         1000 kB\n";
  EXPECT_EQ(AvailableMemoryBytes(total + "MemAvailable:   2048 kB\nBuffers: 1 kB\n"), std::size_t{2048} * 1024);
  EXPECT_EQ(AvailableMemoryBytes(total), std::nullopt);
  EXPECT_EQ(AvailableMemoryBytes(total + "MemAvailable:   lots kB\n"), std::nullopt);
  EXPECT_EQ(AvailableMemoryBytes("MemAvailable: 2048 MB"), std::nullopt);
  // The machine the tests run on can tell.
  EXPECT_GT(AvailableMemoryBytes().value_or(0), 0u);
}

}  // namespace
}  // namespace veltrum
