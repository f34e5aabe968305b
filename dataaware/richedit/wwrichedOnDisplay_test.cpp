// The version-check note on an Xvfb display, clicked with xdotool, its links handed to the
// desktop's opener (a recording stand-in first on PATH): a click on a link opens exactly that
// address; a drag that ends on a link, and what a tampered note dresses up as links, open
// nothing and make no object.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dataaware/richedit/wwriched.h"
#include "platform/shell/urlopener.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/toplevel.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

const std::string TestData = VEX_TEST_DIR "/testdata/";

class TNoteWindow {
public:
    TNoteWindow() {
        FForm->SetCaption("Version check note");
        FForm->SetBounds(40, 50, 460, 220);
        Note = new TwwDBRichEdit(FForm);
        Note->SetBounds(10, 10, 430, 160);
        Note->SetParent(FForm);
        Note->Font().SetName("Arial");
        Note->Font().SetHeight(-13);
        Note->SetReadOnly(true);
        Note->SetAutoURLDetect(true);
        Note->SetText("Get it at http://example.com/a today,\r\nor see www.example.org for more.");
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TNoteWindow() { delete FForm; }
    TNoteWindow(const TNoteWindow&) = delete;
    TNoteWindow& operator=(const TNoteWindow&) = delete;

    // The screen point inside the character at Position.
    TPoint At(int32_t Position) const {
        const TPoint p = Note->PosFromChar(Position);
        return Note->ClientToScreen(Point(p.X + 2, p.Y + 4));
    }
    int32_t Where(const std::string& Text) const {
        return static_cast<int32_t>(Note->Text().find(Text));
    }
    bool HoldsAnObject() const {
        const TRichDocument& document = Note->Engine().Document();
        for (int32_t i = 0; i < document.ParagraphCount(); ++i)
            for (const TRichRun& run : document.Paragraph(i).Runs)
                if (run.Object != 0) return true;
        return false;
    }

    TwwDBRichEdit* Note;

private:
    TForm* FForm = new TForm(nullptr);
};

class WwRichLinksOnDisplay : public test::OnDisplayTest {
protected:
    WwRichLinksOnDisplay() {
        FSavedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        std::filesystem::copy_file(TestData + "recording-xdg-open", FBin.File("xdg-open"));
        ::chmod(FBin.File("xdg-open").c_str(), 0755);
        setenv("PATH", (FBin.Path() + ":" + FSavedPath).c_str(), 1);
        setenv("RECORDED_OPENS", Log().c_str(), 1);
        SetUrlOpener(nullptr);
    }
    ~WwRichLinksOnDisplay() override {
        setenv("PATH", FSavedPath.c_str(), 1);
        unsetenv("RECORDED_OPENS");
    }

    std::string Log() const { return FBin.File("opened"); }
    std::string Opened() const {
        return std::filesystem::exists(Log()) ? test::ReadWholeFile(Log()) : "";
    }
    void Click(TPoint At) {
        test::ClickOnDisplay(FServer.DisplayName(), At);
        test::PumpThroughApplicationFor(std::chrono::milliseconds(300));
    }
    void Drag(TPoint From, TPoint To) {
        test::RunXdotool(FServer.DisplayName(),
                         test::XMoveTo(From) + " mousedown 1 " + test::XMoveTo(To) + " mouseup 1");
        test::PumpThroughApplicationFor(std::chrono::milliseconds(300));
    }

    test::TempDir FBin;
    std::string FSavedPath;
};

TEST_F(WwRichLinksOnDisplay, AClickOpensThatLinkAndNothingElseOpensAnything) {
    PresentOnDisplay();
    TNoteWindow window;
    ASSERT_TRUE(WaitUntilShown("Version check note"));

    Click(window.At(window.Where("example.com/a")));
    EXPECT_EQ(Opened(), "http://example.com/a\n");
    Click(window.At(window.Where("example.org")));
    EXPECT_EQ(Opened(), "http://example.com/a\nhttp://www.example.org\n");

    Drag(window.At(window.Where("today")), window.At(window.Where("example.com/a")));
    EXPECT_EQ(Opened(), "http://example.com/a\nhttp://www.example.org\n")
        << "a drag that ends on a link opens nothing";
    SaveActiveFormPicture("wwrichlinks.png");

    window.Note->Lines().LoadFromFile(TestData + "tampered-note.rtf");
    EXPECT_FALSE(window.HoldsAnObject());
    for (const char* bait : {"etc/passwd", "click here", "embedded package"}) {
        SCOPED_TRACE(bait);
        ASSERT_GE(window.Where(bait), 0);
        Click(window.At(window.Where(bait)));
    }
    EXPECT_EQ(Opened(), "http://example.com/a\nhttp://www.example.org\n");
    EXPECT_FALSE(window.HoldsAnObject());
    SaveActiveFormPicture("wwrichtampered.png");
}

}  // namespace
}  // namespace vex
