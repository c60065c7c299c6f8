// The evaluator enters runs of digits at once and skips the keys of
// numbers that they would show as they are; EvaluateAtKeyByKey presses
// every key. Both must give the same value, the same failure and leave
// the calculator in the same state, on every expression of the fuzz
// corpus and the help examples, at x values of every kind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "number/number_text.h"
#include "calculator/plot_run.h"
#include "plotter/evaluator.h"

namespace veltrum {
namespace {

class QuietMessages : public MessageSink {
 public:
  void ShowMessage(MessageKind, std::string_view) override {}
};

// The display and every state variable, as one text.
std::string State(const Calculator& calc) {
  const CalculatorState s = calc.Snapshot();
  char state[512];
  std::snprintf(state, sizeof state, " | %d %d %d %d %d %d %d %d %a %a %a %a %a %d %a %a %a %d", s.EntryState,
                static_cast<int>(s.PendingKey), static_cast<int>(s.SimpleOp), static_cast<int>(s.ChainState),
                static_cast<int>(s.PowerState), s.ChainActive, s.ExponentStart, s.ShiftOn, s.Accumulator,
                s.Factor, s.PowerBase, s.Operand, s.ChainResult, s.RepeatMark, s.Memory[0], s.Memory[1],
                s.Memory[2], s.CalcError);
  return " | " + calc.Text1() + state;
}

// Everything a sample leaves behind.
std::string Outcome(Calculator& calc, std::string_view expression, double x, bool keyByKey) {
  std::string out;
  try {
    const std::optional<double> y =
        keyByKey ? EvaluateAtKeyByKey(calc, expression, x) : EvaluateAt(calc, expression, x);
    out = y ? NumberText(*y) : "none";
  } catch (const CalcFailure& f) {
    out = std::string("failure ") + f.what();
  }
  return out + State(calc);
}

// Runs a few samples in a row on one calculator each way, as a run does,
// so that what one sample leaves behind reaches the next.
void ExpectAlike(std::string_view expression, const std::vector<double>& xs, bool degrees,
                 const std::string& where) {
  QuietMessages messages;
  Calculator fast(&messages), reference(&messages);
  if (degrees) {
    fast.Press(Key::optGrad);
    reference.Press(Key::optGrad);
  }
  PlotRun fastRun(fast), referenceRun(reference);
  for (double x : xs) {
    ASSERT_EQ(Outcome(fast, expression, x, false), Outcome(reference, expression, x, true))
        << where << " at x = " << NumberText(x);
    fastRun.NextSample();
    referenceRun.NextSample();
  }
}

const std::vector<double> kXs = {0,     -0.0,   1,      -1,   0.5,     -0.05,   2.5e-5, -3e-5, 1e-4,
                                 -1e-4, 123.45, -500,   1e15, -1e15,   1e20,    -2e-20, 0.001, -0.999,
                                 10,    -100.1, 0.0105, 7e-5, 1234567, -0.3333, 3.14159};

TEST(EvaluatorIdentity, FuzzCorpusAlikeEachWay) {
  int entries = 0;
  for (const auto& file : std::filesystem::directory_iterator(VELTRUM_EVALUATOR_CORPUS)) {
    std::ifstream in(file.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 8 || data.size() > 512) continue;
    double own;
    std::memcpy(&own, data.data(), sizeof own);
    std::vector<double> xs = kXs;
    if (std::isfinite(own)) xs.insert(xs.begin(), own);
    ExpectAlike(data.substr(8), xs, false, file.path().string());
    ++entries;
  }
  EXPECT_GT(entries, 100);
}

TEST(EvaluatorIdentity, HelpExamplesAndSignsAlikeEachWay) {
  const char* expressions[] = {
      "sin[x]",
      "(sin[x]*arccos[x])^cos[1+(2*x)]",
      "x",
      "-x",
      "abs[x]",
      "-(x+1)",
      "x^2-3*x",
      "arctg[x]/x",
      "sqrt[x]+ln[x]",
      "lg[abs[x]]",
      "1/x",
      "x!",
      "arcsin[x]",
      "ctg[x]",
      "2,50*x",
      "0,0001*x",
      "-0,00001",
      "(x)",
      "((x))",
      "tg[x]+(1-x)",
      "e^x",
      "p*x",
      "x*10000000000000000",
      // Sign marks typed in the expression itself.
      "sin[0,00001z]+x",
      "(0,00001z)",
      "(0,0005z)*x",
      "abs[0,00z5]",
      "sin[2z5]",
      "sin[0z]",
      "sin[5,z]",
  };
  std::vector<double> xs = kXs;
  std::mt19937 random(22);
  std::uniform_real_distribution<double> wide(-1000, 1000);
  for (int i = 0; i < 200; ++i) xs.push_back(std::round(wide(random) * 1000) / 1000);
  for (const char* e : expressions) {
    ExpectAlike(e, xs, false, e);
    ExpectAlike(e, xs, true, std::string(e) + " in degrees");
  }
}

// Runs of digit keys from whatever state random keys left: pressed at once
// or one by one, the same state.
TEST(EvaluatorIdentity, NumberKeysAtOnceAsOneByOne) {
  std::mt19937 random(2212);
  std::uniform_int_distribution<int> pick(0, KeyCount() - 1);
  const char* runs[] = {"0", "00", "0,05", "12,5", ",", "1,,2", "000123", "7", "0,000", "10203,40"};
  for (int round = 0; round < 400; ++round) {
    QuietMessages messages;
    Calculator fast(&messages), reference(&messages);
    PlotRun fastRun(fast), referenceRun(reference);
    for (int i = 0; i < 6; ++i) {
      const Key key = static_cast<Key>(pick(random));
      if (key == Key::optGrad || key == Key::optRad) continue;
      fast.Press(key);
      reference.Press(key);
    }
    const char* run = runs[round % std::size(runs)];
    PlotRun::PressNumberKeys(fast, run);
    for (const char* c = run; *c; ++c) {
      if (reference.HasCalcError()) break;
      reference.Press(*c == ',' ? Key::cmdpoint : DigitKey(*c - '0'));
    }
    ASSERT_EQ(State(fast), State(reference)) << round << " " << run;
  }
}

}  // namespace
}  // namespace veltrum
