#pragma once

#include "platform/win/presenter.h"
#include "platform/win/windowstore.h"

namespace vex::wintree {

// The window tree's calls into the presenter, for top-level windows alone.

TWindowLook LookOf(const TWnd& W);
// W shows now, or its place or look changed while it shows: it gets a back buffer of its size
// (the new part of a buffer invalidated) and the presenter shows it. A window that does not
// show, or is no top-level window any more, loses its buffer and is hidden.
void SyncWithPresenter(TWnd& W);
// W is being destroyed.
void ForgetOnPresenter(TWnd& W);
// Every shown top-level window again, through a new presenter.
void PresentAll();

}  // namespace vex::wintree
