#include "front/table_text.h"

namespace pixmond {

std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) {
        pieces.push_back(text);
        return pieces;
    }
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, separator.size(), separator) == 0) {
            pieces.push_back(text.substr(start, i - start));
            i += separator.size();
            start = i;
        } else {
            i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
        }
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

namespace {

std::int32_t ToInteger(std::string_view piece) {
    std::size_t i = 0;
    bool negative = false;
    if (i < piece.size() && piece[i] == '-') {
        negative = true;
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(piece[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::vector<std::int32_t> ParseList(std::string_view text, std::string_view delimiter) {
    std::vector<std::int32_t> out;
    for (std::string_view piece : SplitText(text, delimiter)) out.push_back(ToInteger(piece));
    return out;
}

Table2D<std::int32_t> ParseGrid(std::string_view text, std::string_view rowSeparator, std::string_view itemSeparator) {
    const auto rows = SplitText(text, rowSeparator);
    Table2D<std::int32_t> grid;
    if (rows.empty()) return grid;
    grid.rows = static_cast<std::int32_t>(rows.size());
    grid.cols = static_cast<std::int32_t>(SplitText(rows[0], itemSeparator).size());
    grid.cells.assign(static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.cols), 0);
    for (std::int32_t i = 0; i < grid.rows; ++i) {
        const auto items = SplitText(rows[static_cast<std::size_t>(i)], itemSeparator);
        for (std::int32_t j = 0; j < grid.cols && j < static_cast<std::int32_t>(items.size()); ++j)
            grid.at(i, j) = ToInteger(items[static_cast<std::size_t>(j)]);
    }
    return grid;
}

}  // namespace pixmond
