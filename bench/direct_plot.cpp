// The plain loop the command-line plot is compared with: the same x grid
// and the same formulas computed directly in extended precision, printed in
// the same x<TAB>y form. No calculator keys.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "number/number_text.h"

int main(int argc, char** argv) {
  using veltrum::Extended;
  const bool help = argc > 1 && std::strcmp(argv[1], "help") == 0;
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  char line[2 * veltrum::kNumberTextCapacity + 2];
  for (long i = -500000; i <= 500000; ++i) {
    const double x = static_cast<double>(i) / 1000;
    const Extended lx = x;
    Extended y;
    if (help) {
      // Where the calculator fails (|x| > 1, a negative base) there is no point.
      const Extended base = std::sin(lx) * std::atan2(std::sqrt(1 - lx * lx), lx);
      y = std::pow(base, std::cos(1 + 2 * lx));
      if (!std::isfinite(y)) continue;
    } else {
      y = std::sin(lx);
    }
    std::size_t n = veltrum::FormatNumber(x, line);
    line[n++] = '\t';
    n += veltrum::FormatNumber(y, line + n);
    line[n++] = '\n';
    std::fwrite(line, 1, n, stdout);
  }
  return 0;
}
