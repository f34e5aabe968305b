#pragma once

#include <cstdint>

#include "platform/core/object.h"
#include "platform/core/stringlist.h"

namespace vex {

class TPGTimerItem;
class TPGTrayIcon95;

// Where the animation's icon names point: icon resources of the program, or files.
enum TPGTrayIconAnimationOptions { aoIconsInExe, aoIconsAreFiles };

// The frames a tray icon shows in its animated state: one icon name per line of Icons, each
// shown for Interval milliseconds, round and round.
class TPGTrayIconAnimation : public TPersistent {
    VEX_CLASS(TPGTrayIconAnimation, TPersistent)

public:
    explicit TPGTrayIconAnimation(TPGTrayIcon95& ATrayIcon);

    // Milliseconds per frame, 55 to 100000; anything else raises ERangeError and changes
    // nothing. A change restarts a running animation.
    int32_t Interval() const { return FInterval; }
    void SetInterval(int32_t Value);
    // A new list starts a running animation again from its first frame.
    const TStringList& Icons() const { return FIcons; }
    void SetIcons(const TStrings& Value);
    TPGTrayIconAnimationOptions Options() const { return FOptions; }
    void SetOptions(TPGTrayIconAnimationOptions Value) { FOptions = Value; }

    // The frame shown next.
    int32_t FrameIndex() const { return FFrameIndex; }

private:
    friend class TPGTrayIcon95;

    void Start();
    void Stop();
    void Tick();
    bool Running() const;

    TPGTimerItem* FTimerItem;
    TPGTrayIcon95& FTrayIcon;
    int32_t FFrameIndex = 0;
    int32_t FInterval = 1000;
    TStringList FIcons;
    TPGTrayIconAnimationOptions FOptions = aoIconsAreFiles;
};

}  // namespace vex
