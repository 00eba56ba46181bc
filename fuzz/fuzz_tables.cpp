// The table parsers on arbitrary texts and separators: pieces stay inside the text and in
// order, the grid's shape follows its first row, and numbers written out read back the same.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "front/table_text.h"
#include "input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string_view rowSeparator = in.Take(in.Byte() % 4);
    const std::string_view itemSeparator = in.Take(in.Byte() % 4);
    const std::string_view text = in.Rest();

    const auto pieces = pixmond::SplitText(text, itemSeparator);
    const char* previousEnd = text.data();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view p = pieces[i];
        FUZZ_CHECK(p.data() >= previousEnd && p.data() + p.size() <= text.data() + text.size());
        if (i + 1 < pieces.size()) {
            // Every piece but the last ends at a separator.
            const std::size_t end = static_cast<std::size_t>(p.data() - text.data()) + p.size();
            FUZZ_CHECK(text.substr(end, itemSeparator.size()) == itemSeparator);
        }
        previousEnd = p.data() + p.size();
    }
    FUZZ_CHECK(pixmond::ParseList(text, itemSeparator).size() == pieces.size());

    const auto grid = pixmond::ParseGrid(text, rowSeparator, itemSeparator);
    const auto rows = pixmond::SplitText(text, rowSeparator);
    FUZZ_CHECK(grid.rows == static_cast<std::int32_t>(rows.size()));
    if (!rows.empty()) FUZZ_CHECK(grid.cols == static_cast<std::int32_t>(pixmond::SplitText(rows[0], itemSeparator).size()));
    FUZZ_CHECK(grid.cells.size() == static_cast<std::size_t>(grid.rows) * static_cast<std::size_t>(grid.cols));

    // Any 32-bit numbers, written in decimal and joined by commas, parse back to themselves.
    std::vector<std::int32_t> numbers;
    std::string list;
    for (std::size_t i = 0; i < size / 4; ++i) {
        const auto v = static_cast<std::int32_t>(data[4 * i] | data[4 * i + 1] << 8 | data[4 * i + 2] << 16 |
                                                 static_cast<std::uint32_t>(data[4 * i + 3]) << 24);
        numbers.push_back(v);
        list += (i ? "," : "") + std::to_string(v);
    }
    FUZZ_CHECK(pixmond::ParseList(list, ",") == numbers);
    return 0;
}
