// Text to finished module matrix, level H: pixmond beside libqrencode and qrcodegen, plus
// pixmond's whole picture path. Every implementation gets the text a reader would get back:
// pixmond takes GB18030, the peers take UTF-8.
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "pixmond/pixmond.h"
#include "qrcodegen.hpp"

namespace {

struct Case {
    const char* name;
    std::string utf8;
};

// The same sequence on every run, so every implementation and every run sees the same text.
std::string Generated(std::size_t length, std::string_view alphabet) {
    std::string s;
    s.reserve(length);
    std::uint32_t state = 20240601;
    for (std::size_t i = 0; i < length; ++i) {
        state = state * 1664525u + 1013904223u;
        s += alphabet[(state >> 16) % alphabet.size()];
    }
    return s;
}

std::vector<Case> Cases() {
    return {
        {"url34", "https://example.com/pixmond?id=1234"},
        {"zh100",
         "二维码是一种矩阵式条码它用黑白相间的小方块记录信息手机摄像头扫一扫就能读出其中的文字网址或者电话号码"
         "我们为写中文的人做了这个小工具输入文字选择容错等级便可得到一张清晰的图片打印出来贴在门口或者发给朋友"},
        {"alnum500", Generated(500, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:")},
        {"digits3000", Generated(3000, "0123456789")},
        {"bytes1273", Generated(1273, "abcdefghijklmnopqrstuvwxyz")},
    };
}

std::size_t CodePoints(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

void Pixmond(benchmark::State& state, const std::string& gb18030) {
    const pixmond::EcLevel level = pixmond::LevelFromText("H");
    std::int32_t version = 0;
    for (auto _ : state) {
        pixmond::QrCode record;
        pixmond::EncodeText(gb18030, level, record);
        benchmark::DoNotOptimize(record.GetMatrix().Data().data());
        version = record.GetVersion();
    }
    state.counters["version"] = version;
}

void Libqrencode(benchmark::State& state, const std::string& utf8) {
    std::int32_t version = 0;
    for (auto _ : state) {
        QRcode* code = QRcode_encodeString(utf8.c_str(), 0, QR_ECLEVEL_H, QR_MODE_8, 1);
        if (code == nullptr) {
            state.SkipWithError("libqrencode failed");
            break;
        }
        benchmark::DoNotOptimize(code->data);
        version = code->version;
        QRcode_free(code);
    }
    state.counters["version"] = version;
}

void Qrcodegen(benchmark::State& state, const std::string& utf8) {
    using qrcodegen::QrCode;
    std::int32_t version = 0;
    for (auto _ : state) {
        const QrCode code = QrCode::encodeSegments(qrcodegen::QrSegment::makeSegments(utf8.c_str()), QrCode::Ecc::HIGH,
                                                   1, 40, -1, false);
        benchmark::DoNotOptimize(code.getModule(0, 0));
        version = code.getVersion();
    }
    state.counters["version"] = version;
}

void Picture(benchmark::State& state, const std::string& gb18030) {
    for (auto _ : state) {
        const auto bmp = pixmond::CreateQrCode(gb18030, "H", 200, 200, pixmond::kWhite, pixmond::kBlack);
        benchmark::DoNotOptimize(bmp.data());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<Case> cases = Cases();
    for (const Case& c : cases) {
        const std::string name = c.name;
        if (name == "zh100" && CodePoints(c.utf8) != 100) {
            std::fprintf(stderr, "zh100 has %zu characters\n", CodePoints(c.utf8));
            return EXIT_FAILURE;
        }
        const std::string gb18030 = pixmond::FromUtf8(c.utf8);
        benchmark::RegisterBenchmark(("symbol/" + name + "/pixmond").c_str(), Pixmond, gb18030);
        benchmark::RegisterBenchmark(("symbol/" + name + "/libqrencode").c_str(), Libqrencode, c.utf8);
        benchmark::RegisterBenchmark(("symbol/" + name + "/qrcodegen").c_str(), Qrcodegen, c.utf8);
    }
    for (const Case& c : cases)
        benchmark::RegisterBenchmark((std::string("picture/") + c.name + "/pixmond").c_str(), Picture,
                                     pixmond::FromUtf8(c.utf8));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
