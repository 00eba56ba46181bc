#include "pixmond/ec_level.h"

#include <string>

#include "pixmond/failure.h"
#include "pixmond/qr_code.h"

namespace pixmond {

const EcLevelSet& EcLevels() {
    static const EcLevelSet set = [] {
        EcLevelSet s;
        s.L.Init(1, 1, "L");
        s.M.Init(2, 0, "M");
        s.Q.Init(3, 3, "Q");
        s.H.Init(4, 2, "H");
        s.byIndex = {s.L, s.M, s.Q, s.H};
        return s;
    }();
    return set;
}

EcLevel GetEcLevelByIndex(std::int32_t index) {
    const auto& set = EcLevels();
    if (index >= 1 && index <= static_cast<std::int32_t>(set.byIndex.size())) return set.byIndex[index - 1];
    Fail(QrCode::ClassName(), "取容错级别_按索引", "索引异常。当前索引：" + std::to_string(index));
}

}  // namespace pixmond
