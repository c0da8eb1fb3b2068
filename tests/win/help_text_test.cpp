// The help text reads whole: the box has no word wrap, so a line wider than its text area loses its
// last characters. Measured on the real form, in this process, with the font the box was given, at the
// screen's resolution and after the form has moved to a 144-DPI screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <usp10.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "dialog_values.h"
#include "dimension_dialog_win.h"
#include "orientation.h"
#include "platform.h"
#include "test_support.h"

namespace {

HWND FindChild(HWND parent, int id) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND inner = FindChild(child, id)) return inner;
  }
  return nullptr;
}

// The width of `line` as an edit box lays it out: through Uniscribe, whose fallback fonts (not the font
// links that GetTextExtentPoint32 follows) draw characters the box's font lacks; 0 when it cannot.
int LaidOutWidth(HDC dc, const std::u16string& line) {
  SCRIPT_STRING_ANALYSIS analysis = nullptr;
  const int length = static_cast<int>(line.size());
  if (FAILED(ScriptStringAnalyse(dc, line.c_str(), length, length * 3 / 2 + 16, -1,
                                 SSA_LINK | SSA_FALLBACK | SSA_GLYPHS | SSA_TAB, -1, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, &analysis))) {
    return 0;
  }
  const SIZE* size = ScriptString_pSize(analysis);
  const int width = size != nullptr ? static_cast<int>(size->cx) : 0;
  ScriptStringFree(&analysis);
  return width;
}

struct Widths {
  int widestLine = 0;
  std::u16string widest;
  int textArea = 0;
};

// The widest help line with the box's own font, and the width of the box's text area.
Widths Measure(HWND memo, Orientation orientation) {
  Widths widths;
  RECT area{};
  SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  widths.textArea = area.right - area.left;
  HDC dc = GetDC(memo);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(memo, WM_GETFONT, 0, 0)));
  for (const std::u16string& line : HelpTextLines(orientation)) {
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(line.c_str()), static_cast<int>(line.size()),
                          &size);
    const int width = std::max<int>(size.cx, LaidOutWidth(dc, line));
    if (width > widths.widestLine) {
      widths.widestLine = width;
      widths.widest = line;
    }
  }
  SelectObject(dc, old);
  ReleaseDC(memo, dc);
  return widths;
}

TEST(HelpText, EveryLineFitsTheBoxAt96And144Dpi) {
  // The form opens only on an exchange file beside the program, as Jw_cad leaves it there.
  const std::filesystem::path exchange = std::filesystem::path(platform::ProgramFolder()) / "JWC_TEMP.TXT";
  test_support::WriteBytes(exchange, "hq\r\n");
  for (const OrientationTraits& traits : AllOrientations()) {
    const Orientation orientation = traits.orientation;
    const std::string name = test_support::Utf8(traits.settingsFileName);  // no two share one
    {
      DimensionSession session(orientation);
      ASSERT_TRUE(session.Load(platform::ProgramFolder()));
      DimensionDialog form(GetModuleHandleW(nullptr), session);
      ASSERT_TRUE(form.Show(SW_SHOWNOACTIVATE));
      HWND memo = FindChild(form.Handle(), DialogItemId(ControlId::HelpText));
      ASSERT_NE(memo, nullptr);

      for (const UINT dpi : {96u, 144u}) {
        RECT frame{};
        GetWindowRect(form.Handle(), &frame);
        frame.right = frame.left + MulDiv(frame.right - frame.left, static_cast<int>(dpi), 96);
        frame.bottom = frame.top + MulDiv(frame.bottom - frame.top, static_cast<int>(dpi), 96);
        SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
        const Widths widths = Measure(memo, orientation);
        const std::string suffix = std::string("_") + name + "_at_" + std::to_string(dpi);
        RecordProperty("widest_line_px" + suffix, widths.widestLine);
        RecordProperty("text_area_px" + suffix, widths.textArea);
        EXPECT_GT(widths.widestLine, 0) << name << ", " << dpi << " DPI";
        EXPECT_LE(widths.widestLine, widths.textArea)
            << name << ", " << dpi << " DPI: " << test_support::Utf8(widths.widest) << " is "
            << widths.widestLine << " pixels wide, the text area " << widths.textArea;
      }
    }
    // The form ends the message loop when it goes; no loop runs here, so its quit message is dropped.
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  std::filesystem::remove(exchange);
}

}  // namespace
