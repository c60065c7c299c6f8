#pragma once
// What a NumberTexts keeps of the texts it wrote last.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "number/number_text.h"

namespace veltrum::detail {

// The last texts written, by value. A plotted sample's x is written when
// the grid is cut, when the evaluator types it and when the sample is
// printed, and its y is read from the display's text and written again.
// Copies are independent: the last entry is kept as an index.
class RecentTexts {
 public:
  bool Find(Extended v, char* buf, std::size_t& len) const {
    const Bits b = BitsOf(v);
    for (const Entry& e : entries_)
      if (e.bits.significand == b.significand && e.bits.exponent == b.exponent && e.len != 0) {
        std::memcpy(buf, e.text, kNumberTextCapacity);
        len = e.len;
        return true;
      }
    return false;
  }
  // text: a buffer of kNumberTextCapacity bytes, len of them written.
  void Add(Extended v, const char* text, std::size_t len) {
    Entry& e = Take(v, len);
    std::memcpy(e.text, text, kNumberTextCapacity);
  }
  void AddText(Extended v, std::string_view text) {
    Entry& e = Take(v, text.size());
    std::memcpy(e.text, text.data(), text.size());
  }
  // Whether text is the last one added.
  bool IsLast(std::string_view text) const {
    const Entry& e = entries_[last_];
    return e.len != 0 && text.size() == e.len && std::memcmp(text.data(), e.text, text.size()) == 0;
  }

 private:
  // Enough for a sample: its x, then its y as computed and as read back.
  static constexpr std::size_t kEntries = 3;
  // The value's 80 bits: integers compare faster than the x87 unit.
  struct Bits {
    std::uint64_t significand = 0;
    std::uint16_t exponent = 0;
  };
  struct Entry;
  Entry& Take(Extended v, std::size_t len) {
    last_ = next_;
    next_ = next_ + 1 == kEntries ? 0 : next_ + 1;
    Entry& e = entries_[last_];
    e.bits = BitsOf(v);
    e.len = static_cast<std::uint8_t>(len);
    return e;
  }
  static Bits BitsOf(Extended v) {
    Bits b;
    std::memcpy(&b.significand, &v, sizeof b.significand);
    std::memcpy(&b.exponent, reinterpret_cast<const char*>(&v) + 8, sizeof b.exponent);
    return b;
  }
  struct Entry {
    Bits bits;
    char text[kNumberTextCapacity] = {};
    std::uint8_t len = 0;
  };
  Entry entries_[kEntries];
  std::size_t next_ = 0;
  std::size_t last_ = 0;
};

}  // namespace veltrum::detail
