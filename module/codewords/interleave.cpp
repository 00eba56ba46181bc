// Reed–Solomon blocks and their interleaving (ISO/IEC 18004, 7.6).
#include <algorithm>

#include "codewords/encoder.h"
#include "ecc/rs_encoder.h"
#include "pixmond/failure.h"

namespace pixmond {

std::pair<std::int32_t, std::int32_t> Encoder::GetBlockByteCounts(std::int32_t total, std::int32_t data,
                                                                  std::int32_t blocks, std::int32_t id) {
    if (id >= blocks) Fail(ClassName(), "根据块ID取数据字节数和容错字节数", "无效值");
    const std::int32_t group2 = total % blocks;
    const std::int32_t group1 = blocks - group2;
    const std::int32_t total1 = total / blocks;
    const std::int32_t data1 = data / blocks;
    const std::int32_t ec1 = total1 - data1;
    const std::int32_t ec2 = (total1 + 1) - (data1 + 1);
    if (id < group1) return {data1, ec1};
    return {data1 + 1, ec2};
}

std::vector<std::uint8_t> Encoder::MakeEcBytes(const std::vector<std::uint8_t>& data, std::int32_t ecCount) {
    std::vector<std::int32_t> words(data.begin(), data.end());
    words.resize(data.size() + static_cast<std::size_t>(std::max(ecCount, 0)), 0);
    RsEncoder rs;
    rs.Init(QrField());
    rs.Encode(words, ecCount);
    return std::vector<std::uint8_t>(words.begin() + static_cast<std::ptrdiff_t>(data.size()), words.end());
}

void Encoder::Interleave(const std::uint8_t* dataBytes, std::int32_t total, std::int32_t data, std::int32_t blocks,
                         EcFunction ecFn, std::vector<std::uint8_t>& out) {
    struct Block {
        std::int32_t offset, dataCount, ecCount;
    };
    // Scratch kept per thread: after the first symbol an interleaving allocates nothing.
    thread_local std::vector<Block> list;
    thread_local std::vector<std::uint8_t> ec;
    list.clear();
    list.reserve(static_cast<std::size_t>(std::max(blocks, 0)));
    std::int32_t offset = 0, maxData = 0, maxEc = 0;
    for (std::int32_t i = 0; i < blocks; ++i) {
        const auto [d, e] = GetBlockByteCounts(total, data, blocks, i);
        list.push_back({offset, d, e});
        maxData = std::max(maxData, d);
        maxEc = std::max(maxEc, e);
        offset += d;
    }
    if (data != offset) Fail(ClassName(), "交错容错字节", "数据字节数写偏移量不匹配");

    ec.assign(static_cast<std::size_t>(blocks) * static_cast<std::size_t>(maxEc), 0);
    for (std::size_t i = 0; i < list.size(); ++i)
        ecFn(dataBytes + list[i].offset, list[i].dataCount, list[i].ecCount, ec.data() + i * static_cast<std::size_t>(maxEc));

    out.clear();
    out.reserve(static_cast<std::size_t>(std::max(total, 0)));
    for (std::int32_t k = 0; k < maxData; ++k)
        for (const Block& b : list)
            if (k < b.dataCount) out.push_back(dataBytes[b.offset + k]);
    for (std::int32_t k = 0; k < maxEc; ++k)
        for (std::size_t i = 0; i < list.size(); ++i)
            if (k < list[i].ecCount) out.push_back(ec[i * static_cast<std::size_t>(maxEc) + static_cast<std::size_t>(k)]);
    if (static_cast<std::int32_t>(out.size()) != total) Fail(ClassName(), "交错容错字节", "交错出错");
}

void Encoder::InterleaveEcBytes(const BitVector& bits, std::int32_t total, std::int32_t data, std::int32_t blocks,
                                BitVector& result) {
    if (data != bits.SizeInBytes()) Fail(ClassName(), "交错容错字节", "位数和数据字节数不匹配");
    const auto plain = [](const std::uint8_t* d, std::int32_t n, std::int32_t e, std::uint8_t* out) {
        const auto ec = MakeEcBytes(std::vector<std::uint8_t>(d, d + n), e);
        std::copy(ec.begin(), ec.end(), out);
    };
    std::vector<std::uint8_t> out;
    Interleave(bits.Bytes().data(), total, data, blocks, plain, out);
    for (std::uint8_t b : out) result.AppendBits(b, 8);
}

}  // namespace pixmond
