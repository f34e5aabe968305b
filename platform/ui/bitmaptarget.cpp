#include "platform/ui/bitmaptarget.h"

#include <new>

namespace vex {

void RetargetBitmap(TBitmap& Bitmap, uint32_t* Pixels, int32_t Width, int32_t Height,
                    int32_t Stride) {
    Bitmap.~TBitmap();
    try {
        if (Pixels != nullptr)
            new (&Bitmap) TBitmap(Pixels, Width, Height, Stride);
        else
            new (&Bitmap) TBitmap();
    } catch (...) {
        new (&Bitmap) TBitmap();
        throw;
    }
}

}  // namespace vex
