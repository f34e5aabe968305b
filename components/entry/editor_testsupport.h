#pragma once

// An editor on a shown form with a controller, drawn in the built-in fixed font, and helpers to
// fill it and read it back.

#include <string>
#include <string_view>

#include "components/entry/OvcBase.h"
#include "components/entry/OvcEditor.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/ui_testsupport.h"

namespace vex::test {

template <class TEditor = TOvcCustomEditor>
struct TEditorForm {
    TShownForm Form;
    TOvcController* Controller = new TOvcController(Form.Form);
    TEditor* Editor;

    explicit TEditorForm(TRect Bounds = Rect(8, 8, 208, 158))
        : Form(Rect(0, 0, Bounds.Right + 16, Bounds.Bottom + 40)),
          Editor(Form.Add<TEditor>(Form.Form, Bounds)) {
        Editor->FixedFont().SetName(FixedFontName);
        Editor->HandleNeeded();
    }
};

// The paragraphs of the text joined by "\n".
inline std::string TextOf(const TOvcCustomEditor& Editor) {
    std::string s;
    for (int32_t i = 1; i <= Editor.GetParaCount(); ++i) {
        if (i > 1) s += '\n';
        s.append(Editor.GetPara(i));
    }
    return s;
}

// Replaces the text by Text, whose "\n" end paragraphs, and puts the caret at Line, Col.
inline void SetTextOf(TOvcCustomEditor& Editor, std::string_view Text, int32_t Line = 1,
                      int32_t Col = 1) {
    Editor.ResetEditor(true);
    if (!Text.empty()) Editor.InsertText(Text);
    Editor.SetCaretPosition(Line, Col);
}

}  // namespace vex::test
