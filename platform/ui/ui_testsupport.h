#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/gfx/gfx_testsupport.h"
#include "platform/ui/form.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/windowpicture.h"
#include "tests/support/idlepump.h"

namespace vex::test {

// A plain control that paints what the test says, on its canvas.
class TPaintedBy : public TGraphicControl {
public:
    explicit TPaintedBy(TComponent* AOwner, std::function<void(TCanvas&)> Painter = nullptr)
        : TGraphicControl(AOwner), Painter(std::move(Painter)) {}
    std::function<void(TCanvas&)> Painter;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        if (Painter) Painter(Canvas());
    }
};

// A windowed control without a frame that erases itself in its colour.
class TPlainPanel : public TWinControl {
public:
    explicit TPlainPanel(TComponent* AOwner) : TWinControl(AOwner) {
        FControlStyle.Include(csAcceptsControls);
    }
};

// A shown form whose children a test adds; freed with the test.
struct TShownForm {
    TForm* Form = new TForm(nullptr);
    explicit TShownForm(TRect Bounds = Rect(10, 10, 210, 160)) {
        Form->SetBoundsRect(Bounds);
        Form->Show();
    }
    ~TShownForm() { delete Form; }
    TShownForm(const TShownForm&) = delete;
    TShownForm& operator=(const TShownForm&) = delete;

    template <class T, class... Args>
    T* Add(TWinControl* Parent, TRect Bounds, Args&&... More) {
        auto* c = new T(Form, std::forward<Args>(More)...);
        c->SetBoundsRect(Bounds);
        c->SetParent(Parent);
        return c;
    }
};

// What a control shows, as rows of legend letters, after every pending paint.
inline TPictureRows ShownRows(TControl& Control, const TPictureLegend& Legend = PlainLegend()) {
    PumpUntilIdle();
    TBitmap picture;
    PictureOfControl(Control, picture);
    return PictureOf(picture, Legend);
}

}  // namespace vex::test
