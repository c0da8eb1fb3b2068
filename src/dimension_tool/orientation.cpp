// The traits of the vertical, the horizontal and the aligned dimension, one row each.
#include "orientation.h"

#include <cstdlib>
#include <iterator>

namespace {

// clang-format off
constexpr OrientationTraits kRows[] = {
    {Orientation::Vertical, u"tarvik－寸法値が離れた垂直寸法線を作図", u"selvan.dat", u"",
     {u"◇垂直寸法線の設定は",
      u"　水平寸法線の設定とは",
      u"　別に呼出・登録しており",
      u"　水平寸法線の設定を",
      u"　共有利用していません",
      u"　",
      u"◇寸法値が離れた",
      u"　垂直寸法線を作図します"},
     FrameTurn::Axis,
     u"計測点（始点）と計測点（終点）が同じ高さです（軸角の向きで）。２点を指示し直して下さい"},
    {Orientation::Horizontal, u"tarvik－寸法値が離れた水平寸法線を作図", u"selvan_h.dat", u"horizontal",
     {u"◇水平寸法線の設定は",
      u"　垂直寸法線の設定とは",
      u"　別に呼出・登録しており",
      u"　垂直寸法線の設定を",
      u"　共有利用していません",
      u"　",
      u"◇寸法値が離れた",
      u"　水平寸法線を作図します"},
     FrameTurn::QuarterTurnClockwise,
     u"計測点（始点）と計測点（終点）の左右の位置が同じです（軸角の向きで）。２点を指示し直して下さい"},
    {Orientation::Aligned, u"tarvik－寸法値が離れた斜め寸法線を作図", u"selvan_a.dat", u"aligned",
     {u"◇斜め寸法線の設定は",
      u"　垂直・水平寸法線の設定",
      u"　とは別に呼出・登録して",
      u"　おり、それらの設定を",
      u"　共有利用していません",
      u"　",
      u"◇寸法値が離れた",
      u"　斜め寸法線を作図します"},
     FrameTurn::AlongMeasuredPoints,
     u"計測点（始点）と計測点（終点）が同じ点です。２点を指示し直して下さい"},
};

// The help text after each orientation's own lines.
constexpr const char16_t* kCommonHelpLines[] = {
    u"　寸法値への引出線が",
    u"　作図されます",
    u"◇寸法値の前後には",
    u"　寸法値と水平線との距離",
    u"　と同じ長さの余白を",
    u"　取るものとします",
    u"　",
    u"◆ブロック図形内のもの",
    u"　は処理出来ませんので",
    u"　御注意下さい。",
    u"　ブロック編集内で行う",
    u"　場合には、本ソフトを",
    u"　Jw_cadのインストール・",
    u"　フォルダに配置して",
    u"　実行を行う必要がある",
    u"　場合があります。",
};
// clang-format on

// An orientation's row is found by its value.
constexpr bool InEnumerationOrder() {
  for (size_t i = 0; i < std::size(kRows); ++i) {
    if (static_cast<size_t>(kRows[i].orientation) != i) return false;
  }
  return true;
}
static_assert(InEnumerationOrder(), "the rows of the orientations are out of order");

template <Orientation kOrientation>
const OrientationTraits& Row() {
  static_assert(static_cast<size_t>(kOrientation) < std::size(kRows), "an orientation without its row");
  return kRows[static_cast<size_t>(kOrientation)];
}

}  // namespace

std::span<const OrientationTraits> AllOrientations() { return kRows; }

const OrientationTraits& Traits(Orientation orientation) {
  // Without a default an orientation added to the enumeration does not compile until it is named here,
  // and naming it asks for its row.
  switch (orientation) {
    case Orientation::Vertical:
      return Row<Orientation::Vertical>();
    case Orientation::Horizontal:
      return Row<Orientation::Horizontal>();
    case Orientation::Aligned:
      return Row<Orientation::Aligned>();
  }
  std::abort();  // a value outside the enumeration
}

const char16_t* ApplicationTitle(Orientation orientation) { return Traits(orientation).title; }

const char16_t* SettingsFileName(Orientation orientation) { return Traits(orientation).settingsFileName; }

std::vector<std::u16string> HelpTextLines(Orientation orientation) {
  const OrientationTraits& traits = Traits(orientation);
  std::vector<std::u16string> lines(traits.ownHelpLines.begin(), traits.ownHelpLines.end());
  lines.insert(lines.end(), std::begin(kCommonHelpLines), std::end(kCommonHelpLines));
  return lines;
}
