#pragma once
// Key traces for the core tests: a script in the notation of veltrum-cli
// keys, run on a fresh calculator, with every message recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "calculator/key_script.h"
#include "version.h"

namespace veltrum::testing {

class RecordingMessages : public MessageSink {
 public:
  void ShowMessage(MessageKind kind, std::string_view text) override {
    lines.push_back(std::string(MessageCaption(kind)) + ": " + std::string(text));
  }
  std::vector<std::string> lines;
};

struct TraceResult {
  std::string display;
  std::vector<std::string> messages;  // message boxes and escaping errors
};

inline void RunScript(Calculator& calc, RecordingMessages& messages, std::string_view script) {
  const KeyScript parsed = ParseKeyScript(script);
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  for (Key k : parsed.keys) {
    try {
      calc.Press(k);
    } catch (const CalcFailure& e) {
      messages.lines.push_back(std::string(kApplicationTitle) + ": " + ErrorBoxText(e.what()));
    }
  }
}

inline TraceResult Trace(std::string_view script) {
  RecordingMessages messages;
  Calculator calc(&messages);
  RunScript(calc, messages, script);
  return {calc.Text1(), messages.lines};
}

inline const std::string kCalcError = "Error: Произошла ошибка в вычислениях.";

struct TraceCase {
  const char* name;
  const char* script;
  const char* display;
  bool fails = false;  // one calculation-error message expected
};

inline void PrintTo(const TraceCase& c, std::ostream* os) { *os << c.name; }

inline void ExpectTrace(const TraceCase& c) {
  const TraceResult r = Trace(c.script);
  EXPECT_EQ(r.display, c.display) << c.script;
  if (c.fails)
    EXPECT_EQ(r.messages, std::vector<std::string>{kCalcError}) << c.script;
  else
    EXPECT_TRUE(r.messages.empty()) << c.script << ": " << (r.messages.empty() ? "" : r.messages[0]);
}

}  // namespace veltrum::testing

#define VELTRUM_TRACE_SUITE(Suite, cases)                                            \
  class Suite : public ::testing::TestWithParam<veltrum::testing::TraceCase> {};     \
  TEST_P(Suite, ShowsExpectedDisplay) { veltrum::testing::ExpectTrace(GetParam()); } \
  INSTANTIATE_TEST_SUITE_P(Traces, Suite, ::testing::ValuesIn(cases),                \
                           [](const auto& info) { return std::string(info.param.name); })
