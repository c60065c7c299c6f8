#include "elements/formula.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "number/number_text.h"

namespace veltrum {
namespace {

// Expected masses summed by hand from the panel's texts (H 1,0079, C 12,011,
// N 14,007, O 15,999 ...), exactly in decimal.
struct MassCase {
  const char* formula;
  const char* text;
};

constexpr MassCase kMasses[] = {
    {"H2O", "18,0148"},
    {"H2SO4", "98,0778"},
    {"C6H12O6", "180,1548"},
    {"CuSO4·5H2O", "249,682"},
    {"CuSO4*5H2O", "249,682"},
    {"CuSO4.5H2O", "249,682"},
    {"[Cu(H2O)4]SO4·H2O", "249,682"},
    {"(CuSO4·5H2O)2", "499,364"},
    {"K4[Fe(CN)6]", "368,347"},
    {"Ca3(PO4)2", "310,174"},
    {"Ca 3 (PO4) 2", "310,174"},
    {"NaCl", "58,443"},
    {"CO2", "44,009"},
    {"Co", "58,933"},
    {"CO", "28,01"},
    {"Ca(OH)2", "74,0918"},
    {"(NH4)2Fe(SO4)2·6H2O", "392,137"},
    {"KAl(SO4)2·12H2O", "474,3816"},
    {"Na2B4O7·10H2O", "381,365"},
    {"[Co(NH3)6]Cl3", "267,4762"},
    {"C2H5OH", "46,0684"},
    {"Fe2(SO4)3", "399,88"},
    {"H[AuCl4]·4H2O", "411,8491"},
    {"2H2O", "36,0296"},
    {"C60", "720,66"},
    {"Tc", "99"},
    {"TeI4", "635,2"},
    {"Mg3(PO4)2·8H2O", "406,9734"},
};

TEST(Formula, MassesAgreeWithSumsOfTheTableTexts) {
  for (const MassCase& c : kMasses) {
    const FormulaResult r = ParseFormula(c.formula);
    ASSERT_TRUE(r.ok()) << c.formula << ": " << r.error->message;
    EXPECT_EQ(r.value.text, c.text) << c.formula;
  }
}

TEST(Formula, CompositionInOrderOfFirstAppearance) {
  const FormulaResult r = ParseFormula("CuSO4·5H2O");
  ASSERT_TRUE(r.ok());
  const struct {
    const char* symbol;
    std::uint64_t count;
    const char* contribution;
    const char* fraction;
  } expected[] = {{"Cu", 1, "63,546", "25,4507733837441"},
                  {"S", 1, "32,066", "12,8427359601413"},
                  {"O", 9, "143,991", "57,6697559295424"},
                  {"H", 10, "10,079", "4,0367347265722"}};
  ASSERT_EQ(r.value.elements.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const FormulaElement& e = r.value.elements[i];
    EXPECT_EQ(e.symbol, expected[i].symbol);
    EXPECT_EQ(e.count, expected[i].count) << e.symbol;
    EXPECT_EQ(NumberText(e.contribution), expected[i].contribution) << e.symbol;
    EXPECT_EQ(NumberText(e.fraction), expected[i].fraction) << e.symbol;
  }
}

struct ErrorCase {
  const char* formula;
  FormulaErrorKind kind;
  std::size_t position, length;
  const char* message;
};

const ErrorCase kErrors[] = {
    {"", FormulaErrorKind::Empty, 0, 0, "Введите формулу"},
    {"   ", FormulaErrorKind::Empty, 0, 3, "Введите формулу"},
    {"H()", FormulaErrorKind::Empty, 1, 2, "Пустые скобки"},
    {"H2O*", FormulaErrorKind::Empty, 3, 1, "Пустая часть формулы у знака соединения"},
    {"·H2O", FormulaErrorKind::Empty, 0, 2, "Пустая часть формулы у знака соединения"},
    {"CuSO4*5", FormulaErrorKind::Empty, 6, 1, "После числа нет формулы"},
    {"H2Xx", FormulaErrorKind::UnknownSymbol, 2, 2, "Неизвестный символ элемента «Xx»"},
    {"Cuu", FormulaErrorKind::UnknownSymbol, 0, 3, "Неизвестный символ элемента «Cuu»"},
    {"h2o", FormulaErrorKind::UnknownSymbol, 0, 1, "Символ элемента начинается с заглавной буквы: «h»"},
    {"CuSO4·5Ce", FormulaErrorKind::NotInTable, 8, 2, "«Ce»: этого элемента нет в таблице"},
    {"UO2", FormulaErrorKind::NotInTable, 0, 1, "«U»: этого элемента нет в таблице"},
    {"Ca(OH2", FormulaErrorKind::UnpairedBracket, 2, 1, "Скобка «(» без пары"},
    {"H2O)", FormulaErrorKind::UnpairedBracket, 3, 1, "Скобка «)» без пары"},
    {"K4[Fe(CN)6)", FormulaErrorKind::UnpairedBracket, 10, 1, "Скобка «)» не закрывает «[»"},
    {"H0", FormulaErrorKind::BadCount, 1, 1, "Число должно быть от 1 до 999 999"},
    {"H1000000", FormulaErrorKind::BadCount, 1, 7, "Число должно быть от 1 до 999 999"},
    {"0H2O", FormulaErrorKind::BadCount, 0, 1, "Число должно быть от 1 до 999 999"},
    {"((H999999)999999)999999", FormulaErrorKind::TooManyAtoms, 17, 6,
     "Слишком много атомов одного элемента (больше 999 999 999 999 999)"},
    {"H2 3", FormulaErrorKind::StrayCharacter, 3, 1, "Число не на своём месте"},
    {"H2O%", FormulaErrorKind::StrayCharacter, 3, 1, "Знаку «%» нет места в формуле"},
    {"H₂O", FormulaErrorKind::StrayCharacter, 1, 3, "Знаку «₂» нет места в формуле"},
    {"Н2О", FormulaErrorKind::StrayCharacter, 0, 2,
     "Символы элементов пишутся латинскими буквами, а «Н» — буква кириллицы"},
    {"H2O\xC3(", FormulaErrorKind::StrayCharacter, 3, 1, "Байт 0xC3 не в кодировке UTF-8"},
    {"H\t\x01", FormulaErrorKind::StrayCharacter, 2, 1, "Управляющему знаку с кодом 1 нет места в формуле"},
};

TEST(Formula, ErrorsNameTheKindAndTheOffendingPart) {
  for (const ErrorCase& c : kErrors) {
    const FormulaResult r = ParseFormula(c.formula);
    ASSERT_FALSE(r.ok()) << c.formula;
    EXPECT_EQ(r.error->kind, c.kind) << c.formula;
    EXPECT_EQ(r.error->position, c.position) << c.formula;
    EXPECT_EQ(r.error->length, c.length) << c.formula;
    EXPECT_EQ(r.error->message, c.message) << c.formula;
  }
}

TEST(Formula, ErrorTextCountsCharactersNotBytes) {
  const std::string formula = "CuSO4·5Ce";
  EXPECT_EQ(FormulaErrorText(formula, *ParseFormula(formula).error),
            "Позиция 8: «Ce»: этого элемента нет в таблице");
}

// Hostile inputs end with their result quickly, without deep recursion.
// The time counted is this thread's processor time, so that a loaded
// machine does not fail the test; a sanitizer's build runs several times
// slower, and a quadratic parse would still take far longer than that.
class FormulaLimits : public ::testing::Test {
 protected:
  static double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }

