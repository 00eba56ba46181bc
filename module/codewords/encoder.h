#pragma once
// From a text and a level to a finished symbol in a QR code record: mode choice and data bits
// (ISO/IEC 18004, 7.4), version choice, Reed–Solomon blocks and interleaving (7.5, 7.6), and
// the mask (7.8). Encode is the plain procedure, step by step; EncodeFast gives the same record
// through the fast Reed–Solomon and symbol paths and is what the module entry uses.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pixmond/byte_matrix.h"
#include "pixmond/ec_level.h"
#include "pixmond/mode.h"
#include "pixmond/qr_code.h"
#include "symbol/bit_vector.h"

namespace pixmond {

class Encoder {
public:
    // Data code words ≥ input bytes + 3 keeps room for the header that is added later.
    static constexpr std::int32_t kHeaderMarginBytes = 3;

    void Encode(std::string_view text, const EcLevel& level, QrCode& record) const;
    void EncodeFast(std::string_view text, const EcLevel& level, QrCode& record) const;

    // The smallest version whose data code words ≥ inputBytes + 3 at the level; fills level,
    // mode, version, code-word counts, block count and dimension. Fails (method
    // "初始化二维码", empty message) when none fits.
    static void InitQrCode(std::int32_t inputBytes, const EcLevel& level, const Mode& mode, QrCode& record);

    static void AppendDataBits(std::string_view text, const Mode& mode, BitVector& bits);
    static void AppendNumeric(std::string_view text, BitVector& bits);
    static void AppendAlphanumeric(std::string_view text, BitVector& bits);
    // The text converted to UTF-8, byte by byte; fails on invalid GB18030.
    static void AppendByteMode(std::string_view text, BitVector& bits);
    static Mode ChooseMode(std::string_view text);
    // The alphanumeric value 0..44 of a character code, or −1.
    static std::int32_t AlphanumericCode(std::int32_t code) noexcept;
    static void AppendModeIndicator(const Mode& mode, BitVector& bits);
    static void AppendLengthInfo(std::int32_t count, std::int32_t version, const Mode& mode, BitVector& bits);
    static void TerminateDataBits(std::int32_t dataCodewords, BitVector& bits);

    // Splits the data code words of bits into blocks, adds each block's EC code words and
    // appends the interleaved sequence to result.
    static void InterleaveEcBytes(const BitVector& bits, std::int32_t total, std::int32_t data, std::int32_t blocks,
                                  BitVector& result);
    // Data and EC code words of block id (from 0). Fails when id >= blocks.
    static std::pair<std::int32_t, std::int32_t> GetBlockByteCounts(std::int32_t total, std::int32_t data,
                                                                    std::int32_t blocks, std::int32_t id);
    // The EC code words of one block, with a new Reed–Solomon encoder.
    static std::vector<std::uint8_t> MakeEcBytes(const std::vector<std::uint8_t>& data, std::int32_t ecCount);

    static std::int32_t MaskPenalty(const ByteMatrix& matrix);
    // The mask with the lowest penalty (ties to the lowest); matrix is left with mask 7's build.
    static std::int32_t ChooseMaskPattern(const BitVector& finalBits, const EcLevel& level, std::int32_t version,
                                          ByteMatrix& matrix);

    static const std::string& ClassName();  // "编码类"

    // The interleaving shared by both paths: ecFn(data, dataCount, ecCount, out) writes a
    // block's EC code words. out receives the final code words; fails as InterleaveEcBytes does.
    using EcFunction = void (*)(const std::uint8_t*, std::int32_t, std::int32_t, std::uint8_t*);
    static void Interleave(const std::uint8_t* dataBytes, std::int32_t total, std::int32_t data, std::int32_t blocks,
                           EcFunction ecFn, std::vector<std::uint8_t>& out);

private:
    // Steps shared by both paths: mode, data bits, version, header, terminator and padding.
    // dataBits and bits come in empty; bits leaves holding the data code words.
    static void PrepareDataCodewords(std::string_view text, const EcLevel& level, QrCode& record, BitVector& dataBits,
                                     BitVector& bits);
};

}  // namespace pixmond
