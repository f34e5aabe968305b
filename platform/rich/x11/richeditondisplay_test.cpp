// A rich-text control typed into and selected with the mouse by xdotool on an Xvfb display,
// with the clipboard read by xclip there: what a person does at the keyboard and the mouse.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "platform/gfx/fixedfont.h"
#include "platform/rich/richedit.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/x11/x11clipboard_testsupport.h"
#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class TScene {
public:
    TScene() {
        FForm->SetCaption("Rich text");
        FForm->SetBounds(40, 50, 320, 200);
        FEdit->SetBounds(10, 10, 280, 140);
        FEdit->Font().SetName(FixedFontName);
        FEdit->Font().SetHeight(-12);
        FEdit->SetParent(FForm);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    // On screen, inside the character at Position.
    TPoint At(int32_t Position) const {
        const TPoint p = FEdit->PosFromChar(Position);
        return FEdit->ClientToScreen(Point(p.X + 2, p.Y + 4));
    }
    TRichEdit& Edit() { return *FEdit; }
    // The text, the selection and whether the control has the focus.
    std::string State() const {
        return FEdit->Text() + "|" + std::to_string(FEdit->SelStart()) + "+" +
               std::to_string(FEdit->SelLength()) +
               (GetFocus() == FEdit->Handle() ? "|focused" : "|not focused");
    }

private:
    TForm* FForm = new TForm(nullptr);
    TRichEdit* FEdit = new TRichEdit(FForm);
};

// A click at a character (Times in a row), or keys typed (a modifier held for the key after).
struct TStep {
    int32_t ClickAt = -1;
    int Times = 1;
    std::vector<int32_t> Keys;
    std::string Expected;
};

std::vector<int32_t> Letters(const std::string& Text) {
    std::vector<int32_t> keys;
    for (char c : Text)
        keys.push_back(c == ' ' ? VK_SPACE : std::toupper(static_cast<unsigned char>(c)));
    return keys;
}

class RichEditOnDisplay : public test::OnDisplayTest {};

TEST_F(RichEditOnDisplay, TypingSelectingAndCopyingWorkAsAPersonDoesThem) {
    const std::vector<TStep> script = {
        {0, 1, {}, "|0+0|focused"},
        {-1, 1, Letters("hello big world"), "hello big world|15+0|focused"},
        {-1, 1, {VK_SHIFT, VK_LEFT, VK_SHIFT, VK_LEFT}, "hello big world|13+2|focused"},
        {-1, 1, {VK_CONTROL, 'C'}, "hello big world|13+2|focused"},
        {7, 2, {}, "hello big world|6+3|focused"},
        {-1, 1, Letters("x"), "hello x world|7+0|focused"},
        {-1, 1, {VK_HOME, VK_RETURN}, "\r\nhello x world|1+0|focused"},
        {-1, 1, {VK_CONTROL, 'Z'}, "hello x world|0+0|focused"},
    };
    PresentOnDisplay();
    TScene scene;
    ASSERT_TRUE(WaitUntilShown("Rich text"));
    const std::string display = FServer.DisplayName();
    for (const TStep& step : script) {
        SCOPED_TRACE(step.Expected);
        if (step.ClickAt >= 0)
            test::ClickOnDisplay(display, scene.At(step.ClickAt), 1, step.Times);
        else
            test::TypeOnDisplay(display, step.Keys, 30);
        test::SettleUntil([&] { return scene.State() == step.Expected; });
        EXPECT_EQ(scene.State(), step.Expected);
        if (step.Keys == std::vector<int32_t>{VK_CONTROL, 'C'}) {
            test::TempDir files;
            EXPECT_EQ(test::XclipOut(files), "ld");
        }
    }
    SaveActiveFormPicture("richedit-ondisplay.png");
}

