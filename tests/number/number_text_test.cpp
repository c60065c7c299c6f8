#include "number/number_text.h"
#include "number/number_texts.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace veltrum {
namespace {

struct FormatRow {
  Extended value;
  const char* text;
};

class FormatNumberTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatNumberTest, WritesDisplayFormat) { EXPECT_EQ(NumberText(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Boundaries, FormatNumberTest,
    ::testing::Values(FormatRow{0.0L, "0"}, FormatRow{-0.0L, "0"}, FormatRow{1.0L, "1"},
                      FormatRow{-12.0L, "-12"}, FormatRow{0.5L, "0,5"}, FormatRow{-0.25L, "-0,25"},
                      FormatRow{1e15L, "1E15"}, FormatRow{999999999999999.0L, "999999999999999"},
                      FormatRow{999999999999999.5L, "1E15"}, FormatRow{1e-4L, "0,0001"},
                      FormatRow{1e-5L, "1E-5"}, FormatRow{1.5e-7L, "1,5E-7"},
                      FormatRow{0.00012345L, "0,00012345"}, FormatRow{1e400L, "1E400"},
                      FormatRow{-2.5e-4000L, "-2,5E-4000"}, FormatRow{1.0L / 3, "0,333333333333333"},
                      FormatRow{2.0L / 3, "0,666666666666667"}, FormatRow{123456.789L, "123456,789"},
                      FormatRow{3.14159265358979323846L, "3,14159265358979"},
                      FormatRow{1234567890123455.0L, "1,23456789012346E15"},
                      FormatRow{1234567890123445.0L, "1,23456789012345E15"}, FormatRow{0.1L + 0.2L, "0,3"},
                      FormatRow{1e20L, "1E20"}, FormatRow{LDBL_MAX, "1,18973149535723E4932"}));

// A value with no text fails as the step that made it would have: the
// hot writers and the one with a memory alike, and buf stays untouched.
TEST(FormatNumber, RefusesValuesThatAreNotFinite) {
  const struct {
    Extended value;
    FailureKind kind;
  } rows[] = {{HUGE_VALL, FailureKind::Overflow},
              {-HUGE_VALL, FailureKind::Overflow},
              {std::numeric_limits<Extended>::quiet_NaN(), FailureKind::InvalidOperation}};
  for (const auto& row : rows) {
    char buf[kNumberTextCapacity] = "untouched";
    try {
      FormatNumber(row.value, buf);
      ADD_FAILURE() << "formatted " << static_cast<double>(row.value);
    } catch (const CalcFailure& e) {
      EXPECT_EQ(e.kind(), row.kind);
    }
    EXPECT_STREQ(buf, "untouched");
    NumberTexts texts;
    EXPECT_THROW(texts.Text(row.value), CalcFailure);
    EXPECT_THROW(NumberText(row.value), CalcFailure);
  }
}

// Every value rounds to the same 15 digits as the C library's correctly
// rounded conversion.
TEST(FormatNumberRandom, AgreesWithCorrectlyRoundedDigits) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> mant(1.0, 10.0);
  std::uniform_int_distribution<int> exp(-40, 40);
  for (int i = 0; i < 200000; ++i) {
    const Extended v = static_cast<Extended>(mant(rng)) * std::pow(10.0L, exp(rng)) *
                       (1 + static_cast<Extended>(rng() % 1000) * 1e-19L);
    char ref[64];
    std::snprintf(ref, sizeof ref, "%.14Le", v);
    const Extended back = ReadNumber(NumberText(v));
    char again[64];
    std::snprintf(again, sizeof again, "%.14Le", back);
    ASSERT_STREQ(ref, again) << NumberText(v);
  }
}

struct ReadRow {
  const char* text;
  Extended value;
};

class ReadNumberTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ReadNumberTest, ReadsDisplayText) { EXPECT_EQ(ReadNumber(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Accepted, ReadNumberTest,
                         ::testing::Values(ReadRow{"0", 0}, ReadRow{"12,5", 12.5L}, ReadRow{"  -3 ", -3},
                                           ReadRow{"+7", 7}, ReadRow{",5", 0.5L}, ReadRow{"5,", 5},
                                           ReadRow{",", 0}, ReadRow{"2E3", 2000}, ReadRow{"2E", 2},
                                           ReadRow{"2E-", 2}, ReadRow{"5E-2", 0.05L},
                                           ReadRow{"1E400", 1e400L}, ReadRow{"1e2", 100},
                                           ReadRow{"1E0000000003", 1000}, ReadRow{"1E499", 1e499L},
                                           ReadRow{"12345678901234567890123", 12345678901234567890123.0L}));

class ReadNumberFailure : public ::testing::TestWithParam<const char*> {};

TEST_P(ReadNumberFailure, FailsWithConversionError) {
  try {
    ReadNumber(GetParam());
    FAIL() << "read " << GetParam();
  } catch (const CalcFailure& e) {
    EXPECT_EQ(e.kind(), FailureKind::Conversion);
    EXPECT_EQ(std::string(e.what()), "'" + std::string(GetParam()) + "' is not a valid floating point value");
  }
}

INSTANTIATE_TEST_SUITE_P(Refused, ReadNumberFailure,
                         ::testing::Values("", "-", " ", "abc", "1.5", "1,2,3", "E5", "1E5000", "1E50001",
                                           "1E9999", "--1", "1 2", "0x10"));

TEST(ReadNumberDouble, GivesNearestDoubleAndChecksRange) {
  EXPECT_EQ(ReadNumberDouble("0,1"), 0.1);
  EXPECT_EQ(ReadNumberDouble("-2,9"), -2.9);
  EXPECT_EQ(ReadNumberDouble("1,7976931348623157E308"), DBL_MAX);
  EXPECT_EQ(ReadNumberDouble("123456789012345678901234567890"), 123456789012345678901234567890.0);
  try {
    ReadNumberDouble("1E400");
    FAIL();
  } catch (const CalcFailure& e) {
    EXPECT_EQ(e.kind(), FailureKind::Overflow);
  }
  // Every decimal on the plot grid reads to the nearest double.
  for (int i = -30000; i <= 30000; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", i / 1000.0);
    std::string t(buf);
    const double expected = std::strtod(buf, nullptr);
    for (char& c : t)
      if (c == '.') c = ',';
    ASSERT_EQ(ReadNumberDouble(t), expected) << t;
  }
}

TEST(ErrorBoxText, AppendsFullStopAfterLetters) {
  EXPECT_EQ(ErrorBoxText("'-' is not a valid floating point value"),
            "'-' is not a valid floating point value.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Why!"), "Why!");
}

TEST(Power, FollowsThePowerRule) {
  EXPECT_EQ(Power(0, 0), 1);
  EXPECT_EQ(Power(0, 2), 0);
  EXPECT_EQ(Power(-2, 3), -8);
  EXPECT_EQ(Power(10, 3), 1000);
  EXPECT_EQ(Power(2, -2), 0.25L);
  EXPECT_THROW(Power(0, -1), CalcFailure);
  EXPECT_THROW(Power(-8, 1.0L / 3), CalcFailure);
  EXPECT_THROW(Power(0, -0.5L), CalcFailure);
  EXPECT_THROW(Power(10, 5000), CalcFailure);
  EXPECT_THROW(Power(10, -5000), CalcFailure);
}

}  // namespace
}  // namespace veltrum

