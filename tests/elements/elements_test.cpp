#include "elements/elements.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "calculator/calculator.h"
#include "calculator/element_keys.h"
#include "number/number_text.h"

namespace veltrum {
namespace {

TEST(Elements, EveryMassTextReadsAsNumber) {
  for (const Element& e : Elements()) {
    const Extended v = ReadNumber(e.mass);
    EXPECT_GT(v, 0) << e.symbol;
    EXPECT_LT(v, 300) << e.symbol;
  }
}

TEST(ElementKeys, TableKeysThenSideColumnThenGroups) {
  std::set<std::string_view> names, symbols;
  for (int i = 0; i < kElementKeyCount; ++i) {
    const ElementKeyInfo& k = ElementKeys()[static_cast<std::size_t>(i)];
    const Element& e = ElementOfKey(i);
    EXPECT_TRUE(names.insert(k.name).second) << k.name;
    if (i < kElementCount) {
      EXPECT_EQ(k.element, i);
      EXPECT_EQ(k.name, "cmdF" + std::string(e.symbol));
      EXPECT_TRUE(symbols.insert(e.symbol).second) << k.name;
    } else if (i < kElementKeyCount - kGroupCount) {
      EXPECT_EQ(k.name, "cmdF" + std::string(e.symbol) + "2");
    } else {
      EXPECT_GE(k.element, kElementCount) << k.name;
      EXPECT_EQ(e.name, "") << k.name;
    }
  }
}

TEST(ElementKeys, SideColumnRepeatsTableElements) {
  const char* side[] = {"C", "O", "N", "S", "F", "Cl", "Br", "I", "P", "Na", "K"};
  int index = kElementCount;
  for (const char* symbol : side) {
    EXPECT_EQ(ElementKeys()[static_cast<std::size_t>(index)].name, "cmdF" + std::string(symbol) + "2");
    EXPECT_EQ(ElementOfKey(index++).symbol, symbol);
  }
}

struct MassRow {
  const char* name;
  const char* mass;
};

TEST(Elements, ListedMassesAndHints) {
  const MassRow rows[] = {{"cmdFH", "1,0079"}, {"cmdFKr", "83,8"},   {"cmdFTc", "99"},
                          {"cmdFDb", "262"},   {"cmdFBh", "262"},    {"cmdFMt", "266"},
                          {"cmdOCH", "31,03"}, {"cmdOCH2", "45,06"}, {"cmdOCOCH", "59,04"},
                          {"cmdH2O", "18,02"}};
  for (const MassRow& r : rows) {
    Calculator calc;
    calc.Press(*KeyFromName(r.name));
    EXPECT_EQ(calc.Text1(), r.mass) << r.name;
  }
  EXPECT_EQ(Elements()[0].name, "Водород - Гидроген");
}

}  // namespace
}  // namespace veltrum
