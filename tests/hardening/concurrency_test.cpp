// Calls at once from several threads; run under ThreadSanitizer as well as normally.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "pixmond/pixmond.h"

namespace {

constexpr int kThreads = 4;
constexpr int kCallsPerThread = 20;

struct Request {
    std::string text;  // GB18030
    pixmond::Colour background;
    pixmond::Colour foreground;
};

// Byte mode with Chinese (the converter runs in every thread), alphanumeric and numeric.
std::vector<Request> Requests() {
    std::vector<Request> out;
    for (int t = 0; t < kThreads; ++t) {
        const auto n = static_cast<std::uint32_t>(t);
        out.push_back({pixmond::FromUtf8("线程" + std::to_string(t) + "：你好，二维码"), 0xFFFFF0 - n, 0x000010 + n});
        out.push_back({"THREAD " + std::to_string(t), 0xF0F0F0 + n, 0x100000 + n});
        out.push_back({std::string(200 + t, static_cast<char>('0' + t)), 0xEEEEEE - n, 0x202020 + n});
    }
    return out;
}

TEST(Concurrency, CreateQrCodeCalledAtOnceGivesEveryCallerItsOwnPicture) {
    const auto requests = Requests();
    std::vector<std::vector<std::uint8_t>> expected;
    std::vector<pixmond::ByteMatrix> matrices;
    for (const Request& r : requests) {
        expected.push_back(pixmond::CreateQrCode(r.text, "M", 150, 120, r.background, r.foreground));
        matrices.push_back(pixmond::SharedQrCode().GetMatrix());
    }

    std::vector<int> mismatches(kThreads, 0);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int k = 0; k < kCallsPerThread; ++k) {
                    const std::size_t i = static_cast<std::size_t>((t + k) % static_cast<int>(requests.size()));
                    const Request& r = requests[i];
                    if (pixmond::CreateQrCode(r.text, "M", 150, 120, r.background, r.foreground) != expected[i])
                        ++mismatches[static_cast<std::size_t>(t)];
                    // Readers of the process-wide record run beside the writers.
                    (void)pixmond::SharedQrCode();
                    (void)pixmond::ForegroundColour();
                }
            });
    }
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[static_cast<std::size_t>(t)], 0) << "thread " << t;

    // The record and the two colours left behind all come from the same, last, call.
    const auto last = std::find_if(requests.begin(), requests.end(), [](const Request& r) {
        return r.background == pixmond::BackgroundColour() && r.foreground == pixmond::ForegroundColour();
    });
    ASSERT_NE(last, requests.end());
    EXPECT_EQ(pixmond::SharedQrCode().GetMatrix(), matrices[static_cast<std::size_t>(last - requests.begin())]);
}

TEST(Concurrency, CreateQrCodeIntoOnManyThreadsMatchesOneThread) {
    const auto requests = Requests();
    std::vector<std::vector<std::uint8_t>> expected;
    for (const Request& r : requests) {
        pixmond::QrCode record;
        expected.push_back(pixmond::CreateQrCodeInto(record, r.text, "Q", 90, 90, r.background, r.foreground));
    }
    std::vector<int> mismatches(kThreads, 0);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                pixmond::QrCode record;
                for (int k = 0; k < kCallsPerThread; ++k) {
                    const std::size_t i = static_cast<std::size_t>((t * 5 + k) % static_cast<int>(requests.size()));
                    const Request& r = requests[i];
                    if (pixmond::CreateQrCodeInto(record, r.text, "Q", 90, 90, r.background, r.foreground) !=
                        expected[i])
                        ++mismatches[static_cast<std::size_t>(t)];
                }
            });
    }
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[static_cast<std::size_t>(t)], 0) << "thread " << t;
}

TEST(Concurrency, ColourSeedsTakenAtOnceInTheSameMillisecondAllDiffer) {
    constexpr int kDraws = 2000;
    std::vector<std::vector<std::uint32_t>> seeds(kThreads);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                for (int k = 0; k < kDraws; ++k) seeds[static_cast<std::size_t>(t)].push_back(pixmond::NextColourSeed(777));
                (void)pixmond::RandomColour();
            });
    }
    std::set<std::uint32_t> all;
    for (const auto& s : seeds) all.insert(s.begin(), s.end());
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kThreads * kDraws));
}

}  // namespace
