// Under Wine the layout tests and the pictures measure text in the fonts the project pins for every
// prefix (cmake/wine-fonts.sh), never in whatever the machine has installed. This checks the pin itself,
// so that a machine where it failed says so here rather than in a layout test that measures another font.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kPinnedJapanese[] = L"IPAGothic";
// Characters of the dialog's help text and labels: kanji, kana, full-width punctuation.
constexpr wchar_t kJapaneseSample[] = L"　別に呼出・登録しており寸法値の精度（点マーカ）ＯＫ";

// The ink of each character of `text` drawn alone in `face` at a character height of `height` pixels: the
// size of its bounding box and the count of its pixels. A linked font is placed on the base font's
// baseline and may advance differently, but its glyphs are the same.
std::vector<int> Ink(const wchar_t* face, int height, const wchar_t* text) {
  constexpr int kSide = 100;
  HFONT font = CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const HGDIOBJ oldFont = SelectObject(dc, font);
  std::vector<int> ink;
  for (const wchar_t* c = text; *c != L'\0'; ++c) {
    PatBlt(dc, 0, 0, kSide, kSide, WHITENESS);
    TextOutW(dc, 10, 10, c, 1);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    int left = kSide, right = -1, top = kSide, bottom = -1, count = 0;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        if ((pixels[y * kSide + x] & 0xFFFFFF) == 0xFFFFFF) continue;
        ++count;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    ink.insert(ink.end(), {right - left, bottom - top, count});
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  DeleteObject(font);
  return ink;
}

std::string Utf8(const wchar_t* text) {
  char bytes[128] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof(bytes) - 1, nullptr, nullptr);
  return bytes;
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  HDC dc = CreateCompatibleDC(nullptr);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  DeleteDC(dc);
  return found;
}

TEST(WineFonts, JapaneseIsDrawnInThePinnedFont) {
  ASSERT_TRUE(FontInstalled(kPinnedJapanese))
      << "Wine has no font IPAGothic: cmake/wine-fonts.sh could not pin the prefix's fonts "
         "(is fonts-ipafont-gothic installed? cmake/install-deps.sh wine)";
  // The faces the dialog, its Japanese label and the message boxes ask for, and SimSun, from which edit
  // controls (through Uniscribe) take Japanese, at 96 and 144 DPI sizes.
  for (const wchar_t* face : {L"Tahoma", L"ＭＳ ゴシック", L"MS UI Gothic", L"MS Shell Dlg", L"SimSun"}) {
    for (const int height : {11, 13, 20}) {
      EXPECT_EQ(Ink(face, height, kJapaneseSample), Ink(kPinnedJapanese, height, kJapaneseSample))
          << "Japanese text asked for in " << Utf8(face) << " at " << height
          << " px is not drawn in the pinned IPAGothic: the layout tests would measure another font";
    }
  }
}

}  // namespace
