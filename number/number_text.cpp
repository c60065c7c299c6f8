#include "number/number_text.h"

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "number/number_texts.h"

namespace veltrum {
namespace {

// Powers of ten that the extended type holds exactly (5^27 < 2^64).
constexpr int kExactPow10 = 27;

struct Pow10Table {
  Extended ext[kExactPow10 + 1];
  double dbl[23];
  constexpr Pow10Table() : ext(), dbl() {
    Extended e = 1;
    for (int i = 0; i <= kExactPow10; ++i, e *= 10) ext[i] = e;
    double d = 1;
    for (int i = 0; i <= 22; ++i, d *= 10) dbl[i] = d;
  }
};
constexpr Pow10Table kPow10;

locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

// 15 significant digits of a (> 0): digits in [1e14, 1e15), decimal
// exponent of the first digit.
struct Digits15 {
  std::uint64_t digits;
  int exponent;
};

// Exact-enough fast path: one correctly rounded multiplication or division
// by an exact power of ten, then rounding to an integer unless the scaled
// value lies too close to a half for that one rounding to matter.
bool Fast15(Extended a, Digits15& out) {
  // The binary exponent straight from the 80-bit format (a > 0, finite).
  std::uint16_t se;
  std::memcpy(&se, reinterpret_cast<const char*>(&a) + 8, sizeof se);
  const int e2 = (se & 0x7fff) - 16383;
  // floor(e2 * log10(2)), one too small at most.
  int p = static_cast<int>((e2 * 78913LL) >> 18);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int n = 14 - p;
    if (n > kExactPow10 || n < -kExactPow10) return false;
    const Extended s = n >= 0 ? a * kPow10.ext[n] : a / kPow10.ext[-n];
    if (s >= 1e15L) {
      ++p;
      continue;
    }
    if (s < 1e14L) {
      --p;
      continue;
    }
    // Through the signed type: one conversion instruction, and s < 10^15.
    std::uint64_t d = static_cast<std::uint64_t>(static_cast<std::int64_t>(s));
    const Extended frac = s - static_cast<Extended>(d);
    if (frac > 0.5L - 1.0L / 4096 && frac < 0.5L + 1.0L / 4096) return false;
    if (frac > 0.5L) ++d;
    if (d == 1000000000000000ULL) {
      d = 100000000000000ULL;
      ++p;
    }
    out = {.digits = d, .exponent = p};
    return true;
  }
  return false;
}

// Slow path for the rare cases: 31 correctly rounded significant digits
// (more than a 64-bit significand can bring near a tie unless the tie is
// exact), then rounding to 15 digits with halves away from zero.
Digits15 Slow15(Extended a) {
  char buf[64];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf - 1, a, std::chars_format::scientific, 30);
  *r.ptr = '\0';
  // d.ddd...e[+-]x
  std::uint64_t d = static_cast<std::uint64_t>(buf[0] - '0');
  for (int i = 2; i < 16; ++i) d = d * 10 + static_cast<std::uint64_t>(buf[i] - '0');
  int exp = std::atoi(std::strchr(buf, 'e') + 1);
  if (buf[16] >= '5') ++d;
  if (d == 1000000000000000ULL) {
    d = 100000000000000ULL;
    ++exp;
  }
  return {.digits = d, .exponent = exp};
}

constexpr char kTwoDigits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The 15 decimal digits of d (< 10^15) into out[0..14], two at a time:
// a fifth faster than std::to_chars here, and every shown number passes.
void WriteDigits15(std::uint64_t d, char* out) {
  std::uint32_t hi = static_cast<std::uint32_t>(d / 100000000);  // 7 digits
  std::uint32_t lo = static_cast<std::uint32_t>(d % 100000000);  // 8 digits
  for (int i = 14; i >= 8; i -= 2) {
    std::memcpy(out + i - 1, kTwoDigits + 2 * static_cast<std::size_t>(lo % 100), 2);
    lo /= 100;
  }
  for (int i = 6; i >= 1; i -= 2) {
    std::memcpy(out + i - 1, kTwoDigits + 2 * static_cast<std::size_t>(hi % 100), 2);
    hi /= 100;
  }
  out[0] = static_cast<char>('0' + hi);
}

struct Parsed {
  bool negative = false;
  std::uint64_t mantissa = 0;  // first significant digits
  int digitCount = 0;          // digits held in mantissa
  bool inexact = false;        // more significant digits than mantissa holds
  int exponent10 = 0;          // value = mantissa * 10^exponent10 (when exact)
};

