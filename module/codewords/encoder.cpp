#include "codewords/encoder.h"

#include "ecc/rs_encoder.h"
#include "pixmond/failure.h"
#include "pixmond/version.h"
#include "symbol/fast_builder.h"
#include "symbol/mask.h"
#include "symbol/matrix_apply.h"

namespace pixmond {

void Encoder::InitQrCode(std::int32_t inputBytes, const EcLevel& level, const Mode& mode, QrCode& record) {
    record.SetEcLevel(level);
    record.SetMode(mode);
    for (const Version& v : VersionTable()) {
        const std::int32_t total = v.GetTotalCodewords();
        const EcBlocks& blocks = v.GetEcBlocksForLevel(level);
        const std::int32_t ec = blocks.GetTotalEcCodewords();
        const std::int32_t data = total - ec;
        if (static_cast<std::int64_t>(data) >= static_cast<std::int64_t>(inputBytes) + kHeaderMarginBytes) {
            record.SetVersion(v.GetNumber());
            record.SetTotalCodewords(total);
            record.SetDataCodewords(data);
            record.SetBlockCount(blocks.GetNumBlocks());
            record.SetEcCodewords(ec);
            record.SetDimension(v.GetDimension());
            return;
        }
    }
    Fail(ClassName(), "初始化二维码", "");
}

void Encoder::PrepareDataCodewords(std::string_view text, const EcLevel& level, QrCode& record, BitVector& dataBits,
                                   BitVector& bits) {
    const Mode mode = ChooseMode(text);
    AppendDataBits(text, mode, dataBits);
    InitQrCode(dataBits.SizeInBytes(), level, mode, record);
    AppendModeIndicator(mode, bits);
    // Byte mode counts the UTF-8 bytes; the other modes count characters, one byte each.
    const std::int32_t count =
        mode == Modes().byte ? dataBits.SizeInBytes() : static_cast<std::int32_t>(text.size());
    AppendLengthInfo(count, record.GetVersion(), mode, bits);
    const auto& bytes = dataBits.Bytes();
    const std::int32_t whole = dataBits.Size() / 8;
    for (std::int32_t k = 0; k < whole; ++k) bits.AppendBits(bytes[static_cast<std::size_t>(k)], 8);
    const std::int32_t rest = dataBits.Size() % 8;
    if (rest) bits.AppendBits(bytes[static_cast<std::size_t>(whole)] >> (8 - rest), rest);
    TerminateDataBits(record.GetDataCodewords(), bits);
}

std::int32_t Encoder::MaskPenalty(const ByteMatrix& matrix) { return MaskHelper::MaskPenalty(matrix); }

std::int32_t Encoder::ChooseMaskPattern(const BitVector& finalBits, const EcLevel& level, std::int32_t version,
                                        ByteMatrix& matrix) {
    const MatrixApply apply;
    std::int32_t best = -1;
    std::int32_t minimum = 0x7FFFFFFF;
    for (std::int32_t m = 0; m < 8; ++m) {
        apply.BuildSymbol(finalBits, level, version, m, matrix);
        const std::int32_t penalty = MaskPenalty(matrix);
        if (penalty < minimum) {
            minimum = penalty;
            best = m;
        }
    }
    return best;
}

void Encoder::Encode(std::string_view text, const EcLevel& level, QrCode& record) const {
    BitVector dataBits, bits;
    PrepareDataCodewords(text, level, record, dataBits, bits);
    BitVector finalBits;
    InterleaveEcBytes(bits, record.GetTotalCodewords(), record.GetDataCodewords(), record.GetBlockCount(), finalBits);
    ByteMatrix matrix(record.GetDimension(), record.GetDimension());
    record.SetMaskPattern(ChooseMaskPattern(finalBits, record.GetEcLevel(), record.GetVersion(), matrix));
    MatrixApply().BuildSymbol(finalBits, record.GetEcLevel(), record.GetVersion(), record.GetMaskPattern(), matrix);
    record.SetMatrix(std::move(matrix));
    if (!record.IsValid()) Fail(ClassName(), "编码", "无效的二维码");
}

void Encoder::EncodeFast(std::string_view text, const EcLevel& level, QrCode& record) const {
    // Buffers kept per thread: once they have grown to the largest symbol seen, an encode
    // allocates nothing but the record's own matrix (and only when its size changes).
    thread_local BitVector dataBits, bits;
    thread_local std::vector<std::uint8_t> codewords;
    dataBits.Rewind();
    bits.Rewind();
    PrepareDataCodewords(text, level, record, dataBits, bits);
    if (record.GetDataCodewords() != bits.SizeInBytes()) Fail(ClassName(), "交错容错字节", "位数和数据字节数不匹配");
    Interleave(bits.Bytes().data(), record.GetTotalCodewords(), record.GetDataCodewords(), record.GetBlockCount(),
               ComputeEcCodewords, codewords);
    const MaskChoice choice = BuildBestSymbol(codewords, record.GetEcLevel(), record.GetVersion(), record.MutableMatrix());
    record.SetMaskPattern(choice.mask);
    if (!record.IsValid()) Fail(ClassName(), "编码", "无效的二维码");
}

}  // namespace pixmond
