#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/win/presenter.h"

namespace vex {

class TX11Connection;

// Where pixels wait on their way to a window: a shared-memory image that the server reads in
// place when it offers MIT-SHM and lets this process attach, else an ordinary image sent down the
// connection (a remote display). One serves every window of a connection; it grows to the
// largest area put through it and no further.
class TX11StagingImage {
public:
    explicit TX11StagingImage(const TX11Connection& Connection);
    ~TX11StagingImage();
    TX11StagingImage(const TX11StagingImage&) = delete;
    TX11StagingImage& operator=(const TX11StagingImage&) = delete;

    // Whether puts go through shared memory; false from the first attach that failed on.
    bool SharedMemory() const { return FShared; }
    // Copies Area of Rows (as far as the rows reach) to the same place of Target. The request
    // is queued, not flushed. Rows with a stride shorter than their width, or without pixels,
    // raise EInvalidOperation.
    void Put(Drawable Target, GC Gc, const TPixelRows& Rows, const TRect& Area);

private:
    void Reserve(int Width, int Height);
    bool AttachSharedImage(int Width, int Height);
    void MakePlainImage(int Width, int Height);
    void Release();
    // The server may still read the shared pixels of the last put; waits until it has.
    void WaitForLastPut();

    Display* FDisplay;
    Visual* FVisual;
    bool FShared;
    XImage* FImage = nullptr;
    XShmSegmentInfo FSegment{};
    std::vector<uint32_t> FPlainPixels;
    unsigned long FLastPutSerial = 0;
};

}  // namespace vex
