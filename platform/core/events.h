#pragma once

#include <functional>

namespace vex {

class TObject;

// The plain event: who fired it, nothing more.
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace vex
