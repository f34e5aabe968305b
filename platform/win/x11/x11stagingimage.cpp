#include "platform/win/x11/x11stagingimage.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11errortrap.h"

namespace vex {

TX11StagingImage::TX11StagingImage(const TX11Connection& Connection)
    : FDisplay(Connection.Dpy()),
      FVisual(Connection.PixelVisual()),
      FShared(XShmQueryExtension(Connection.Dpy()) != 0) {}

TX11StagingImage::~TX11StagingImage() {
    Release();
}

void TX11StagingImage::Put(Drawable Target, GC Gc, const TPixelRows& Rows, const TRect& Area) {
    if (Rows.Width < 0 || Rows.Height < 0 || Rows.Stride < Rows.Width ||
        (Rows.Pixels == nullptr && Rows.Width > 0 && Rows.Height > 0))
        throw EInvalidOperation("The pixel rows to show are malformed");
    TRect area;
    if (!IntersectRect(area, Area, Rect(0, 0, Rows.Width, Rows.Height))) return;
    const int width = area.Right - area.Left, height = area.Bottom - area.Top;
    Reserve(width, height);
    WaitForLastPut();
    for (int y = 0; y < height; ++y)
        std::memcpy(FImage->data + static_cast<size_t>(y) * FImage->bytes_per_line,
                    Rows.Pixels + static_cast<size_t>(area.Top + y) * Rows.Stride + area.Left,
                    static_cast<size_t>(width) * sizeof(uint32_t));
    if (FShared) {
        FLastPutSerial = NextRequest(FDisplay);
        XShmPutImage(FDisplay, Target, Gc, FImage, 0, 0, area.Left, area.Top, width, height, False);
    } else {
        XPutImage(FDisplay, Target, Gc, FImage, 0, 0, area.Left, area.Top, width, height);
    }
}

void TX11StagingImage::WaitForLastPut() {
    if (FShared && FLastPutSerial > XLastKnownRequestProcessed(FDisplay)) XSync(FDisplay, False);
}

void TX11StagingImage::Reserve(int Width, int Height) {
    if (FImage != nullptr && FImage->width >= Width && FImage->height >= Height) return;
    if (FImage != nullptr) {
        Width = std::max(Width, FImage->width);
        Height = std::max(Height, FImage->height);
    }
    Release();
    if (FShared && AttachSharedImage(Width, Height)) return;
    FShared = false;
    MakePlainImage(Width, Height);
}

bool TX11StagingImage::AttachSharedImage(int Width, int Height) {
    FImage = XShmCreateImage(FDisplay, FVisual, TX11Connection::Depth, ZPixmap, nullptr, &FSegment,
                             static_cast<unsigned>(Width), static_cast<unsigned>(Height));
    if (FImage == nullptr) return false;
    const size_t bytes = static_cast<size_t>(FImage->bytes_per_line) * FImage->height;
    FSegment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    void* address = FSegment.shmid < 0 ? nullptr : shmat(FSegment.shmid, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) address = nullptr;
    bool attached = false;
    if (address != nullptr) {
        FSegment.shmaddr = FImage->data = static_cast<char*>(address);
        FSegment.readOnly = True;
        TX11ErrorTrap trap(FDisplay);
        XShmAttach(FDisplay, &FSegment);
        attached = trap.Sync() == Success;
    }
    // Marked for removal at once: it goes when both sides have let go, even if we crash.
    if (FSegment.shmid >= 0) shmctl(FSegment.shmid, IPC_RMID, nullptr);
    if (attached) return true;
    if (address != nullptr) shmdt(address);
    FImage->data = nullptr;
    XDestroyImage(FImage);
    FImage = nullptr;
    FSegment = XShmSegmentInfo{};
    return false;
}

void TX11StagingImage::MakePlainImage(int Width, int Height) {
    FPlainPixels.assign(static_cast<size_t>(Width) * Height, 0);
    FImage =
        XCreateImage(FDisplay, FVisual, TX11Connection::Depth, ZPixmap, 0,
                     reinterpret_cast<char*>(FPlainPixels.data()), static_cast<unsigned>(Width),
                     static_cast<unsigned>(Height), 32, Width * static_cast<int>(sizeof(uint32_t)));
    if (FImage == nullptr) throw EOutOfMemory("Cannot make an image to show a window");
    // The pixels are in this machine's order; Xlib swaps them for a server of the other order.
    FImage->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
}

void TX11StagingImage::Release() {
    if (FImage == nullptr) return;
    if (FShared) {
        // The server keeps its own mapping until the detach, which comes after any put.
        XShmDetach(FDisplay, &FSegment);
        shmdt(FSegment.shmaddr);
        FSegment = XShmSegmentInfo{};
    }
    FImage->data = nullptr;  // not Xlib's to free
    XDestroyImage(FImage);
    FImage = nullptr;
    FPlainPixels.clear();
}

}  // namespace vex
