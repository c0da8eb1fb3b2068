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
  } cases[] = {{0, 7}, {-3, 7}, {1, 1}, {9, 9}, {10, 101}, {11, 102}, {25, 116}, {1000, 1091}};
  for (const auto& c : cases) EXPECT_EQ(jg.GetColorItems(c.item), c.colour) << "item " << c.item;
}

TEST(GetLtypeItems, SkipsTheGapsBeforeElevenAndThirtyOne) {
  TJGdata jg;
  jg.CurLtp = 5;
  const struct {
    int32_t item, type;
  } cases[] = {{0, 5}, {-1, 5}, {1, 1}, {9, 9}, {10, 11}, {18, 19}, {19, 31}, {20, 32}, {500, 512}};
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
