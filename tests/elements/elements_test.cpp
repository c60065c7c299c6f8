#include "elements/elements.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "calculator/calculator.h"
#include "calculator/number_text.h"

namespace veltrum {
namespace {

TEST(Elements, EveryMassTextReadsAsNumber) {
  for (const ElementKeyInfo& e : Elements()) {
    const Extended v = ReadNumber(e.mass);
    EXPECT_GT(v, 0) << e.name;
    EXPECT_LT(v, 300) << e.name;
  }
}

TEST(Elements, TableHasItsRowsColumnsAndPlaces) {
  int table = 0, side = 0, groups = 0;
  std::set<std::pair<int, int>> cells;
  std::set<std::string_view> names;
  for (const ElementKeyInfo& e : Elements()) {
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    switch (e.place) {
      case ElementPlace::Table:
        ++table;
        EXPECT_TRUE(cells.insert({e.row, e.column}).second) << e.name;
        EXPECT_EQ(e.left, 360 + 40 * (e.column - 1)) << e.name;
        EXPECT_EQ(e.top, 16 + 40 * (e.row - 1)) << e.name;
        EXPECT_EQ(e.name, "cmdF" + std::string(e.caption));
        break;
      case ElementPlace::Side:
        ++side;
        EXPECT_EQ(e.left, 312);
        EXPECT_EQ(e.top, 16 + 40 * (e.row - 1));
        break;
      case ElementPlace::Group:
        ++groups;
        EXPECT_EQ(e.top, 424);
        break;
    }
  }
  EXPECT_EQ(table, 81);
  EXPECT_EQ(side, 11);
  EXPECT_EQ(groups, 4);
}

TEST(Elements, SideColumnRepeatsTableElements) {
  std::map<std::string_view, const ElementKeyInfo*> byName;
  for (const ElementKeyInfo& e : Elements()) byName[e.name] = &e;
  const char* side[] = {"C", "O", "N", "S", "F", "Cl", "Br", "I", "P", "Na", "K"};
  int row = 1;
  for (const char* symbol : side) {
    const ElementKeyInfo* twin = byName.at("cmdF" + std::string(symbol) + "2");
    const ElementKeyInfo* original = byName.at("cmdF" + std::string(symbol));
    EXPECT_EQ(twin->row, row++);
    EXPECT_EQ(twin->mass, original->mass);
    EXPECT_EQ(twin->hint, original->hint);
    EXPECT_EQ(twin->caption, original->caption);
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
  EXPECT_EQ(Elements()[0].hint, "Водород - Гидроген");
}

}  // namespace
}  // namespace veltrum