constexpr int kMaxMantissaDigits = 19;

// Parses the display text format; false when the text is not a number.
bool Parse(std::string_view s, Parsed& p) {
  std::size_t i = 0, n = s.size();
  while (i < n && s[i] == ' ') ++i;
  if (i < n && (s[i] == '+' || s[i] == '-')) p.negative = s[i++] == '-';
  bool any = false;
  int dropped = 0;
  auto digit = [&](char c, bool fraction) {
    any = true;
    if (p.digitCount == 0 && c == '0') {
      if (fraction) --p.exponent10;
      return;
    }
    if (p.digitCount < kMaxMantissaDigits) {
      p.mantissa = p.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      ++p.digitCount;
      if (fraction) --p.exponent10;
    } else {
      if (c != '0') p.inexact = true;
      if (!fraction) ++dropped;
    }
  };
  while (i < n && s[i] >= '0' && s[i] <= '9') digit(s[i++], false);
  if (i < n && s[i] == ',') {
    any = true;
    ++i;
    while (i < n && s[i] >= '0' && s[i] <= '9') digit(s[i++], true);
  }
  if (!any) return false;
  p.exponent10 += dropped;
  if (i < n && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    bool negExp = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) negExp = s[i++] == '-';
    int e = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9' && e < 500) e = e * 10 + (s[i++] - '0');
    if (i < n && s[i] >= '0' && s[i] <= '9') return false;
    p.exponent10 += negExp ? -e : e;
  }
  while (i < n && s[i] == ' ') ++i;
  return i == n;
}

// Builds "[-]d...e[+-]x" for the C library's correctly rounded readers.
std::string CanonicalText(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (char c : s) {
    if (c == ' ') continue;
    out.push_back(c == ',' ? '.' : c);
  }
  // An exponent mark without digits counts as exponent 0.
  if (!out.empty() && (out.back() == 'E' || out.back() == 'e')) out.push_back('0');
  if (out.size() >= 2 && (out.back() == '-' || out.back() == '+') &&
      (out[out.size() - 2] == 'E' || out[out.size() - 2] == 'e'))
    out.push_back('0');
  return out;
}

std::size_t WriteNumber(Extended v, char* buf) {
  if (v == 0) {
    buf[0] = '0';
    return 1;
  }
  std::size_t len = 0;
  if (v < 0) {
    buf[len++] = '-';
    v = -v;
  }
  Digits15 d;
  if (!Fast15(v, d)) d = Slow15(v);
  char digits[16];
  WriteDigits15(d.digits, digits);
  int count = 15;
  while (count > 1 && digits[count - 1] == '0') --count;
  const int p = d.exponent;
  if (p >= 15 || p < -4) {
    buf[len++] = digits[0];
    if (count > 1) {
      buf[len++] = ',';
      std::memcpy(buf + len, digits + 1, static_cast<std::size_t>(count - 1));
      len += static_cast<std::size_t>(count - 1);
    }
    buf[len++] = 'E';
    len = static_cast<std::size_t>(std::to_chars(buf + len, buf + kNumberTextCapacity, p).ptr - buf);
  } else if (p >= 0) {
    for (int i = 0; i <= p; ++i) buf[len++] = i < count ? digits[i] : '0';
    if (count > p + 1) {
      buf[len++] = ',';
      for (int i = p + 1; i < count; ++i) buf[len++] = digits[i];
    }
  } else {
    buf[len++] = '0';
    buf[len++] = ',';
    for (int i = 0; i < -p - 1; ++i) buf[len++] = '0';
    std::memcpy(buf + len, digits, static_cast<std::size_t>(count));
    len += static_cast<std::size_t>(count);
  }
  return len;
}

}  // namespace

std::size_t FormatNumber(Extended v, char* buf) { return WriteNumber(Checked(v), buf); }

std::string NumberText(Extended v) {
  char buf[kNumberTextCapacity];
  return std::string(buf, FormatNumber(v, buf));
}

std::size_t NumberTexts::Format(Extended v, char* buf) {
  std::size_t len;
  if (recent_.Find(v, buf, len)) return len;
  len = FormatNumber(v, buf);
  recent_.Add(v, buf, len);
  return len;
}

std::string NumberTexts::Text(Extended v) {
  char buf[kNumberTextCapacity];
  return std::string(buf, Format(v, buf));
}

