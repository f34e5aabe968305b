#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

namespace vex {

// An image of Width x Height 32-bit pixels of Depth 24 in a shared-memory segment that the server
// has attached and reads in place; its pixels are black. Null when the server or the system
// refuses one (a remote display, no segments left). The image keeps Segment's address: Segment
// must stay where it is for the image's life.
XImage* AttachSharedImage(Display* Dpy, Visual* PixelVisual, int Width, int Height,
                          XShmSegmentInfo& Segment);
// Lets go of an image AttachSharedImage made. The server is told to detach when Dpy is given; it
// does so only after the puts already sent, and keeps its own mapping until then.
void ReleaseSharedImage(Display* Dpy, XImage* Image, XShmSegmentInfo& Segment);

}  // namespace vex
