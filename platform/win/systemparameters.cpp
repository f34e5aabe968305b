#include "platform/win/systemparameters.h"

#include <optional>

#include "platform/core/geometry.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

struct TDesktopSettings {
    std::optional<TRect> WorkArea;
    bool MinimizeAnimation = true;
};

TDesktopSettings& Settings() {
    static TDesktopSettings settings;
    return settings;
}

}  // namespace

bool SystemParametersInfo(UINT Action, UINT, void* Param, UINT) {
    if (Param == nullptr) return false;
    TDesktopSettings& settings = Settings();
    switch (Action) {
        case SPI_GETWORKAREA:
            *static_cast<TRect*>(Param) = settings.WorkArea.value_or(Presenter().ScreenRect());
            return true;
        case SPI_SETWORKAREA: {
            const TRect& area = *static_cast<const TRect*>(Param);
            if (IsRectEmpty(area)) return false;
            settings.WorkArea = area;
            return true;
        }
        case SPI_GETWHEELSCROLLLINES:
            *static_cast<UINT*>(Param) = 3;
            return true;
        case SPI_GETANIMATION:
        case SPI_SETANIMATION: {
            auto& info = *static_cast<ANIMATIONINFO*>(Param);
            if (info.cbSize != sizeof(ANIMATIONINFO)) return false;
            if (Action == SPI_GETANIMATION)
                info.iMinAnimate = settings.MinimizeAnimation ? 1 : 0;
            else
                settings.MinimizeAnimation = info.iMinAnimate != 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace vex
