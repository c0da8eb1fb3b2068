// The host numbers its pen colours and line types with gaps; these map list positions (0 = the
// host's current one) to those numbers, and colour numbers to the colours the host displays.
#include <array>
#include <cstdint>

#include "JwwGaibu.h"
#include "MyFunc.h"

namespace {

// The offsets have no upper limit; an index near the top of the range wraps around as 32-bit integer
// arithmetic does instead of overflowing.
int32_t Offset(int32_t index, int32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(index) + static_cast<uint32_t>(offset));
}

}  // namespace

int32_t TJGdata::GetColorItems(int32_t col) const {
  if (col <= 0) return CurCol;
  if (col <= 9) return col;
  return Offset(col, 91);
}

int32_t TJGdata::GetLtypeItems(int32_t ltp) const {
  if (ltp <= 0) return CurLtp;
  if (ltp <= 9) return ltp;
  if (ltp <= 18) return ltp + 1;
  return Offset(ltp, 12);
}

namespace {

struct Rgb {
  int32_t r, g, b;
};

// Colours 1..9 are the host's pens; 101..116 its extended palette.
constexpr std::array<Rgb, 9> kPenColours{{
    {0, 192, 192},    // 1
    {0, 0, 0},        // 2
    {0, 192, 0},      // 3
    {192, 192, 0},    // 4
    {192, 0, 192},    // 5
    {0, 0, 255},      // 6
    {0, 128, 128},    // 7
    {255, 0, 128},    // 8
    {255, 128, 255},  // 9
}};

constexpr std::array<Rgb, 16> kExtendedColours{{
    {0, 0, 0},        // 101
    {255, 0, 0},      // 102
    {0, 255, 0},      // 103
    {0, 0, 255},      // 104
    {255, 255, 0},    // 105
    {255, 0, 255},    // 106
    {0, 255, 255},    // 107
    {0, 0, 0},        // 108
    {192, 0, 128},    // 109
    {192, 128, 64},   // 110
    {255, 128, 0},    // 111
    {128, 192, 128},  // 112
    {0, 128, 255},    // 113
    {128, 64, 255},   // 114
    {192, 192, 192},  // 115
    {128, 128, 128},  // 116
}};

}  // namespace

int32_t TJGdata::GetColorDisp(int32_t col) const {
  const Rgb* entry = nullptr;
  if (col >= 1 && col <= 9) entry = &kPenColours[static_cast<size_t>(col - 1)];
  if (col >= 101 && col <= 116) entry = &kExtendedColours[static_cast<size_t>(col - 101)];
  return entry ? RgbToColor(entry->r, entry->g, entry->b) : 0;
}
