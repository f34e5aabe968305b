#pragma once

#include <memory>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/win/presenter.h"

namespace vex {

// A display that cannot be opened or cannot show our pictures; the message names it.
VEX_EXCEPTION(EDisplayError, Exception);

// A presenter that shows each top-level window as a window of the X display DisplayName ("" for
// $DISPLAY). The connection is one descriptor of the message loop: events are handled when it
// wakes the loop, never by a thread of their own. Raises EDisplayError when the display cannot be
// opened or offers no 24-bit true-colour visual.
std::unique_ptr<TPresenter> MakeX11Presenter(const std::string& DisplayName, TPresenterSink Sink);

}  // namespace vex
