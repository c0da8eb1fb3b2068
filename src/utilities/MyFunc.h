// Free functions on numbers and texts shared by the exchange library and the dimension tool.
// Texts are UTF-16 code units; indices and counts are 0-based code units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Number and text conversion. Reading never fails loudly: a text that is not wholly a number reads as 0.
std::u16string BoolToText(bool value);
int32_t TextToInt(const std::u16string& text);
std::u16string IntToText(int32_t value);
double TextToFloat(const std::u16string& text);
std::u16string FloatToText(double value);
// The characters of FloatToText(value), written from `out` on, which has room for at least
// kFloatTextCapacity of them; gives the end of what was written. For writers that put many numbers into
// one line without a string for each.
inline constexpr size_t kFloatTextCapacity = 32;
char* FloatToChars(char* out, double value);

// Character access and string helpers.
int32_t TextLen(const std::u16string& text);
std::u16string CharAt(const std::u16string& text, int32_t index);
int32_t FindText(const std::u16string& sought, const std::u16string& text);
std::u16string TextFrom(const std::u16string& text, int32_t index);
std::u16string SubText(const std::u16string& text, int32_t index, int32_t count);
std::u16string StripSpaces(const std::u16string& text);
// StripSpaces(text).empty() without building the stripped copy.
bool IsBlank(const std::u16string& text);
bool IsHalfWidth(const std::u16string& character);
int32_t SurrogateKind(const std::u16string& text);
std::u16string ToFullWidth(const std::u16string& text);
std::u16string TrimTrailingZeros(const std::u16string& text);
bool FileExistsText(const std::u16string& fileName);
bool DeleteFileText(const std::u16string& fileName);

// Dimension numerics. Angles are degrees at every interface unless the name says radians.
std::u16string FormatFixed(int32_t n, double value);
std::u16string FormatGrouped(int32_t n, double value);
double RoundDigits(int32_t n, int32_t mode, double x);
void RotatePoint(double px, double py, double cx, double cy, double angle, double& x, double& y);
double LineAngleRad(double dx, double dy);
double LineAngleDeg(double dx, double dy);
double NormalizeDeg(double angle);
double PointDistance(double x1, double y1, double x2, double y2);
double TextSpan(const std::u16string& text, double w, double g);
bool SameReal(double a, double b);

// Colour value in the layout of a Windows COLORREF: red in the low byte.
int32_t RgbToColor(int32_t r, int32_t g, int32_t b);

// True while the Escape key is held down at the moment of the call.
bool EscapeKeyDown();
