#pragma once
// The description of one finished symbol: mode, level, version, mask, code-word counts and
// the module matrix (one cell per module, 0 light, 1 dark).

#include <cstdint>
#include <string>

#include "pixmond/byte_matrix.h"
#include "pixmond/ec_level.h"
#include "pixmond/mode.h"

namespace pixmond {

class QrCode {
public:
    QrCode() = default;  // every integer field -1 (unset)

    const Mode& GetMode() const noexcept { return mode_; }
    void SetMode(Mode mode) { mode_ = std::move(mode); }
    const EcLevel& GetEcLevel() const noexcept { return ecLevel_; }
    void SetEcLevel(EcLevel level) { ecLevel_ = std::move(level); }
    std::int32_t GetVersion() const noexcept { return version_; }
    void SetVersion(std::int32_t v) noexcept { version_ = v; }
    std::int32_t GetDimension() const noexcept { return dimension_; }
    void SetDimension(std::int32_t v) noexcept { dimension_ = v; }
    std::int32_t GetMaskPattern() const noexcept { return maskPattern_; }
    void SetMaskPattern(std::int32_t v) noexcept { maskPattern_ = v; }
    const ByteMatrix& GetMatrix() const noexcept { return matrix_; }
    void SetMatrix(ByteMatrix m) { matrix_ = std::move(m); }
    ByteMatrix& MutableMatrix() noexcept { return matrix_; }
    std::int32_t GetTotalCodewords() const noexcept { return totalCodewords_; }
    void SetTotalCodewords(std::int32_t v) noexcept { totalCodewords_ = v; }
    std::int32_t GetDataCodewords() const noexcept { return dataCodewords_; }
    void SetDataCodewords(std::int32_t v) noexcept { dataCodewords_ = v; }
    std::int32_t GetEcCodewords() const noexcept { return ecCodewords_; }
    void SetEcCodewords(std::int32_t v) noexcept { ecCodewords_ = v; }
    std::int32_t GetBlockCount() const noexcept { return blockCount_; }
    void SetBlockCount(std::int32_t v) noexcept { blockCount_ = v; }

    // True when none of the seven integer fields is -1; ranges are not checked.
    bool IsValid() const noexcept;
    static bool IsValidMaskPattern(std::int32_t mask) noexcept { return mask >= 0 && mask <= 7; }
    // Resets the integer fields and makes sure the module's tables are built.
    void SetUpTables();
    // The seven integer fields := -1; mode, level and matrix stay.
    void ResetFields() noexcept;
    // The cell at (x, y). Fails (source "二维码类", method "矩阵取值") when it is neither 0 nor 1.
    // Precondition (not checked): (x, y) lies inside the matrix.
    std::int32_t GetMatrixValue(std::int32_t x, std::int32_t y) const;

    static const std::string& ClassName();  // "二维码类"

private:
    Mode mode_;
    EcLevel ecLevel_;
    std::int32_t version_ = -1;
    std::int32_t dimension_ = -1;
    std::int32_t maskPattern_ = -1;
    std::int32_t totalCodewords_ = -1;
    std::int32_t dataCodewords_ = -1;
    std::int32_t ecCodewords_ = -1;
    std::int32_t blockCount_ = -1;
    ByteMatrix matrix_;
};

}  // namespace pixmond
