// List positions to the host's colour and line-type numbers (with their gaps), and the colours the
// host displays for its colour numbers.
#include <gtest/gtest.h>

#include "JwwGaibu.h"

namespace {

int32_t Rgb(int32_t r, int32_t g, int32_t b) { return r + 256 * g + 65536 * b; }

TEST(GetColorItems, SkipsTheGapBetweenPensAndTheExtendedColours) {
  TJGdata jg;
  jg.CurCol = 7;
  const struct {
    int32_t item, colour;
  } cases[] = {
      // clang-format off
      {0, 7}, {-3, 7}, {1, 1}, {9, 9}, {10, 101}, {11, 102}, {25, 116}, {1000, 1091},
      // no upper limit: the sum wraps as 32-bit arithmetic does
      {2147483647, -2147483648 + 90},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(jg.GetColorItems(c.item), c.colour) << "item " << c.item;
}

TEST(GetLtypeItems, SkipsTheGapsBeforeElevenAndThirtyOne) {
  TJGdata jg;
  jg.CurLtp = 5;
  const struct {
    int32_t item, type;
  } cases[] = {{0, 5},   {-1, 5},  {1, 1},   {9, 9},     {10, 11},
               {18, 19}, {19, 31}, {20, 32}, {500, 512}, {2147483647, -2147483648 + 11}};
  for (const auto& c : cases) EXPECT_EQ(jg.GetLtypeItems(c.item), c.type) << "item " << c.item;
}

TEST(GetColorDisp, PensAndExtendedPaletteAndNothingElse) {
  TJGdata jg;
  const struct {
    int32_t colour, display;
  } cases[] = {
      // the pens, first and last and the ones easily confused
      {1, Rgb(0, 192, 192)},
      {2, 0},
      {6, Rgb(0, 0, 255)},
      {8, Rgb(255, 0, 128)},
      {9, Rgb(255, 128, 255)},
      // the extended palette
      {101, 0},
      {102, Rgb(255, 0, 0)},
      {104, Rgb(0, 0, 255)},
      {107, Rgb(0, 255, 255)},
      {108, 0},
      {109, Rgb(192, 0, 128)},
      {110, Rgb(192, 128, 64)},
      {114, Rgb(128, 64, 255)},
      {115, Rgb(192, 192, 192)},
      {116, Rgb(128, 128, 128)},
      // outside both ranges
      {0, 0},
      {10, 0},
      {100, 0},
      {117, 0},
      {-1, 0},
      {1000000, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(jg.GetColorDisp(c.colour), c.display) << "colour " << c.colour;
}

// Every row of the host's two palettes, as red, green and blue.
TEST(GetColorDisp, EveryListedColour) {
  TJGdata jg;
  const struct {
    int32_t colour, r, g, b;
  } rows[] = {
      {1, 0, 192, 192},     {2, 0, 0, 0},       {3, 0, 192, 0},      {4, 192, 192, 0},
      {5, 192, 0, 192},     {6, 0, 0, 255},     {7, 0, 128, 128},    {8, 255, 0, 128},
      {9, 255, 128, 255},   {101, 0, 0, 0},     {102, 255, 0, 0},    {103, 0, 255, 0},
      {104, 0, 0, 255},     {105, 255, 255, 0}, {106, 255, 0, 255},  {107, 0, 255, 255},
      {108, 0, 0, 0},       {109, 192, 0, 128}, {110, 192, 128, 64}, {111, 255, 128, 0},
      {112, 128, 192, 128}, {113, 0, 128, 255}, {114, 128, 64, 255}, {115, 192, 192, 192},
      {116, 128, 128, 128},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(jg.GetColorDisp(row.colour), Rgb(row.r, row.g, row.b)) << "colour " << row.colour;
  }
}

TEST(GetColorDisp, NoColourOfThePalettesIsLeftOut) {
  // Only 2, 101 and 108 are black; every other listed colour must come out non-zero.
  TJGdata jg;
  for (int32_t colour = 1; colour <= 116; ++colour) {
    const bool listed = colour <= 9 || colour >= 101;
    const bool black = colour == 2 || colour == 101 || colour == 108;
    EXPECT_EQ(jg.GetColorDisp(colour) != 0, listed && !black) << "colour " << colour;
  }
}

}  // namespace