namespace {

// The value of a parsed text whose mantissa and power of ten are exact in
// T (pow10 holds the powers T holds exactly): one correctly rounded
// multiplication or division. Nothing when the text needs the slow path.
template <typename T, std::size_t N>
std::optional<T> ScaledExactly(const Parsed& p, std::uint64_t mantissaLimit, const T (&pow10)[N]) {
  const int limit = static_cast<int>(N) - 1;
  if (p.inexact || p.mantissa >= mantissaLimit || p.exponent10 < -limit || p.exponent10 > limit)
    return std::nullopt;
  const T m = static_cast<T>(p.mantissa);
  const T v = p.exponent10 >= 0 ? m * pow10[p.exponent10] : m / pow10[-p.exponent10];
  return p.negative ? -v : v;
}

// The slow path: the text in the C library's notation, read in extended
// precision; a value beyond the extended range is a conversion failure.
Extended ReadCanonical(std::string_view text, std::string& canon) {
  canon = CanonicalText(text);
  const Extended v = strtold_l(canon.c_str(), nullptr, CLocale());
  if (std::isinf(v)) FailConversion(std::string(text));
  return v;
}

}  // namespace

Extended ReadNumber(std::string_view text) {
  Parsed p;
  if (!Parse(text, p)) FailConversion(std::string(text));
  if (p.mantissa == 0) return p.negative ? -0.0L : 0.0L;
  if (const std::optional<Extended> v = ScaledExactly(p, UINT64_MAX, kPow10.ext)) return *v;
  std::string canon;
  return ReadCanonical(text, canon);
}

// A text NumberText writes in fixed notation: "0", or digits without a
// leading zero, an optional comma with digits not ending in zero, at most
// 15 significant digits, magnitude from 0,0001 to below 10^15. Negating
// its value and writing it again only changes the sign.
bool NegateNumberText(std::string_view t, std::string& out) {
  const bool negative = !t.empty() && t[0] == '-';
  const std::string_view body = negative ? t.substr(1) : t;
  if (t == "0") {
    out.assign("0");
    return true;
  }
  std::size_t i = 0, n = body.size();
  int significant = 0;
  if (n == 0) return false;
  if (body[0] == '0') {
    // "0," then at most three zeros before the first significant digit.
    if (n < 3 || body[1] != ',') return false;
    i = 2;
    while (i < n && body[i] == '0') ++i;
    if (i - 2 > 3 || i == n) return false;
  } else {
    while (i < n && body[i] >= '0' && body[i] <= '9') ++i, ++significant;
    if (significant == 0 || significant > 15) return false;
    if (i < n) {
      if (body[i] != ',' || i + 1 == n) return false;
      ++i;
    }
  }
  for (; i < n; ++i, ++significant)
    if (body[i] < '0' || body[i] > '9') return false;
  if (significant > 15 || (body.find(',') != std::string_view::npos && body.back() == '0')) return false;
  if (negative) {
    out.assign(body);
  } else {
    out.assign(1, '-');
    out.append(body);
  }
  return true;
}

namespace {

// ReadNumberDouble; fast is the value of a text the one correctly rounded
// scaling reads, which the caller may remember.
double ReadDoubleText(std::string_view text, bool& fast) {
  Parsed p;
  if (!Parse(text, p)) FailConversion(std::string(text));
  fast = false;
  if (p.mantissa == 0) return p.negative ? -0.0 : 0.0;
  if (const std::optional<double> v = ScaledExactly(p, 1ULL << 53, kPow10.dbl)) {
    fast = true;
    return *v;
  }
  std::string canon;
  const Extended wide = ReadCanonical(text, canon);
  if (std::fabs(wide) > DBL_MAX) Fail(FailureKind::Overflow);
  const double v = strtod_l(canon.c_str(), nullptr, CLocale());
  if (std::isinf(v)) Fail(FailureKind::Overflow);
  return v;
}

}  // namespace

double ReadNumberDouble(std::string_view text) {
  bool fast;
  return ReadDoubleText(text, fast);
}

double NumberTexts::ReadDouble(std::string_view text) {
  bool fast;
  const double v = ReadDoubleText(text, fast);
  // The text Format just wrote (15 significant digits at most) comes back
  // from the nearest double: a normal double holds 15 decimal digits, so
  // writing v gives the same text again.
  if (fast && std::fabs(v) >= DBL_MIN && recent_.IsLast(text)) recent_.AddText(v, text);
  return v;
}

}  // namespace veltrum
