// The fixed texts of the settings dialog and the text-style list built from the drawing model.
#include "dialog_values.h"

#include "JwwGaibu.h"
#include "MyFunc.h"

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
