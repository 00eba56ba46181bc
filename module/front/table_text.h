#pragma once
// Constant tables written as comma texts: items separated by a delimiter, rows by "\r\n".
// The module's own tables are compiled in as arrays; these parsers read the same text form,
// so the tables can be checked against their texts.

#include <cstdint>
#include <string_view>
#include <vector>

#include "pixmond/byte_matrix.h"

namespace pixmond {

// Pieces of text between separators. An empty text gives none; a separator at the very end
// gives no empty last piece; two separators in a row give an empty piece between them. A byte
// of 0x80 or more starts a two-byte character, which is stepped over whole.
std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator);

// Each piece as a decimal integer with an optional leading "-"; an empty piece gives 0.
// Digits stop at the first other byte; values wrap to 32 bits.
std::vector<std::int32_t> ParseList(std::string_view text, std::string_view delimiter);

// Rows at rowSeparator, items at itemSeparator; as many columns as the first row has items.
// Items beyond that are ignored and missing items read 0.
Table2D<std::int32_t> ParseGrid(std::string_view text, std::string_view rowSeparator, std::string_view itemSeparator);

}  // namespace pixmond
