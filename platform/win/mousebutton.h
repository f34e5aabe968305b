#pragma once

namespace vex {

// A button of the mouse, as input names it and as controls hear of it.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

}  // namespace vex
