// The numbers of the exchange file's fields: TextToFloat and TextToInt, with the forms the host writes
// read in place, without a copy of the field.
#pragma once

#include <cstdint>
#include <string_view>

// The value of a real field, always exactly TextToFloat's for the same text (0 for anything that is
// not wholly a number). A plain decimal whose digits a double holds exactly is read in one pass.
double FieldToFloat(std::u16string_view field);

// The value of an integer field, always exactly TextToInt's for the same text (0 for anything that is
// not wholly a number). An optional minus and up to nine decimal digits are read in one pass.
int32_t FieldToInt(std::u16string_view field);
