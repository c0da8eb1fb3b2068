// The captions, settings file names and help texts of the vertical and the horizontal dimension.
#include "orientation.h"

#include "dialog_values.h"

const char16_t* ApplicationTitle(Orientation orientation) {
  return orientation == Orientation::Horizontal ? u"tarvik－寸法値が離れた水平寸法線を作図"
                                                : kApplicationTitle;
}

const char16_t* SettingsFileName(Orientation orientation) {
  return orientation == Orientation::Horizontal ? u"selvan_h.dat" : u"selvan.dat";
}

const std::vector<std::u16string>& HelpTextLines(Orientation orientation) {
  if (orientation == Orientation::Vertical) return HelpTextLines();
  // The vertical text with the two dimensions' names exchanged where they speak of themselves.
  static const std::vector<std::u16string> lines = [] {
    std::vector<std::u16string> mirrored = HelpTextLines();
    mirrored[0] = u"◇水平寸法線の設定は";
    mirrored[1] = u"　垂直寸法線の設定とは";
    mirrored[3] = u"　垂直寸法線の設定を";
    mirrored[7] = u"　水平寸法線を作図します";
    return mirrored;
  }();
  return lines;
}
