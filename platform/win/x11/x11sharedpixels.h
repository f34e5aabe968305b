#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/core/geometry.h"
#include "platform/win/presenter.h"

namespace vex {

class TX11Connection;
class TX11SharedPixels;

// The window pixel stores of one connection, kept in shared memory that the server reads in
// place, so that showing a window's pixels copies nothing. When the list goes (its connection
// closes), its stores go on as plain memory.
class TX11SharedPixelsList {
public:
    // AfterWait runs after each wait for the server, which may have read events that the
    // connection's descriptor will not announce.
    TX11SharedPixelsList(const TX11Connection& Connection, std::function<void()> AfterWait);
    ~TX11SharedPixelsList();
    TX11SharedPixelsList(const TX11SharedPixelsList&) = delete;
    TX11SharedPixelsList& operator=(const TX11SharedPixelsList&) = delete;

    // A store of Width x Height pixels (both above 0), or null when the server or the system
    // refuses the shared memory, then and from then on.
    std::unique_ptr<TPixelStore> Make(int Width, int Height);
    // The store whose whole pixels Rows are, or null.
    TX11SharedPixels* Holding(const TPixelRows& Rows) const;

private:
    friend class TX11SharedPixels;

    const TX11Connection& FConnection;
    std::function<void()> FAfterWait;
    std::unordered_map<const uint32_t*, TX11SharedPixels*> FStores;
    bool FRefused = false;
};

class TX11SharedPixels final : public TPixelStore {
public:
    // Attached to the server of List's connection; without an image when it refuses.
    TX11SharedPixels(TX11SharedPixelsList& List, int Width, int Height);
    ~TX11SharedPixels() override;
    TX11SharedPixels(const TX11SharedPixels&) = delete;
    TX11SharedPixels& operator=(const TX11SharedPixels&) = delete;

    uint32_t* Pixels() override;
    void AwaitRead() override;
    // Queues a put of Area (as far as the pixels reach) to the same place of Target.
    void Put(Drawable Target, GC Gc, const TRect& Area);

private:
    friend class TX11SharedPixelsList;

    TX11SharedPixelsList* FList;  // null once the connection is gone
    XImage* FImage = nullptr;
    XShmSegmentInfo FSegment{};
    unsigned long FPutSerial = 0;  // of the last put, which the server may still be reading
};

}  // namespace vex