  FormulaResult TimedParse(const std::string& formula) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    constexpr double kLimit = 10.0;
#else
    constexpr double kLimit = 2.0;
#endif
    const double start = ThreadSeconds();
    FormulaResult r = ParseFormula(formula);
    EXPECT_LT(ThreadSeconds() - start, kLimit) << formula.size() << " bytes";
    return r;
  }
};

TEST_F(FormulaLimits, OneMegabyteFormula) {
  std::string formula;
  for (int i = 0; i < 349'525; ++i) formula += "CH2";
  const FormulaResult r = TimedParse(formula);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value.text, "4902717,27");  // 349 525 × 14,0268
  const FormulaResult bad = TimedParse(formula + "Xx");
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.error->position, formula.size());
}

TEST_F(FormulaLimits, TenThousandNestedBrackets) {
  const std::string open(10'000, '('), close(10'000, ')');
  EXPECT_EQ(TimedParse(open + "H2O" + close).value.text, "18,0148");
  const FormulaResult unclosed = TimedParse(std::string(10'000, '[') + "H");
  ASSERT_FALSE(unclosed.ok());
  EXPECT_EQ(unclosed.error->kind, FormulaErrorKind::UnpairedBracket);
  EXPECT_EQ(unclosed.error->position, 9'999u);
  const FormulaResult deepOpen = TimedParse(std::string(1 << 20, '('));
  ASSERT_FALSE(deepOpen.ok());
  EXPECT_EQ(deepOpen.error->position, (1u << 20) - 1);
}

TEST_F(FormulaLimits, CountsMultipliedThroughNestingStopAtTheLimit) {
  std::string formula(10'000, '(');
  formula += "H";
  for (int i = 0; i < 10'000; ++i) formula += ")2";
  const FormulaResult r = TimedParse(formula);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error->kind, FormulaErrorKind::TooManyAtoms);
  // 2^49 atoms fit under 10^15, 2^50 do not: the 50th count is marked.
  EXPECT_EQ(r.error->position, 10'000u + 1 + 2 * 49 + 1);
  const FormulaResult digits = TimedParse("H" + std::string(100'000, '9'));
  ASSERT_FALSE(digits.ok());
  EXPECT_EQ(digits.error->kind, FormulaErrorKind::BadCount);
  EXPECT_EQ(digits.error->length, 100'000u);
}

TEST_F(FormulaLimits, BytesThatAreNotUtf8) {
  std::string formula(1 << 20, '\0');
  for (std::size_t i = 0; i < formula.size(); ++i) formula[i] = static_cast<char>(0x80 + i % 0x80);
  const FormulaResult r = TimedParse(formula);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error->kind, FormulaErrorKind::StrayCharacter);
  EXPECT_EQ(r.error->position, 0u);
}

}  // namespace
}  // namespace veltrum
