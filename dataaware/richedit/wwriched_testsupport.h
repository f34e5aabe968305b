#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dataaware/richedit/wwriched.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/win/modaldriver.h"

namespace vex::test {

// The library's rich-text control, focused on a shown form, in the fixed font so that places on
// screen follow from positions.
struct TwwRichOnForm {
    TShownForm Shown{Rect(10, 10, 430, 250)};
    TwwDBRichEdit* Edit;
    explicit TwwRichOnForm(const std::string& Text = "", TRect Bounds = Rect(10, 10, 400, 150)) {
        Edit = Shown.Add<TwwDBRichEdit>(Shown.Form, Bounds);
        Edit->SetName("richEd");
        Edit->Font().SetName(FixedFontName);
        Edit->Font().SetHeight(-12);
        Edit->SetText(Text);
        Edit->SetFocus();
        ReleaseAllKeys();
    }
    // A point inside the character at Position, for the mouse.
    LPARAM At(int32_t Position) const {
        const TPoint p = Edit->PosFromChar(Position);
        return MAKELONG(p.X + 2, p.Y + 3);
    }
};

// Runs Act and answers every message box it shows with OK; the texts they showed.
inline std::vector<std::string> MessagesDuring(const std::function<void()>& Act) {
    std::vector<std::string> shown;
    TModalScript script;
    const auto answer = [&shown] {
        TCustomForm* dialog = Screen().ActiveForm();
        if (dialog == nullptr || !dialog->Modal()) throw std::runtime_error("no message box");
        auto* text = dynamic_cast<TLabel*>(dialog->FindComponent("Message"));
        shown.push_back(text != nullptr ? text->Caption() : "?");
        dialog->SetModalResult(mrOk);
    };
    for (int i = 0; i < 4; ++i)
        script.Then(answer);
    Act();
    return shown;
}

}  // namespace vex::test
