// Every symbol read back by an independent decoder (zbar, raw bytes): every version 1 to 40 at
// every level, each mode, Chinese and emoji, white space, and each of the eight masks.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "pixmond/create.h"
#include "pixmond/failure.h"
#include "pixmond/text.h"
#include "support/zbar_reader.h"

using namespace pixmond;

namespace {

enum class Kind { Numeric, Alphanumeric, Bytes, Chinese };

// A text of n units of one kind, in module text (GB18030).
std::string MakeText(Kind kind, std::size_t n, std::mt19937& rng) {
    static const char* kAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    static const char* kUtf8Pieces[] = {"二", "维", "码", "你好", "，", "😀", "🀄", " ", "\t", "\n", "a", "Z", "~"};
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        switch (kind) {
            case Kind::Numeric: s += static_cast<char>('0' + rng() % 10); break;
            case Kind::Alphanumeric: s += kAlnum[rng() % 45]; break;
            case Kind::Bytes: s += static_cast<char>(0x20 + rng() % 95); break;
            case Kind::Chinese: s += FromUtf8(kUtf8Pieces[rng() % std::size(kUtf8Pieces)]); break;
        }
    }
    return s;
}

// The longest text of that kind that still fits the version at the level.
std::string FillVersion(Kind kind, std::int32_t version, const EcLevel& level, std::mt19937& rng) {
    const std::string pool = MakeText(kind, 8000, rng);
    auto cut = [&](std::size_t n) {
        std::string t = pool.substr(0, n);
        while (!t.empty()) {  // never end inside a multi-byte character
            try {
                ToUtf8(t);
                break;
            } catch (const ModuleFailure&) {
                t.pop_back();
            }
        }
        return t;
    };
    auto versionOf = [&](std::size_t n) {
        QrCode r;
        try {
            EncodeText(cut(n), level, r);
        } catch (const ModuleFailure&) {
            return 41;
        }
        return r.GetVersion();
    };
    std::size_t lo = 1, hi = pool.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (versionOf(mid) <= version) lo = mid; else hi = mid - 1;
    }
    return cut(lo);
}

struct Decoded {
    std::int32_t version = 0, mask = -1;
    bool ok = false;
};

Decoded RoundTrip(const std::string& text, const EcLevel& level, const std::string& name) {
    QrCode r;
    EncodeText(text, level, r);  // to learn the dimension
    const std::int32_t side = (r.GetDimension() + 4) * 4;
    const auto bmp = CreateQrCodeInto(r, text, level.GetName(), side, side, kWhite, kBlack);
    const auto got = testsupport::DecodeBmp(bmp);
    const std::string want = ToUtf8(text);
    EXPECT_EQ(got, want) << name << " version " << r.GetVersion() << " level " << level.GetName();
    return {r.GetVersion(), r.GetMaskPattern(), got == want};
}

}  // namespace

TEST(RoundTrip, EveryVersionAtEveryLevelReadsBack) {
    const unsigned seed = 404;
    std::mt19937 rng(seed);
    const EcLevel* levels[] = {&EcLevels().L, &EcLevels().M, &EcLevels().Q, &EcLevels().H};
    std::set<std::int32_t> masks;
    std::set<std::string> modes;
    for (std::int32_t version = 1; version <= 40; ++version)
        for (int l = 0; l < 4; ++l) {
            const auto kind = static_cast<Kind>((version + l) % 4);
            const std::string text = FillVersion(kind, version, *levels[l], rng);
            const Decoded d = RoundTrip(text, *levels[l], "seed " + std::to_string(seed));
            ASSERT_EQ(d.version, version) << "level " << l;
            masks.insert(d.mask);
            QrCode r;
            EncodeText(text, *levels[l], r);
            modes.insert(r.GetMode().GetName());
        }
    EXPECT_EQ(modes, (std::set<std::string>{"数字", "字母数字", "字节"}));
    // Short texts until every mask has been chosen and read back at least once.
    for (int i = 0; masks.size() < 8 && i < 500; ++i) {
        const std::string text = MakeText(static_cast<Kind>(i % 4), 1 + rng() % 40, rng);
        if (text.find_first_not_of(' ') == std::string::npos) continue;
        masks.insert(RoundTrip(text, *levels[i % 4], "mask search, seed " + std::to_string(seed)).mask);
    }
    EXPECT_EQ(masks.size(), 8u);
}

TEST(RoundTrip, TextsPeopleType) {
    const char* texts[] = {
        "你好，Pixmond",
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:张三\r\nTEL:13800138000\r\nNOTE:Pixmond Share\r\nEND:VCARD",
        "https://example.com/pixmond?id=1234",
        "表情 😀🎉 emoji",
        "tab\there\nand a new line",
        "　全角空格　",
        "0000000000",
        "HTTP://EXAMPLE.COM/ABC",
    };
    for (const char* utf8 : texts)
        for (const char* level : {"L", "H"}) {
            const auto bmp = CreateQrCode(FromUtf8(utf8), level, 400, 400, kWhite, kBlack);
            EXPECT_EQ(testsupport::DecodeBmp(bmp), std::string(utf8)) << utf8 << " at " << level;
        }
}