// A person clicks into a table's cell and types a new line there: it stays in that cell, and
// the row keeps its cells in their columns.
TEST_F(RichEditOnDisplay, ANewLineTypedInATableCellStaysInIt) {
    PresentOnDisplay();
    TScene scene;
    ASSERT_TRUE(WaitUntilShown("Rich text"));
    const std::string display = FServer.DisplayName();
    TRichEdit& edit = scene.Edit();
    edit.StreamIn(std::string("{\\rtf1{\\fonttbl{\\f0 ") + FixedFontName +
                      ";}}\\f0\\fs24 \\trowd\\clbrdrr\\brdrs\\cellx1500\\cellx3000"
                      "\\pard\\intbl left\\cell right\\cell\\row\\pard after}",
                  SF_RTF);
    test::ClickOnDisplay(display, scene.At(8));  // in "right", before its "h"
    test::SettleUntil([&] { return edit.SelStart() == 8; });
    test::TypeOnDisplay(display, {VK_RETURN, 'N', 'E', 'W', VK_SPACE});
    const std::string expected = "left\trig\vnew ht\t\r\nafter|13+0|focused";
    test::SettleUntil([&] { return scene.State() == expected; });
    EXPECT_EQ(scene.State(), expected);
    EXPECT_EQ(edit.GetLineCount(), 2);
    SaveActiveFormPicture("richedit-table-ondisplay.png");
}

// Runs a program and waits for it, its output into Out; the loop answers the display meanwhile.
void RunAndWait(const std::vector<std::string>& Arguments, const std::string& Out) {
    test::ChildProcess child;
    child.Start(Arguments, Out);
    EXPECT_TRUE(
        test::PumpThroughApplication([&] { return child.Exited(); }, std::chrono::seconds(10)))
        << Arguments[0] << " hangs";
}

// What xclip reads of the display's clipboard as RTF, as unrtf shows it in HTML.
std::string XclipRtfAsHtml() {
    test::TempDir files;
    RunAndWait({"xclip", "-selection", "clipboard", "-t", "text/rtf", "-o"}, files.File("rtf"));
    RunAndWait({"unrtf", "--html", files.File("rtf")}, files.File("html"));
    return test::ReadWholeFile(files.File("html"));
}

bool SelectionIsBold(TRichEdit& Edit) {
    return Edit.SelAttributes().Style().Contains(fsBold) &&
           Edit.SelAttributes().ConsistentAttributes().Contains(caBold);
}

TEST_F(RichEditOnDisplay, ABoldWordCrossesTheDisplaysClipboardAsRtf) {
    PresentOnDisplay();
    TScene scene;
    ASSERT_TRUE(WaitUntilShown("Rich text"));
    const std::string display = FServer.DisplayName();
    TRichEdit& edit = scene.Edit();
    edit.SetText("a bold word");
    edit.SetSelStart(2);
    edit.SetSelLength(4);
    edit.SelAttributes().SetStyle(TFontStyles{fsBold});
    test::ClickOnDisplay(display, scene.At(3), 1, 2);
    test::SettleUntil([&] { return edit.SelText() == "bold"; });
    test::TypeOnDisplay(display, {VK_CONTROL, 'C'});
    test::PumpThroughApplicationFor(std::chrono::milliseconds(200));
    const std::string html = XclipRtfAsHtml();
    EXPECT_NE(html.find("<b>bold</b>"), std::string::npos) << html;

    // Another program's RTF pastes with its formats.
    const test::X11ClipboardHolder holder(display, {{"text/rtf", "{\\rtf1 {\\b pasted}}"}});
    edit.SetSelStart(edit.Engine().TextLength());
    test::TypeOnDisplay(display, {VK_CONTROL, 'V'});
    test::SettleUntil([&] { return edit.Text() == "a bold wordpasted"; });
    EXPECT_EQ(edit.Text(), "a bold wordpasted");
    edit.SetSelStart(11);
    edit.SetSelLength(6);
    EXPECT_TRUE(SelectionIsBold(edit));
}

}  // namespace
}  // namespace vex
