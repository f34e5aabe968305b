#pragma once

#include "platform/win/presenter.h"

namespace vex {

// The presenter without a display: a screen of a fixed size and nothing shown on it. The
// window tree and its back buffers are the whole truth.
class THeadlessPresenter : public TPresenter {
public:
    explicit THeadlessPresenter(const TRect& Screen = TRect{0, 0, 1024, 768}) : FScreen(Screen) {}

    bool Headless() const override { return true; }
    TRect ScreenRect() const override { return FScreen; }
    void Show(HWND, const TRect&, const TWindowLook&) override {}
    void Hide(HWND) override {}
    void Activate(HWND) override {}
    void Forget(HWND) override {}
    void Present(HWND, const TPixelRows&, const TRect&) override {}

private:
    TRect FScreen;
};

}  // namespace vex
