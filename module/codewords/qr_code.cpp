#include "pixmond/qr_code.h"

#include <string>

#include "pixmond/create.h"
#include "pixmond/failure.h"

namespace pixmond {

const std::string& QrCode::ClassName() {
    static const std::string name = "二维码类";
    return name;
}

bool QrCode::IsValid() const noexcept {
    return version_ != -1 && dimension_ != -1 && maskPattern_ != -1 && totalCodewords_ != -1 &&
           dataCodewords_ != -1 && ecCodewords_ != -1 && blockCount_ != -1;
}

void QrCode::SetUpTables() {
    ResetFields();
    ModuleInit();
}

void QrCode::ResetFields() noexcept {
    version_ = dimension_ = maskPattern_ = totalCodewords_ = dataCodewords_ = ecCodewords_ = blockCount_ = -1;
}

std::int32_t QrCode::GetMatrixValue(std::int32_t x, std::int32_t y) const {
    const std::int32_t v = matrix_.Get(x, y);
    if (v != 0 && v != 1) Fail(ClassName(), "矩阵取值", "值异常，当前值为：" + std::to_string(v));
    return v;
}

}  // namespace pixmond