namespace veltrum {
namespace {

// The sign key's short cut agrees with reading, negating and writing again.
std::string NegatedTheLongWay(const std::string& t) { return NumberText(-ReadNumber(t)); }

TEST(NegateNumberText, AgreesWithReadingAndWritingAgain) {
  const char* texts[] = {"0",
                         "5",
                         "-5",
                         "0,5",
                         "0,0001",
                         "-0,0001",
                         "12,25",
                         "0,00012",
                         "100",
                         "999999999999999",
                         "123456789012345",
                         "1,5",
                         "-0,239249329213982"};
  for (const char* t : texts) {
    std::string out;
    ASSERT_TRUE(NegateNumberText(t, out)) << t;
    EXPECT_EQ(out, NegatedTheLongWay(t)) << t;
  }
  const char* others[] = {"",    "-",     "0,", "5,", "007", "0,50", "1,0", "0,00001", "1234567890123456",
                          "1E5", "1,2,3", ",5", "-0", "0,0", "00",   "12a"};
  for (const char* t : others) {
    std::string out;
    EXPECT_FALSE(NegateNumberText(t, out)) << t;
  }
  std::mt19937_64 rng(99);
  std::uniform_real_distribution<double> mant(1.0, 10.0);
  std::uniform_int_distribution<int> exp(-6, 16);
  for (int i = 0; i < 100000; ++i) {
    const std::string t = NumberText(static_cast<Extended>(mant(rng)) * std::pow(10.0L, exp(rng)));
    std::string out;
    if (NegateNumberText(t, out)) {
      ASSERT_EQ(out, NegatedTheLongWay(t)) << t;
    }
  }
}

// A text read back into a double is written again from what the
// NumberTexts wrote last; it must be the text the plain conversion writes.
TEST(NumberText, ReadBackValuesWriteTheirTextsAgain) {
  std::vector<Extended> values = {
      0.1L,
      -0.5L,
      1e-4L,
      9.99999999999999e-5L,
      1e15L,
      999999999999999.0L,
      -1e-300L,
      2.2250738585072014e-308L,
      4.9e-324L,
      1.7976931348623157e308L,
      0.841470984807896506652502321630298999622563060798371065672751709991910404L};
  std::mt19937_64 rng(22);
  std::uniform_real_distribution<double> mant(1.0, 10.0);
  // Mostly where a text reads back by the quick path (10^-22 to 10^22).
  std::uniform_int_distribution<int> exp(-40, 40);
  for (int i = 0; i < 20000; ++i)
    values.push_back(static_cast<Extended>(mant(rng)) * std::pow(10.0L, exp(rng)));
  NumberTexts texts;
  std::vector<double> read;
  std::vector<std::string> written, copied;
  for (Extended v : values) {
    try {
      read.push_back(texts.ReadDouble(texts.Text(v)));
    } catch (const CalcFailure&) {
      continue;
    }
    // A copy remembers the same texts and goes on by itself.
    NumberTexts copy = texts;
    (void)texts.Text(v + 1);
    written.push_back(texts.Text(read.back()));
    copied.push_back(copy.Text(read.back()));
  }
  for (std::size_t i = 0; i < read.size(); ++i) {
    ASSERT_EQ(written[i], NumberText(read[i])) << i;
    ASSERT_EQ(copied[i], written[i]) << i;
  }
}

}  // namespace
}  // namespace veltrum
