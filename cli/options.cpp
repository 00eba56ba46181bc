#include "cli/options.h"

#include <array>
#include <charconv>
#include <filesystem>

namespace pixmond::cli {
namespace {

constexpr std::array<std::string_view, 5> kTypeNames = {"bmp", "png", "svg", "utf8", "ascii"};
constexpr unsigned kMaxJobs = 1024;

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

template <class T>
std::optional<T> ParseDecimal(std::string_view s) {
    if (s.empty() || s.front() < '0' || s.front() > '9') return std::nullopt;
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || end != s.data() + s.size()) return std::nullopt;
    return value;
}

enum class Id { Output, Type, Level, Size, Fg, Bg, Json, Random, Batch, Dir, Jobs, Help, Version };

struct OptionRule {
    Id id;
    char shortName;  // 0: none
    std::string_view longName;
    bool takesValue;
};

constexpr std::array<OptionRule, 14> kOptionRules = {{
    {Id::Output, 'o', "output", true},
    {Id::Type, 't', "type", true},
    {Id::Level, 'l', "level", true},
    {Id::Size, 's', "size", true},
    {Id::Fg, 0, "fg", true},
    {Id::Bg, 0, "bg", true},
    {Id::Json, 0, "json", false},
    {Id::Random, 0, "random-colour", false},
    {Id::Random, 0, "random-color", false},
    {Id::Batch, 0, "batch", true},
    {Id::Dir, 'd', "dir", true},
    {Id::Jobs, 'j', "jobs", true},
    {Id::Help, 'h', "help", false},
    {Id::Version, 'V', "version", false},
}};

const OptionRule* FindLong(std::string_view name) {
    for (const OptionRule& s : kOptionRules)
        if (s.longName == name) return &s;
    return nullptr;
}

const OptionRule* FindShort(char c) {
    for (const OptionRule& s : kOptionRules)
        if (s.shortName == c) return &s;
    return nullptr;
}

// What the command line said, before the rules that tie options together are applied.
struct Raw {
    Options options;
    std::optional<std::string> output;
    std::optional<OutputType> type;
    bool colourGiven = false;
    bool jobsGiven = false;
    bool dirGiven = false;
};

std::optional<std::string> Apply(Raw& raw, const OptionRule& rule, std::string_view value) {
    Options& o = raw.options;
    const std::string shown = "--" + std::string(rule.longName);
    switch (rule.id) {
        case Id::Output:
            if (value.empty()) return "-o needs a file name, or - for standard output";
            raw.output = std::string(value);
            break;
        case Id::Type:
            raw.type = ParseType(value);
            if (!raw.type) return "unknown type '" + std::string(value) + "' (bmp, png, svg, utf8 or ascii)";
            break;
        case Id::Level:
            o.level = std::string(value);
            break;
        case Id::Size: {
            const auto size = ParseSize(value);
            if (!size) return "size must be N or WxH with whole numbers from 1, not '" + std::string(value) + "'";
            o.size = *size;
            break;
        }
        case Id::Fg:
        case Id::Bg: {
            const auto colour = ParseColour(value);
            if (!colour) return shown + " takes a colour as RRGGBB, not '" + std::string(value) + "'";
            (rule.id == Id::Fg ? o.foreground : o.background) = *colour;
            if (rule.id == Id::Fg) raw.colourGiven = true;
            break;
        }
        case Id::Json:
            o.json = true;
            break;
        case Id::Random:
            o.randomColour = true;
            break;
        case Id::Batch:
            if (value.empty()) return "--batch needs a file name";
            o.batchFile = std::string(value);
            break;
        case Id::Dir:
            if (value.empty()) return "-d needs a folder name";
            o.batchDir = std::string(value);
            raw.dirGiven = true;
            break;
        case Id::Jobs: {
            const auto jobs = ParseDecimal<unsigned>(value);
            if (!jobs || *jobs < 1 || *jobs > kMaxJobs)
                return "jobs must be a whole number from 1 to " + std::to_string(kMaxJobs) + ", not '" +
                       std::string(value) + "'";
            o.jobs = *jobs;
            raw.jobsGiven = true;
            break;
        }
        case Id::Help:
            o.help = true;
            break;
        case Id::Version:
            o.version = true;
            break;
    }
    return std::nullopt;
}

// The rules between options, and where the picture goes.
std::optional<std::string> Resolve(Raw& raw) {
    Options& o = raw.options;
    if (o.randomColour && raw.colourGiven) return "--fg and --random-colour cannot be used together";
    if (o.batchFile) {
        if (!raw.dirGiven) return "--batch needs -d DIR for the pictures";
        if (o.text) return "--batch reads its texts from the file; give no TEXT";
        if (raw.output) return "--batch writes into -d DIR; -o cannot be used with it";
        if (o.json) return "--json describes a single symbol; it cannot be used with --batch";
        o.type = raw.type.value_or(OutputType::Png);
        return std::nullopt;
    }
    if (raw.dirGiven) return "-d only applies to --batch";
    if (raw.jobsGiven) return "-j only applies to --batch";

    if (!raw.output) {
        if (o.json && !raw.type) {
            o.destination = Destination::Nowhere;
            return std::nullopt;
        }
        o.destination = Destination::Stdout;
        o.type = raw.type.value_or(OutputType::Utf8);
    } else if (*raw.output == "-") {
        o.destination = Destination::Stdout;
        o.type = raw.type.value_or(OutputType::Png);
    } else {
        o.destination = Destination::File;
        o.outputPath = *raw.output;
        const auto byName = TypeFromFileName(*raw.output);
        if (!raw.type && !byName)
            return "cannot tell the format of '" + *raw.output + "' from its name; add -t bmp|png|svg|utf8|ascii";
        o.type = raw.type ? *raw.type : *byName;
    }
    if (o.json && o.destination == Destination::Stdout)
        return "--json writes to standard output; send the picture to a file with -o";
    return std::nullopt;
}

}  // namespace

