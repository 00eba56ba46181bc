// Thousands of seeded random texts, every mode and level, up to each level's capacity: each
// picture must come back from zbar as exactly the UTF-8 of its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "capacity.h"
#include "pixmond/pixmond.h"
#include "support/bmp.h"
#include "support/zbar_reader.h"

namespace {

using hardening::Level;

constexpr std::uint64_t kSeed = 0x5049584D4F4E44;  // fixed: every run checks the same texts
constexpr int kCasesPerLevelAndKind = 90;

enum class Kind { Numeric, Alphanumeric, Ascii, Chinese, Emoji, Mixed };
constexpr Kind kKinds[] = {Kind::Numeric, Kind::Alphanumeric, Kind::Ascii, Kind::Chinese, Kind::Emoji, Kind::Mixed};
const char* Name(Kind k) {
    static const char* const names[] = {"numeric", "alphanumeric", "ascii", "chinese", "emoji", "mixed"};
    return names[static_cast<int>(k)];
}

struct Case {
    Kind kind{};
    Level level{};
    std::string utf8;  // what zbar must hand back
    std::int32_t pixelsPerModule = 3;
    std::int32_t extraWidth = 0;
    std::int32_t extraHeight = 0;
};

// UTF-8 written here, not by the module, so the expected bytes do not share its converter.
void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : rng_(seed) {}

    Case Make(Kind kind, Level level) {
        Case c;
        c.kind = kind;
        c.level = level;
        c.pixelsPerModule = Pick(3, 4);
        c.extraWidth = Pick(0, 9);
        c.extraHeight = Pick(0, 9);
        const std::int32_t capacity = kind == Kind::Numeric        ? hardening::NumericCapacity(level)
                                      : kind == Kind::Alphanumeric ? hardening::AlphanumericCapacity(level)
                                                                   : hardening::ByteCapacity(level);
        // Short texts, texts filling the largest symbol, and everything between.
        const int shape = Pick(0, 9);
        // Four bytes at least, so that a kind whose characters are all long still gets one in.
        const std::int32_t shortest = kind == Kind::Emoji ? 4 : 1;
        const std::int32_t target =
            shape < 2 ? Pick(shortest, 40) : shape < 3 ? capacity : Pick(shortest, capacity);
        do {
            c.utf8.clear();
            Fill(c, target);
        } while (!Acceptable(c));
        return c;
    }

private:
    std::int32_t Pick(std::int32_t lo, std::int32_t hi) { return std::uniform_int_distribution<std::int32_t>(lo, hi)(rng_); }
    char32_t PickIn(char32_t lo, char32_t hi) {
        return static_cast<char32_t>(std::uniform_int_distribution<std::uint32_t>(lo, hi)(rng_));
    }

    char32_t Character(Kind kind) {
        static const std::string alnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
        switch (kind) {
            case Kind::Numeric:
                return PickIn('0', '9');
            case Kind::Alphanumeric:
                return static_cast<unsigned char>(alnum[static_cast<std::size_t>(Pick(0, 44))]);
            case Kind::Ascii:
                return Pick(0, 5) == 0 ? PickIn(0x00, 0x1F) : PickIn(0x20, 0x7F);  // controls, NUL and DEL included
            case Kind::Chinese:
                switch (Pick(0, 9)) {
                    case 0: return PickIn(0x3000, 0x3011);  // ideographic space and punctuation
                    case 1: return PickIn(0xFF01, 0xFF5E);  // full-width forms
                    case 2: return PickIn(0x20, 0x7E);
                    default: return PickIn(0x4E00, 0x9FA5);
                }
            case Kind::Emoji:
                switch (Pick(0, 5)) {
                    case 0: return PickIn(0x20000, 0x2A6D6);  // beyond the basic plane, not emoji
                    case 1: return PickIn(0x4E00, 0x9FA5);
                    case 2: return PickIn(0x2600, 0x27BF);
                    default: return PickIn(0x1F300, 0x1F64F);
                }
            case Kind::Mixed:
                break;
        }
        switch (Pick(0, 6)) {
            case 0: return PickIn(0x00, 0x1F);
            case 1: return PickIn(0x80, 0x9F);  // C1 controls
            case 2: return PickIn(0xA0, 0x2FF);
            case 3: return PickIn(0x4E00, 0x9FA5);
            case 4: return PickIn(0x1F300, 0x1F64F);
            // Private use, short of the two dozen points GB18030-2022 moved to standard characters
            // (iconv refuses those, and FromUtf8 with it).
            case 5: return PickIn(0xE000, 0xE78C);
            default: return PickIn(0x20, 0x7E);
        }
    }

    void Fill(Case& c, std::int32_t target) {
        std::size_t failures = 0;
        while (static_cast<std::int32_t>(c.utf8.size()) < target && failures < 16) {
            std::string one;
            AppendUtf8(one, Character(c.kind));
            if (static_cast<std::int32_t>(c.utf8.size() + one.size()) > target) {
                ++failures;  // a shorter character may still fit
                continue;
            }
            c.utf8 += one;
        }
    }

