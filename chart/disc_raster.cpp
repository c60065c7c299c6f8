#include "chart/disc_raster.h"

#include <algorithm>

namespace veltrum {

namespace {

// Half-width of the disc in each row, from dy = -3 to dy = 3.
constexpr int kReach[2 * DiscRaster::kRadius + 1] = {1, 2, 3, 3, 3, 2, 1};

}  // namespace

// The buffers keep their memory from one picture to the next: a repaint
// should not pay for fresh pages, and a growing picture leaves room to
// grow further.
void DiscRaster::Reset(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  stride_ = static_cast<std::size_t>(width_ + 2 * kRadius);
  const std::size_t rows = static_cast<std::size_t>(height_ + 2 * kRadius);
  auto size = [](std::vector<std::uint8_t>& v, std::size_t n) {
    if (v.capacity() < n) v.reserve(n + n / 2);
    v.resize(n);
  };
  size(marks_, stride_ * rows);
  std::fill(marks_.begin(), marks_.end(), std::uint8_t{0});
  for (auto& reach : reach_) size(reach, static_cast<std::size_t>(width_) * rows);
  size(covered_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  top_ = height_ + kRadius;
  bottom_ = -kRadius - 1;
}

void DiscRaster::Paint(bool band) {
  const std::size_t w = static_cast<std::size_t>(width_);
  const std::size_t rows = static_cast<std::size_t>(height_ + 2 * kRadius);
  // Rows without a mark within reach are left as they are by the passes
  // and cleared here: a series often fills a band of the area only.
  const int first = band ? FirstRow() : 0;
  const int last = band ? LastRow() : height_ - 1;
  if (first > last || height_ == 0) {
    std::fill(covered_.begin(), covered_.end(), std::uint8_t{0});
    return;
  }
  std::fill(covered_.begin(), covered_.begin() + static_cast<std::ptrdiff_t>(first * width_),
            std::uint8_t{0});
  std::fill(covered_.begin() + static_cast<std::ptrdiff_t>((last + 1) * width_), covered_.end(),
            std::uint8_t{0});
  // Horizontal pass: reach_[r] of an area column x covers marks x-r..x+r.
  // Row r of marks_ and reach_ is area row r - kRadius.
  for (std::size_t row = static_cast<std::size_t>(first);
       row < static_cast<std::size_t>(last) + 2 * kRadius + 1 && row < rows; ++row) {
    const std::uint8_t* m = marks_.data() + row * stride_ + kRadius;
    std::uint8_t* r0 = reach_[0].data() + row * w;
    std::uint8_t* r1 = reach_[1].data() + row * w;
    std::uint8_t* r2 = reach_[2].data() + row * w;
    std::uint8_t* r3 = reach_[3].data() + row * w;
    const std::ptrdiff_t n = width_;
    for (std::ptrdiff_t x = 0; x < n; ++x) r0[x] = m[x];
    for (std::ptrdiff_t x = 0; x < n; ++x) r1[x] = r0[x] | m[x - 1] | m[x + 1];
    for (std::ptrdiff_t x = 0; x < n; ++x) r2[x] = r1[x] | m[x - 2] | m[x + 2];
    for (std::ptrdiff_t x = 0; x < n; ++x) r3[x] = r2[x] | m[x - 3] | m[x + 3];
  }
  // Vertical pass: row y takes, from each row y+dy, the reach of the disc
  // in that row.
  for (std::size_t y = static_cast<std::size_t>(first); y <= static_cast<std::size_t>(last); ++y) {
    std::uint8_t* out = covered_.data() + y * w;
    std::fill(out, out + w, std::uint8_t{0});
    for (int dy = -kRadius; dy <= kRadius; ++dy) {
      const std::uint8_t* in =
          reach_[kReach[dy + kRadius]].data() + (y + static_cast<std::size_t>(dy + kRadius)) * w;
      for (std::size_t x = 0; x < w; ++x) out[x] |= in[x];
    }
  }
}

}  // namespace veltrum
