#include "platform/win/x11/x11sharedimage.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>

#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11errortrap.h"

namespace vex {

XImage* AttachSharedImage(Display* Dpy, Visual* PixelVisual, int Width, int Height,
                          XShmSegmentInfo& Segment) {
    Segment = XShmSegmentInfo{};
    XImage* image =
        XShmCreateImage(Dpy, PixelVisual, TX11Connection::Depth, ZPixmap, nullptr, &Segment,
                        static_cast<unsigned>(Width), static_cast<unsigned>(Height));
    if (image == nullptr) return nullptr;
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * image->height;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    void* address = id < 0 ? nullptr : shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) address = nullptr;
    bool attached = false;
    if (address != nullptr) {
        Segment.shmid = id;
        Segment.shmaddr = image->data = static_cast<char*>(address);
        Segment.readOnly = True;
        TX11ErrorTrap trap(Dpy);
        XShmAttach(Dpy, &Segment);
        attached = trap.Sync() == Success;
    }
    // Marked for removal at once: it goes when both sides have let go, even if we crash.
    if (id >= 0) shmctl(id, IPC_RMID, nullptr);
    if (attached) return image;
    if (address != nullptr) shmdt(address);
    image->data = nullptr;
    XDestroyImage(image);
    Segment = XShmSegmentInfo{};
    return nullptr;
}

void ReleaseSharedImage(Display* Dpy, XImage* Image, XShmSegmentInfo& Segment) {
    if (Dpy != nullptr) XShmDetach(Dpy, &Segment);
    shmdt(Segment.shmaddr);
    Segment = XShmSegmentInfo{};
    Image->data = nullptr;  // not Xlib's to free
    XDestroyImage(Image);
}

}  // namespace vex