    // Each text must land in the mode of its kind, and no text may be all spaces (the entry
    // refuses those, which another test covers).
    static bool Acceptable(const Case& c) {
        if (c.utf8.empty()) return false;
        std::string_view rest = c.utf8;
        while (!rest.empty()) {
            if (rest.front() == ' ')
                rest.remove_prefix(1);
            else if (rest.starts_with("\xE3\x80\x80"))
                rest.remove_prefix(3);
            else
                break;
        }
        if (rest.empty()) return false;
        const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
        const auto inAlnum = [](char ch) {
            return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') ||
                   std::string_view(" $%*+-./:").find(ch) != std::string_view::npos;
        };
        switch (c.kind) {
            case Kind::Numeric:
                return true;
            case Kind::Alphanumeric:
                return !std::all_of(c.utf8.begin(), c.utf8.end(), isDigit);
            default:
                return !std::all_of(c.utf8.begin(), c.utf8.end(), inAlnum);
        }
    }

    std::mt19937_64 rng_;
};

const pixmond::Mode& ExpectedMode(Kind kind) {
    if (kind == Kind::Numeric) return pixmond::Modes().numeric;
    if (kind == Kind::Alphanumeric) return pixmond::Modes().alphanumeric;
    return pixmond::Modes().byte;
}

std::string Hex(std::string_view bytes, std::size_t limit = 48) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        out += digits[static_cast<unsigned char>(bytes[i]) >> 4];
        out += digits[static_cast<unsigned char>(bytes[i]) & 15];
    }
    if (bytes.size() > limit) out += "...";
    return out;
}

struct Outcome {
    std::string problem;  // empty when the text came back whole
    std::int32_t version = 0;
};

Outcome Check(const Case& c) {
    try {
        const std::string text = pixmond::FromUtf8(c.utf8);
        const pixmond::EcLevel level = pixmond::LevelFromText(hardening::Name(c.level));
        pixmond::QrCode probe;
        pixmond::EncodeText(text, level, probe);
        const std::int32_t side = (probe.GetDimension() + 4) * c.pixelsPerModule;
        const std::int32_t width = side + c.extraWidth;
        const std::int32_t height = side + c.extraHeight;
        pixmond::QrCode record;
        const auto bmp = pixmond::CreateQrCodeInto(record, text, hardening::Name(c.level), width, height,
                                                   pixmond::kWhite, pixmond::kBlack);
        Outcome out{"", record.GetVersion()};
        if (!(record.GetMode() == ExpectedMode(c.kind))) return {"mode " + record.GetMode().GetName()};
        if (!(record.GetEcLevel() == level)) return {"level " + record.GetEcLevel().GetName()};
        const auto picture = testsupport::ReadBmp(bmp);
        if (!picture || picture->width != width || picture->height != height) return {"not a picture of the size asked"};
        const auto decoded = testsupport::DecodeGrey(testsupport::ToGrey(*picture), width, height);
        if (!decoded) return {"zbar found no symbol (version " + std::to_string(record.GetVersion()) + ")"};
        if (*decoded != c.utf8) return {"zbar read " + Hex(*decoded)};
        return out;
    } catch (const pixmond::ModuleFailure& e) {
        return {std::string("module failure: ") + e.what()};
    }
}

TEST(RoundTrip, SeededRandomTextsOfEveryModeAndLevelComeBackFromZbarByteForByte) {
    std::cout << "round-trip seed: " << kSeed << "\n";
    RecordProperty("seed", std::to_string(kSeed));
    TextMaker maker(kSeed);
    std::vector<Case> cases;
    for (Level level : hardening::kLevels)
        for (Kind kind : kKinds)
            for (int i = 0; i < kCasesPerLevelAndKind; ++i) cases.push_back(maker.Make(kind, level));

    std::vector<Outcome> outcomes(cases.size());
    std::atomic<std::size_t> next{0};
    {
        std::vector<std::jthread> workers;
        const unsigned count = std::max(2u, std::thread::hardware_concurrency());
        for (unsigned t = 0; t < count; ++t)
            workers.emplace_back([&] {
                for (std::size_t i = next++; i < cases.size(); i = next++) outcomes[i] = Check(cases[i]);
            });
    }

    std::size_t failed = 0;
    std::int32_t largest[4] = {};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const auto li = static_cast<std::size_t>(c.level);
        largest[li] = std::max(largest[li], outcomes[i].version);
        if (outcomes[i].problem.empty()) continue;
        if (++failed <= 25)
            ADD_FAILURE() << "seed " << kSeed << ", case " << i << " (" << Name(c.kind) << ", level "
                          << hardening::Name(c.level) << ", " << c.utf8.size() << " UTF-8 bytes, "
                          << c.pixelsPerModule << " px per module): " << outcomes[i].problem
                          << "\n  text (UTF-8): " << Hex(c.utf8);
    }
    EXPECT_EQ(failed, 0u) << "of " << cases.size() << " texts, seed " << kSeed;
    EXPECT_GE(cases.size(), 2000u);
    // The set reached the largest symbol at every level.
    for (Level level : hardening::kLevels)
        EXPECT_EQ(largest[static_cast<std::size_t>(level)], 40) << "level " << hardening::Name(level);
}

}  // namespace
