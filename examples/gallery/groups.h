#pragma once

// The groups kept in files of their own, one file a family of controls.

#include "examples/gallery/gallerykit.h"

namespace gallery {}  // namespace gallery
