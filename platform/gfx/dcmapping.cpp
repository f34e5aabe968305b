#include "platform/gfx/dcstate.h"

namespace vex {

bool LPtoDP(HDC DC, TPoint* Points, int32_t Count) {
    if (!DC || Count < 0 || (Count > 0 && !Points)) return false;
    for (int32_t i = 0; i < Count; ++i)
        Points[i] = DC->LPtoDP(Points[i]);
    return true;
}

bool DPtoLP(HDC DC, TPoint* Points, int32_t Count) {
    if (!DC || Count < 0 || (Count > 0 && !Points)) return false;
    for (int32_t i = 0; i < Count; ++i)
        Points[i] = DC->DPtoLP(Points[i]);
    return true;
}

int32_t GetDeviceCaps(HDC DC, int32_t Index) {
    if (!DC) return 0;
    const auto& sheet = DC->DeviceSheet();
    switch (Index) {
        case LOGPIXELSX:
            return DC->PixelsPerInchX();
        case LOGPIXELSY:
            return DC->PixelsPerInchY();
        case HORZRES:
            return sheet ? sheet->Printable.cx : DC->Bitmap().Width();
        case VERTRES:
            return sheet ? sheet->Printable.cy : DC->Bitmap().Height();
        case PHYSICALWIDTH:
            return sheet ? sheet->Paper.cx : 0;
        case PHYSICALHEIGHT:
            return sheet ? sheet->Paper.cy : 0;
        case PHYSICALOFFSETX:
            return sheet ? sheet->PrintableOffset.X : 0;
        case PHYSICALOFFSETY:
            return sheet ? sheet->PrintableOffset.Y : 0;
        default:
            return 0;
    }
}

}  // namespace vex
