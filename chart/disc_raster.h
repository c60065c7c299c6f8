#pragma once
// Paints point series as the chart shows them: every point a filled disc
// reaching 3 px from it, all points of a series in one colour. However
// many points fall on the plot area, the cost after marking them is one
// pass over the area's pixels, so a million points paint as fast as a
// thousand.
#include <cstdint>
#include <vector>

namespace veltrum {

class DiscRaster {
 public:
  // The disc: rows 0 and ±1 reach 3 px to each side, rows ±2 reach 2 px,
  // rows ±3 reach 1 px.
  static constexpr int kRadius = 3;

  // Starts a new picture of width × height pixels with no point marked.
  void Reset(int width, int height);

  // Marks a point at pixel (x, y) of the area. A point up to kRadius px
  // outside still shows the part of its disc that lies inside.
  void Mark(int x, int y) {
    if (x < -kRadius || y < -kRadius || x >= width_ + kRadius || y >= height_ + kRadius) return;
    marks_[static_cast<std::size_t>(y + kRadius) * stride_ + static_cast<std::size_t>(x + kRadius)] = 1;
  }

  // Works out which pixels the discs of the marked points cover; Covered
  // answers from then on.
  void Paint();
  // One byte per pixel of row y, non-zero where a disc covers it.
  const std::uint8_t* CoveredRow(int y) const {
    return covered_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  bool Covered(int x, int y) const { return CoveredRow(y)[x] != 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::size_t stride_ = 0;  // width_ + 2 * kRadius
  std::vector<std::uint8_t> marks_;
  // reach_[r]: row-wise union of the marks reaching r px to each side.
  std::vector<std::uint8_t> reach_[kRadius + 1];
  std::vector<std::uint8_t> covered_;
};

}  // namespace veltrum
