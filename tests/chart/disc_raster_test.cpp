// The discs the chart paints: the shape of one, points at and beyond the
// border, and a new picture starting empty.
#include "chart/disc_raster.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrum {
namespace {

std::vector<std::string> Picture(const DiscRaster& raster) {
  std::vector<std::string> rows;
  for (int y = 0; y < raster.Height(); ++y) {
    std::string row;
    for (int x = 0; x < raster.Width(); ++x) row += raster.Covered(x, y) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(DiscRaster, APointIsADiscReachingThreePixels) {
  DiscRaster raster;
  raster.Reset(9, 9);
  raster.Mark(4, 4);
  raster.Paint();
  EXPECT_EQ(Picture(raster), (std::vector<std::string>{
                                 ".........",
                                 "...###...",
                                 "..#####..",
                                 ".#######.",
                                 ".#######.",
                                 ".#######.",
                                 "..#####..",
                                 "...###...",
                                 ".........",
                             }));
}

TEST(DiscRaster, PointsJustOutsideShowTheirInnerPart) {
  DiscRaster raster;
  raster.Reset(6, 3);
  raster.Mark(-3, 1);  // its rightmost column reaches x = 0
  raster.Mark(8, 1);   // 3 px right of the last column: reaches x = 5
  raster.Mark(2, -4);  // too far above: nothing
  raster.Mark(2, 7);
  raster.Paint();
  EXPECT_EQ(Picture(raster), (std::vector<std::string>{
                                 "#....#",
                                 "#....#",
                                 "#....#",
                             }));
}

TEST(DiscRaster, ANewPictureStartsEmpty) {
  DiscRaster raster;
  raster.Reset(5, 5);
  raster.Mark(2, 2);
  raster.Paint();
  raster.Reset(5, 5);
  raster.Paint();
  EXPECT_EQ(Picture(raster), std::vector<std::string>(5, "....."));
}

}  // namespace
}  // namespace veltrum
