// The fixed texts of the settings dialog and the text-style list built from the drawing model.
#include "dialog_values.h"

#include "JwwGaibu.h"
#include "MyFunc.h"

const char16_t kApplicationTitle[] = u"tarvik－寸法値が離れた垂直寸法線を作図";

std::u16string FitEditText(ControlId control, std::u16string text) {
  const auto limit = static_cast<size_t>(EditTextLimit(control));
  if (limit == 0 || text.size() <= limit) return text;
  size_t cut = limit;
  if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;  // the first half of a pair alone
  text.resize(cut);
  return text;
}

const std::vector<std::u16string>& EndMarkerItems() {
  // Entries 1 and 11 show the same triangle but are different marker codes for the host.
  static const std::vector<std::u16string> items = {u"線矢印", u"△", u"□",  u"Ｏ", u"○",  u"■",
                                                    u"▲",      u"●", u"～", u"＞", u"／", u"△"};
  return items;
}

const std::vector<std::u16string>& PrecisionItems() {
  static const std::vector<std::u16string> items = {
      u"1", u"0.1", u"0.01", u"0.001", u"0.0001", u"0.00001", u"0.000001", u"0.0000001", u"0.00000001"};
  return items;
}

const std::vector<std::u16string>& RoundingItems() {
  static const std::vector<std::u16string> items = {u"切り捨て", u"切り上げ", u"四捨五入"};
  return items;
}

const std::vector<std::u16string>& ZeroDisplayItems() {
  static const std::vector<std::u16string> items = {u"無", u"有"};
  return items;
}

const std::vector<std::u16string>& UnitItems() {
  static const std::vector<std::u16string> items = {u"mm", u"ｍ"};
  return items;
}

const std::vector<std::u16string>& HelpTextLines() {
  // One entry per line of the memo, as it reads.
  // clang-format off
  static const std::vector<std::u16string> lines = {
      u"◇垂直寸法線の設定は",
      u"　水平寸法線の設定とは",
      u"　別に呼出・登録しており",
      u"　水平寸法線の設定を",
      u"　共有利用していません",
      u"　",
      u"◇寸法値が離れた",
      u"　垂直寸法線を作図します",
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
  return lines;
}

std::vector<std::u16string> TextStyleItems(const TJGdata& model) {
  std::vector<std::u16string> items;
  items.reserve(11);
  std::u16string current = u"現在の文字種(";
  current += model.CurMjs == 0 ? u"Free)" : u"No" + IntToText(model.CurMjs) + u")";
  items.push_back(current);
  for (int n = 1; n <= 10; ++n) {
    const TJwwMojisyu& style = model.Mojisyu[n];
    items.push_back(u"No" + IntToText(n) + u":" + u" W" + FloatToText(style.W) + u" H" +
                    FloatToText(style.H) + u" D" + FloatToText(style.D));
  }
  return items;
}
