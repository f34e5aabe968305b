#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dataaware/richedit/wwriched.h"
#include "platform/rich/richedit_testsupport.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "platform/win/modaldriver.h"

namespace vex::test {

// The library's rich-text control, focused on a shown form, in the fixed font.
struct TwwRichOnForm : TRichControlOnForm<TwwDBRichEdit> {
    explicit TwwRichOnForm(const std::string& Text = "", TRect Bounds = Rect(10, 10, 400, 150))
        : TRichControlOnForm(Rect(10, 10, 430, 250), "richEd", Text, Bounds) {}
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
