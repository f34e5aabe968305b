// The read-only, word-wrapped file viewer driven by one script twice: injected with no display,
// and by xdotool on an Xvfb display. Page Down, Shift with the arrows and Ctrl+C move, select and
// copy the same at either; on the display the copy is read back with xclip.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "components/entry/OvcTextFileEditor.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/clipboard.h"
#include "platform/win/toplevel.h"
#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

std::string ViewedFile() {
    std::string text;
    for (int i = 1; i <= 60; ++i) {
        text += "sender" + std::to_string(i) + "@junk.example";
        if (i % 7 == 0) text += " is listed twice, with a remark long enough to wrap";
        text += "\r\n";
    }
    return text;
}

// A form with the viewer focused; what the script does goes into Record.
class TScene {
public:
    TScene() {
        test::WriteWholeFile(FFiles.File("spammers.txt"), ViewedFile());
        FForm->SetCaption("File viewer");
        FForm->SetBounds(40, 50, 320, 220);
        new TOvcController(FForm);
        Viewer = new TOvcTextFileEditor(FForm);
        Viewer->SetBounds(10, 10, 280, 160);
        Viewer->SetParent(FForm);
        Viewer->SetReadOnly(true);
        Viewer->SetScrollBars(ssVertical);
        Viewer->SetWordWrap(true);
        Viewer->SetWrapToWindow(true);
        Viewer->SetFileName(FFiles.File("spammers.txt"));
        Viewer->SetIsOpen(true);
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        Viewer->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    std::string State() const {
        return "top " + std::to_string(Viewer->GetTopLine()) + ", caret " +
               std::to_string(Viewer->CaretLine()) + ":" + std::to_string(Viewer->CaretCol()) +
               ", selected \"" + Viewer->SelectedText() + "\"";
    }

    TOvcTextFileEditor* Viewer;
    std::vector<std::string> Record;

private:
    test::TempDir FFiles;
    TForm* FForm = new TForm(nullptr);
};

// Each step types its keys; no keys: read the clipboard into the record.
const std::vector<std::vector<int32_t>> kScript = {
    {VK_NEXT},           {VK_SHIFT, VK_RIGHT}, {VK_SHIFT, VK_RIGHT},
    {VK_SHIFT, VK_DOWN}, {VK_CONTROL, 'C'},    {},
};

std::string ClipboardText() {
    if (!OpenClipboard(0)) return "(clipboard busy)";
    const std::string* text = GetClipboardData(CF_TEXT);
    std::string s = text ? *text : "(no text)";
    CloseClipboard();
    return s;
}

class TOvcTextFileEditorOnDisplay : public test::OnDisplayTest {
protected:
    // What xclip prints of the clipboard, while the loop answers it.
    std::string XclipOut() {
        test::ChildProcess xclip;
        const std::string out = FFiles.File("out");
        xclip.Start({"xclip", "-selection", "clipboard", "-o"}, out);
        EXPECT_TRUE(test::PumpThroughApplication([&] { return xclip.Exited(); }, 10s))
            << "xclip hangs";
        return test::ReadWholeFile(out);
    }

    test::TempDir FFiles;
};

TEST_F(TOvcTextFileEditorOnDisplay, PageDownShiftArrowsAndCopyDoTheSameOnTheDisplay) {
    const std::vector<std::string> injected = test::RunModalSteps<TScene>(
        kScript,
        [](const std::vector<int32_t>& Keys, TScene& S) {
            if (Keys.empty())
                S.Record.push_back("clipboard " + ClipboardText());
            else
                test::InjectKeys(Keys);
        },
        50);
    // Page Down moved the text, the arrows selected across a line end, and Ctrl+C copied it.
    ASSERT_EQ(injected.size(), kScript.size() + 1);
    int top = 0, line = 0, col = 0;
    ASSERT_EQ(std::sscanf(injected[0].c_str(), "top %d, caret %d:%d", &top, &line, &col), 3);
    EXPECT_GT(top, 1) << "a page down";
    EXPECT_EQ(line, top) << "the caret went the same page";
    const std::string& selected = injected[3];
    const size_t quote = selected.find('"');
    ASSERT_NE(quote, std::string::npos);
    const std::string text = selected.substr(quote + 1, selected.size() - quote - 2);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\nse");
    EXPECT_EQ(injected[5], "clipboard " + text);

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const std::vector<std::string> typed = test::RunModalSteps<TScene>(
        kScript,
        [&](const std::vector<int32_t>& Keys, TScene& S) {
            if (Keys.empty())
                S.Record.push_back("clipboard " + XclipOut());
            else
                test::TypeOnDisplay(display, Keys);
        },
        400);
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