std::string_view TypeName(OutputType type) { return kTypeNames[static_cast<std::size_t>(type)]; }

std::string_view TypeExtension(OutputType type) {
    switch (type) {
        case OutputType::Utf8:
        case OutputType::Ascii:
            return "txt";
        default:
            return TypeName(type);
    }
}

std::optional<OutputType> ParseType(std::string_view name) {
    const std::string lower = Lower(name);
    for (std::size_t i = 0; i < kTypeNames.size(); ++i)
        if (lower == kTypeNames[i]) return static_cast<OutputType>(i);
    return std::nullopt;
}

std::optional<OutputType> TypeFromFileName(std::string_view fileName) {
    const std::string ext = Lower(std::filesystem::path(fileName).extension().string());
    if (ext == ".bmp") return OutputType::Bmp;
    if (ext == ".png") return OutputType::Png;
    if (ext == ".svg") return OutputType::Svg;
    if (ext == ".txt") return OutputType::Utf8;
    return std::nullopt;
}

std::optional<Colour> ParseColour(std::string_view text) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6) return std::nullopt;
    std::uint32_t rgb = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rgb, 16);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    const Colour r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r | (g << 8) | (b << 16);
}

std::optional<PictureSize> ParseSize(std::string_view text) {
    const auto x = text.find_first_of("xX");
    const auto w = ParseDecimal<std::int32_t>(text.substr(0, x));
    const auto h = x == std::string_view::npos ? w : ParseDecimal<std::int32_t>(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1) return std::nullopt;
    return PictureSize{*w, *h};
}

