// An encode allocates nothing but the symbol's own matrix once its thread has warmed up.
// Its own executable: it replaces the global allocation functions to count calls.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "pixmond/create.h"
#include "pixmond/text.h"

namespace {
std::atomic<long> allocations{0};
std::atomic<long> allocatedBytes{0};
}  // namespace

void* operator new(std::size_t n) {
    ++allocations;
    allocatedBytes += static_cast<long>(n);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
// GCC sees free() meet a pointer from operator new, not knowing that this operator new is
// malloc underneath.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

using namespace pixmond;

TEST(Allocation, AnEncodeAllocatesOnlyItsMatrix) {
    const EcLevel level = LevelFromText("H");
    for (const std::string& text : {std::string("https://example.com/pixmond?id=1234"), std::string(1273, 'a'),
                                    FromUtf8("二维码生成器，二维码生成器"), std::string(3000, '7')}) {
        QrCode warm;
        EncodeText(text, level, warm);
        QrCode fresh;
        allocations = 0;
        allocatedBytes = 0;
        EncodeText(text, level, fresh);
        EXPECT_EQ(allocations.load(), 1) << text.size();
        EXPECT_EQ(allocatedBytes.load(), fresh.GetDimension() * fresh.GetDimension());
        allocations = 0;
        EncodeText(text, level, fresh);  // the same record again: its matrix is reused
        EXPECT_EQ(allocations.load(), 0) << text.size();
    }
}
