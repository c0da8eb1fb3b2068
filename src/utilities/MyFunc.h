// Free functions on numbers and texts shared by the exchange library and the dimension tool.
// Texts are UTF-16 code units; indices and counts are 0-based code units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Number and text conversion. Reading never fails loudly: a text that is not wholly a number reads as 0.
// "1" for true, "0" for false.
std::u16string BoolToText(bool value);
// The integer that the whole text spells: leading U+0020 blanks, an optional sign, then decimal digits or
// hexadecimal ones after "$", "x", "X", "0x" or "0X" (a 32-bit pattern, negated after "-"); 0 for
// anything else, trailing blanks and decimals outside the 32-bit range included.
int32_t TextToInt(const std::u16string& text);
// Decimal digits, "-" before a negative value; no "+", no grouping.
std::u16string IntToText(int32_t value);
// The nearest double to the whole text: leading U+0020 blanks, an optional sign, digits with at most one
// "." (".5" and "5." count) and an optional exponent ("E" or "e", sign, digits); 0 for anything else and
// for a value beyond the double range; a value below it reads as zero with its sign. Never "," as point.
double TextToFloat(const std::u16string& text);
// At most 15 significant digits without trailing zeros: fixed-point while 0.d x 10^e has -3 <= e <= 15
// ("0.0001", "2.5"), otherwise "1E-5", "1.5E20"; always "." as point; "0" for either zero; "INF" and
// "NAN" with "-" when the sign bit is set.
std::u16string FloatToText(double value);
// The characters of FloatToText(value), written from `out` on, which has room for at least
// kFloatTextCapacity of them; gives the end of what was written. For writers that put many numbers into
// one line without a string for each.
inline constexpr size_t kFloatTextCapacity = 32;
char* FloatToChars(char* out, double value);

// Character access and string helpers.
// The number of UTF-16 code units.
int32_t TextLen(const std::u16string& text);
// The code unit at `index` as a one-unit text; an empty text for an index outside the text.
std::u16string CharAt(const std::u16string& text, int32_t index);
// Position of the first exact (case-sensitive) occurrence of `sought` in `text`; -1 when there is none
// or when `sought` is empty. Note the order: the sought text comes first.
int32_t FindText(const std::u16string& sought, const std::u16string& text);
// Everything from `index` on, the index clamped to 0..length (so empty from the length on).
std::u16string TextFrom(const std::u16string& text, int32_t index);
// At most `count` code units from `index` on, the index clamped to 0..length; empty when count <= 0.
std::u16string SubText(const std::u16string& text, int32_t index, int32_t count);
// The text without blanks (U+0020), full-width blanks (U+3000) and controls (U+0000..U+001F), in order.
std::u16string StripSpaces(const std::u16string& text);
// StripSpaces(text).empty() without building the stripped copy.
bool IsBlank(const std::u16string& text);
// True for one half-width character, U+0020..U+007E or U+FF61..U+FF9F; false for an empty text. The
// whole text is compared with those one-character bounds, so pass exactly one character.
bool IsHalfWidth(const std::u16string& character);
// Of the first code unit: 1 for a high surrogate, 2 for a low one, 0 otherwise and for an empty text.
int32_t SurrogateKind(const std::u16string& text);
// The lines of a text file's contents, split at CR LF, lone CR and lone LF; a break at the very end adds
// no empty line.
std::vector<std::u16string> SplitLines(const std::u16string& text);
// Half-width ASCII (the blank included) and katakana turned full width; a half-width kana with its voicing
// mark (ｶﾞ) becomes one kana (ガ); " ' \ become ” ’ ￥; everything else passes unchanged.
std::u16string ToFullWidth(const std::u16string& text);
// The number without trailing zeros after its "." (and without the "." itself when nothing follows it);
// only the part before the first upper-case "E" is trimmed; a text without "." there comes back unchanged.
std::u16string TrimTrailingZeros(const std::u16string& text);
// True when a file, not a folder, of that name exists (links followed); false for an empty name and, on
// Windows, for a name no plain file can have: blanks only, a wildcard, one of < > | " or a control
// character, a colon other than the drive's.
bool FileExistsText(const std::u16string& fileName);
// True when the file of that name was deleted; false for an empty name, a missing file, a folder, or a
// deletion the system refused.
bool DeleteFileText(const std::u16string& fileName);

// Dimension numerics. Angles are degrees at every interface unless the name says radians.
// `value` in fixed notation with exactly n decimals (n < 0 as 0), its exact binary value correctly
// rounded, with "." as point and no grouping; a non-finite value as FloatToText writes it.
std::u16string FormatFixed(int32_t n, double value);
// FormatFixed(n, value) with the integer digits grouped by three with "," ("12,345.500").
std::u16string FormatGrouped(int32_t n, double value);
// x rounded to n decimals (n outside 0..14: none) on the 15-digit decimal value it is written with: mode 0
// truncates, mode 1 rounds up once the first dropped digit is 1 or more, other modes round half up; the
// magnitude is rounded and the sign kept (RoundDigits(2, 2, -1.236) is -1.24); a non-finite x is returned.
double RoundDigits(int32_t n, int32_t mode, double x);
// (px, py) turned counter-clockwise by `angle` about (cx, cy), into x and y; with pi cut to 15 digits, so
// a quarter turn of (1, 0) gives x of about 1.6e-15, not 0.
void RotatePoint(double px, double py, double cx, double cy, double angle, double& x, double& y);
// The direction of (dx, dy) in 0 .. 6.28318530717958 radians (twice pi cut to 15 digits); 0 when both
// parts are below 1e-14 in size or the direction lies within 1e-10 of 0.
double LineAngleRad(double dx, double dy);
// LineAngleRad in degrees through the cut pi: straight up reads 90.0000000000001.
double LineAngleDeg(double dx, double dy);
// The angle brought into 0 .. 360 (360 excluded); within 1e-10 of 0 or 360 gives 0, an infinite angle
// gives 0 and a NaN comes back as it is.
double NormalizeDeg(double angle);
// The distance between (x1, y1) and (x2, y2), computed in extended precision.
double PointDistance(double x1, double y1, double x2, double y2);
// The drawn length of `text` in the unit of w (character width) and g (gap): each character adds w and
// then g, a half-width one (IsHalfWidth) half of each, the last character's gap included; a surrogate
// pair is one character; 0 for an empty text.
double TextSpan(const std::u16string& text, double w, double g);
// True when |a - b| <= 1e-10.
bool SameReal(double a, double b);

// Colour value in the layout of a Windows COLORREF: r + 256 g + 65536 b, red in the low byte. Unchecked:
// a component outside 0..255 spills into its neighbours, wrapping round as 32-bit arithmetic does.
int32_t RgbToColor(int32_t r, int32_t g, int32_t b);

// True while the Escape key is held down at the moment of the call; always false where the platform
// has no keyboard to ask (the Linux build).
bool EscapeKeyDown();