ParseResult ParseArguments(const std::vector<std::string_view>& args) {
    Raw raw;
    ParseResult result;
    bool optionsEnded = false;
    auto addText = [&](std::string_view arg) -> std::optional<std::string> {
        if (raw.options.text) return "give the text as one argument (put it in quotes)";
        raw.options.text = std::string(arg);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size() && !result.error; ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
            result.error = addText(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionRule* rule = nullptr;
        std::optional<std::string_view> inlineValue;
        std::string shown;
        if (arg[1] == '-') {
            const std::string_view body = arg.substr(2);
            const auto eq = body.find('=');
            rule = FindLong(body.substr(0, eq));
            shown = "--" + std::string(body.substr(0, eq));
            if (eq != std::string_view::npos) inlineValue = body.substr(eq + 1);
        } else {
            rule = FindShort(arg[1]);
            shown = std::string(arg.substr(0, 2));
            if (arg.size() > 2) inlineValue = arg.substr(2);
        }
        if (!rule) {
            result.error = "unknown option '" + shown + "' (see --help)";
            break;
        }
        if (!rule->takesValue) {
            if (inlineValue) {
                result.error = "option '" + shown + "' takes no value";
                break;
            }
            result.error = Apply(raw, *rule, {});
            continue;
        }
        if (!inlineValue) {
            if (i + 1 == args.size()) {
                result.error = "option '" + shown + "' needs a value";
                break;
            }
            inlineValue = args[++i];
        }
        result.error = Apply(raw, *rule, *inlineValue);
    }
    if (!result.error && !raw.options.help && !raw.options.version) result.error = Resolve(raw);
    result.options = std::move(raw.options);
    return result;
}

std::string HelpText() {
    return R"(Usage: pixmond-cli [options] [--] [TEXT]
       pixmond-cli [options] --batch FILE -d DIR

Makes a QR code of TEXT (UTF-8). Without TEXT, or with TEXT "-", the text is all of
standard input, exactly as it comes (a final line feed is part of the text).
Without -o the code is printed to the terminal with half-block characters.

Options:
  -o, --output FILE   write the picture to FILE; the format follows the extension
                      (.bmp, .png, .svg; .txt for terminal text). "-o -" writes to
                      standard output (PNG unless -t says otherwise).
                        pixmond-cli "你好，Pixmond" -o hello.bmp
                        pixmond-cli "你好" -o - > hello.png
  -t, --type TYPE     bmp, png, svg, utf8 (half blocks) or ascii; overrides the extension.
                        pixmond-cli "你好" -t ascii
                        pixmond-cli "你好" -o code.out -t svg
  -l, --level X       error-correction level L, M, Q or H (default H).
                        pixmond-cli "https://example.com" -l M -o site.png
  -s, --size N|WxH    picture size in pixels (default 200); the code is centred.
                        pixmond-cli "你好" -s 600 -o big.png
                        pixmond-cli "你好" -s 300x200 -o wide.bmp
      --fg RRGGBB     colour of the dark modules (default 000000).
      --bg RRGGBB     colour of the light modules and margin (default FFFFFF).
                        pixmond-cli "你好" --fg 1E3A8A --bg FFF8E7 -o blue.svg
      --random-colour dark modules in a random colour, as the window's "随机颜色" button.
                        pixmond-cli "你好" --random-colour -o colour.png
      --json          print one line describing the symbol (mode, level, version,
                      dimension, mask, code words, blocks, data bytes). Without -o
                      nothing else is written.
                        pixmond-cli "你好" --json
                        pixmond-cli "你好" --json -o hello.png
      --batch FILE    one code per line of FILE (UTF-8, LF or CRLF; empty lines are
                      skipped), written to DIR as 0001.png, 0002.png, ... by line number.
  -d, --dir DIR       the folder for --batch (created when missing).
  -j, --jobs N        threads for --batch (default: one per core).
                        pixmond-cli --batch names.txt -d codes
                        pixmond-cli --batch names.txt -d codes -t svg -j 2
  -h, --help          this help.
                        pixmond-cli --help
  -V, --version       the version.
                        pixmond-cli --version
  --                  the end of options: a TEXT that starts with '-' follows.
                        pixmond-cli -- "-5 ℃"

Text from standard input:
  printf '%s' "你好" | pixmond-cli -o hello.png

Exit status: 0 written; 1 the QR module refused the text or size (its report on
standard error); 2 a usage or input error (unknown option, text not UTF-8, a file
that cannot be read or written). In batch mode 1 means at least one line failed.
)";
}

}  // namespace pixmond::cli
