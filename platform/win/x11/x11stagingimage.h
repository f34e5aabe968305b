#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/win/presenter.h"

namespace vex {

class TX11Connection;

// Where pixels wait on their way to a window: shared-memory images that the server reads in
// place when it offers MIT-SHM and lets this process attach, else an ordinary image sent down the
// connection (a remote display). With shared memory there are two, used in turn: the next picture
// is copied into one while the server still reads the other, and only then does the presenter
// wait for the server. One set serves every window of a connection; each image grows to the
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
    struct TBuffer {
        XImage* Image = nullptr;
        XShmSegmentInfo Segment{};  // shmaddr is null for an ordinary image
        std::vector<uint32_t> Plain;
    };

    // Makes Buffer at least Width x Height, keeping neither its pixels nor its kind when it grows.
    void Reserve(TBuffer& Buffer, int Width, int Height);
    void MakePlain(TBuffer& Buffer, int Width, int Height);
    void Release(TBuffer& Buffer);

    Display* FDisplay;
    Visual* FVisual;
    bool FShared;
    std::array<TBuffer, 2> FBuffers;
    size_t FNext = 0;
    unsigned long FLastPutSerial = 0;
};

}  // namespace vex
