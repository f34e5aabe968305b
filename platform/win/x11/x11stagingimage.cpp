#include "platform/win/x11/x11stagingimage.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11sharedimage.h"

namespace vex {

TX11StagingImage::TX11StagingImage(const TX11Connection& Connection)
    : FDisplay(Connection.Dpy()),
      FVisual(Connection.PixelVisual()),
      FShared(XShmQueryExtension(Connection.Dpy()) != 0) {}

TX11StagingImage::~TX11StagingImage() {
    for (TBuffer& buffer : FBuffers)
        Release(buffer);
}

void TX11StagingImage::Put(Drawable Target, GC Gc, const TPixelRows& Rows, const TRect& Area) {
    if (Rows.Width < 0 || Rows.Height < 0 || Rows.Stride < Rows.Width ||
        (Rows.Pixels == nullptr && Rows.Width > 0 && Rows.Height > 0))
        throw EInvalidOperation("The pixel rows to show are malformed");
    TRect area;
    if (!IntersectRect(area, Area, Rect(0, 0, Rows.Width, Rows.Height))) return;
    const int width = area.Right - area.Left, height = area.Bottom - area.Top;
    // This buffer's last put ended before the other's was sent (see below), so it is free.
    TBuffer& buffer = FBuffers[FShared ? FNext : 0];
    Reserve(buffer, width, height);
    XImage* image = buffer.Image;
    for (int y = 0; y < height; ++y)
        std::memcpy(image->data + static_cast<size_t>(y) * image->bytes_per_line,
                    Rows.Pixels + static_cast<size_t>(area.Top + y) * Rows.Stride + area.Left,
                    static_cast<size_t>(width) * sizeof(uint32_t));
    if (!FShared) {
        XPutImage(FDisplay, Target, Gc, image, 0, 0, area.Left, area.Top, width, height);
        return;
    }
    // The server may still be reading the other buffer, which the next put will write.
    if (FLastPutSerial > XLastKnownRequestProcessed(FDisplay)) XSync(FDisplay, False);
    FLastPutSerial = NextRequest(FDisplay);
    XShmPutImage(FDisplay, Target, Gc, image, 0, 0, area.Left, area.Top, width, height, False);
    FNext = 1 - FNext;
}

void TX11StagingImage::Reserve(TBuffer& Buffer, int Width, int Height) {
    if (Buffer.Image != nullptr) {
        if (Buffer.Image->width >= Width && Buffer.Image->height >= Height) return;
        Width = std::max(Width, Buffer.Image->width);
        Height = std::max(Height, Buffer.Image->height);
    }
    Release(Buffer);
    if (FShared) {
        Buffer.Image = AttachSharedImage(FDisplay, FVisual, Width, Height, Buffer.Segment);
        if (Buffer.Image != nullptr) return;
    }
    if (FShared) {
        // From now on every put goes down the connection, through the first buffer.
        FShared = false;
        for (TBuffer& other : FBuffers)
            Release(other);
    }
    MakePlain(FBuffers[0], Width, Height);
}

void TX11StagingImage::MakePlain(TBuffer& Buffer, int Width, int Height) {
    Buffer.Plain.assign(static_cast<size_t>(Width) * Height, 0);
    Buffer.Image =
        XCreateImage(FDisplay, FVisual, TX11Connection::Depth, ZPixmap, 0,
                     reinterpret_cast<char*>(Buffer.Plain.data()), static_cast<unsigned>(Width),
                     static_cast<unsigned>(Height), 32, Width * static_cast<int>(sizeof(uint32_t)));
    if (Buffer.Image == nullptr) throw EOutOfMemory("Cannot make an image to show a window");
    // The pixels are in this machine's order; Xlib swaps them for a server of the other order.
    Buffer.Image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
}

void TX11StagingImage::Release(TBuffer& Buffer) {
    if (Buffer.Image == nullptr) return;
    if (Buffer.Segment.shmaddr != nullptr) {
        ReleaseSharedImage(FDisplay, Buffer.Image, Buffer.Segment);
    } else {
        Buffer.Image->data = nullptr;  // not Xlib's to free
        XDestroyImage(Buffer.Image);
    }
    Buffer.Image = nullptr;
    Buffer.Plain.clear();
    Buffer.Plain.shrink_to_fit();
}

}  // namespace vex
