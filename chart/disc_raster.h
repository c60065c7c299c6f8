#pragma once
// Paints point series as the chart shows them: every point a filled disc
// reaching 3 px from it, all points of a series in one colour. However
// many points fall on the plot area, the cost after marking them is one
// pass over the area's pixels, so a million points paint as fast as a
// thousand.
#include <algorithm>
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
    if (y < top_) top_ = y;
    if (y > bottom_) bottom_ = y;
  }

  // Works out which pixels the discs of the marked points cover; Covered
  // answers from then on. The work covers the band of rows that the marks
  // reach, or with band false every row, as the chart once did.
  void Paint(bool band = true);
  // One byte per pixel of row y, non-zero where a disc covers it.
  const std::uint8_t* CoveredRow(int y) const {
    return covered_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  bool Covered(int x, int y) const { return CoveredRow(y)[x] != 0; }
  // The rows from FirstRow to LastRow hold every covered pixel (none when
  // FirstRow > LastRow).
  int FirstRow() const { return std::max(top_ - kRadius, 0); }
  int LastRow() const { return std::min(bottom_ + kRadius, height_ - 1); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::size_t stride_ = 0;  // width_ + 2 * kRadius
  // The highest and the lowest row marked.
  int top_ = 0;
  int bottom_ = -1;
  std::vector<std::uint8_t> marks_;
  // reach_[r]: row-wise union of the marks reaching r px to each side.
  std::vector<std::uint8_t> reach_[kRadius + 1];
  std::vector<std::uint8_t> covered_;
};

}  // namespace veltrum
