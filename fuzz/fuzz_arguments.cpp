// The command line's own parsing on arbitrary arguments (split at NUL bytes) and values.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "cli/options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    using namespace pixmond::cli;

    if (const auto s = ParseSize(all)) {
        FUZZ_CHECK(s->width >= 1 && s->width <= INT32_MAX && s->height >= 1);
        // Written back out, the size reads the same.
        FUZZ_CHECK(ParseSize(std::to_string(s->width) + "x" + std::to_string(s->height)) == s);
    }
    if (const auto c = ParseColour(all)) FUZZ_CHECK(*c <= 0xFFFFFF);

    std::vector<std::string_view> args;
    for (std::size_t start = 0; start <= all.size();) {
        const std::size_t nul = all.find('\0', start);
        const std::size_t end = nul == std::string_view::npos ? all.size() : nul;
        args.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    const ParseResult r = ParseArguments(args);
    if (r.error) {
        FUZZ_CHECK(!r.error->empty());
        // One line, unless a value quoted in it brought its own line feed.
        if (all.find('\n') == std::string_view::npos) FUZZ_CHECK(r.error->find('\n') == std::string::npos);
    } else if (!r.options.help && !r.options.version) {
        FUZZ_CHECK(r.options.size.width >= 1 && r.options.size.height >= 1);
        if (r.options.destination == Destination::File) FUZZ_CHECK(!r.options.outputPath.empty());
    }
    return 0;
}
