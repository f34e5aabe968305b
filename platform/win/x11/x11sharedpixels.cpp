#include "platform/win/x11/x11sharedpixels.h"

#include <cstddef>
#include <cstdint>

#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11sharedimage.h"

namespace vex {

TX11SharedPixelsList::TX11SharedPixelsList(const TX11Connection& Connection,
                                           std::function<void()> AfterWait)
    : FConnection(Connection), FAfterWait(std::move(AfterWait)) {}

TX11SharedPixelsList::~TX11SharedPixelsList() {
    Display* dpy = FConnection.Lost() ? nullptr : FConnection.Dpy();
    for (const auto& [pixels, store] : FStores) {
        // The server lets go after the puts it was sent; our mapping stays with the store.
        if (dpy != nullptr) XShmDetach(dpy, &store->FSegment);
        store->FList = nullptr;
    }
}

std::unique_ptr<TPixelStore> TX11SharedPixelsList::Make(int Width, int Height) {
    if (FRefused || FConnection.Lost()) return nullptr;
    auto store = std::make_unique<TX11SharedPixels>(*this, Width, Height);
    // Asking again would cost a round trip each time, most likely for the same answer.
    FRefused = store->FImage == nullptr;
    if (FRefused) return nullptr;
    return store;
}

TX11SharedPixels* TX11SharedPixelsList::Holding(const TPixelRows& Rows) const {
    const auto it = FStores.find(Rows.Pixels);
    if (it == FStores.end()) return nullptr;
    const XImage* image = it->second->FImage;
    return Rows.Width == image->width && Rows.Height == image->height && Rows.Stride == Rows.Width
               ? it->second
               : nullptr;
}

TX11SharedPixels::TX11SharedPixels(TX11SharedPixelsList& List, int Width, int Height)
    : FList(&List) {
    Display* dpy = List.FConnection.Dpy();
    // The image keeps the address of its segment, so it is made in place.
    FImage = AttachSharedImage(dpy, List.FConnection.PixelVisual(), Width, Height, FSegment);
    if (FImage == nullptr) return;
    // A store's rows follow each other without a gap, as the window tree lays them out.
    if (FImage->bytes_per_line != Width * static_cast<int>(sizeof(uint32_t))) {
        ReleaseSharedImage(dpy, FImage, FSegment);
        FImage = nullptr;
        return;
    }
    FList->FStores.emplace(Pixels(), this);
}

TX11SharedPixels::~TX11SharedPixels() {
    if (FImage == nullptr) return;
    Display* dpy = nullptr;
    if (FList != nullptr) {
        FList->FStores.erase(Pixels());
        if (!FList->FConnection.Lost()) dpy = FList->FConnection.Dpy();
    }
    ReleaseSharedImage(dpy, FImage, FSegment);
}

uint32_t* TX11SharedPixels::Pixels() {
    return reinterpret_cast<uint32_t*>(FImage->data);
}

void TX11SharedPixels::AwaitRead() {
    if (FList == nullptr || FList->FConnection.Lost()) return;
    Display* dpy = FList->FConnection.Dpy();
    if (FPutSerial <= XLastKnownRequestProcessed(dpy)) return;
    XSync(dpy, False);
    if (FList->FAfterWait) FList->FAfterWait();
}

void TX11SharedPixels::Put(Drawable Target, GC Gc, const TRect& Area) {
    if (FList == nullptr || FList->FConnection.Lost()) return;
    TRect area;
    if (!IntersectRect(area, Area, Rect(0, 0, FImage->width, FImage->height))) return;
    Display* dpy = FList->FConnection.Dpy();
    FPutSerial = NextRequest(dpy);
    XShmPutImage(dpy, Target, Gc, FImage, area.Left, area.Top, area.Left, area.Top,
                 static_cast<unsigned>(area.Right - area.Left),
                 static_cast<unsigned>(area.Bottom - area.Top), False);
}

}  // namespace vex
