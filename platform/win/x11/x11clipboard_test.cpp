// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/win/x11/x11clipboard.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/clipboard.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/messageloop.h"
#include "platform/win/x11/x11presenter.h"
#include "platform/win/x11/x11testpeer.h"
#include "tests/support/childprocess.h"
#include "tests/support/processortime.h"
#include "tests/support/tempdir.h"
#include "tests/support/xvfbserver.h"

namespace vex {
namespace {

using Steady = std::chrono::steady_clock;

// The process's clipboard on a fresh Xvfb, against xclip as the other program.
class X11ClipboardTest : public testing::Test {
protected:
    X11ClipboardTest() {
        setenv("DISPLAY", Server.DisplayName().c_str(), 1);
        unsetenv("VEX_DISPLAY");
        SetPresenter(MakeX11Presenter("", WindowTreeSink()));
    }
    ~X11ClipboardTest() override {
        SetPresenter(std::make_unique<THeadlessPresenter>());
        setenv("VEX_DISPLAY", "headless", 1);
    }

    static void Copy(const std::string& Text) {
        ASSERT_TRUE(OpenClipboard(0));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, Text);
        CloseClipboard();
    }
    static std::string Paste() {
        EXPECT_TRUE(OpenClipboard(0));
        const std::string* text = GetClipboardData(CF_TEXT);
        const std::string pasted = text == nullptr ? "(none)" : *text;
        CloseClipboard();
        return pasted;
    }

    // Runs the message loop until Done holds; false after ten seconds.
    static bool PumpUntil(const std::function<bool()>& Done) {
        const auto deadline = Steady::now() + std::chrono::seconds(10);
        while (!Done()) {
            if (Steady::now() > deadline) return false;
            ProcessMessagesUntil(Done, Clock().TickMilliseconds() + 10);
        }
        return true;
    }

    // What `xclip -o` prints for Target, while our loop answers it.
    std::string XclipOut(const std::string& Target) {
        test::ChildProcess xclip;
        const std::string out = Files.File("out");
        xclip.Start({"xclip", "-selection", "clipboard", "-t", Target, "-o"}, out);
        EXPECT_TRUE(PumpUntil([&] { return xclip.Exited(); })) << "xclip -o hangs";
        return test::ReadWholeFile(out);
    }

    // Has xclip hold the clipboard with Bytes, until it loses it or the test ends.
    void XclipIn(const std::string& Bytes) {
        const std::string in = Files.File("in");
        std::ofstream(in, std::ios::binary) << Bytes;
        const Atom clipboard = Peer.AtomNamed("CLIPBOARD");
        const Window before = XGetSelectionOwner(Peer.Dpy(), clipboard);
        Holder.Start({"xclip", "-selection", "clipboard", "-quiet", "-i", in}, Files.File("log"));
        ASSERT_EQ(test::Eventually([&] {
                      const Window owner = XGetSelectionOwner(Peer.Dpy(), clipboard);
                      return owner != 0 && owner != before ? ""
                                                           : "xclip does not hold the clipboard";
                  }),
                  "");
    }

    test::XvfbServer Server;
    test::X11Peer Peer{Server.DisplayName()};
    test::TempDir Files;
    test::ChildProcess Holder;
};

TEST_F(X11ClipboardTest, OurTextReachesOtherProgramsInEachEncodingTheyAskFor) {
    Copy(
        "Gr\xFC\xDF"
        "e \x80 \x93q\x94");
    struct Case {
        const char* Target;
        std::string Printed;
    };
    const std::vector<Case> cases = {
        {"UTF8_STRING",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D"},
        {"TEXT",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D"},
        {"STRING",
         "Gr\xFC\xDF"
         "e ? ?q?"},
        {"TARGETS", "TARGETS\nUTF8_STRING\nTEXT\nSTRING\n"},
        {"image/png", "Error: target image/png not available\n"},  // refused
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Target);
        EXPECT_EQ(XclipOut(c.Target), c.Printed);
    }
    // Text ends at its first NUL, as the original's readers take it.
    Copy(std::string("kept\0dropped", 12));
    EXPECT_EQ(XclipOut("UTF8_STRING"), "kept");
}

TEST_F(X11ClipboardTest, TextOfOtherProgramsIsPastedAsOursWithWhatIsNoCharacterReplaced) {
    Copy("ours");
    XclipIn(
        "\xC3\x87"
        "a co\xC3\xBBte 5 \xE2\x82\xAC \xE2\x80\x94 \xE6\x97\xA5 bad\xFF\xC3 end" +
        std::string("\0after", 6));
    EXPECT_EQ(CountClipboardFormats(), 1);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GetClipboardOwner(), 0u);  // not ours any more
    EXPECT_EQ(Paste(),
              "\xC7"
              "a co\xFBte 5 \x80 \x97 ? bad?? end");
    // Copying again takes it back from xclip, which then ends.
    Copy("back");
    EXPECT_TRUE(PumpUntil([&] { return Holder.Exited(); }));
    EXPECT_EQ(XclipOut("UTF8_STRING"), "back");
}

TEST_F(X11ClipboardTest, AnOversizePasteIsCutAtTheLimit) {
    std::string huge(TDisplayClipboard::MaxText + 4096, 'a');
    // Two bytes of UTF-8 make one character: the text is cut one character later.
    huge.replace(TDisplayClipboard::MaxText - 2, 2, "\xC3\xA9");
    XclipIn(huge);
    const std::string pasted = Paste();
    ASSERT_EQ(pasted.size(), TDisplayClipboard::MaxText);
    EXPECT_EQ(pasted.find_first_not_of('a'), TDisplayClipboard::MaxText - 2);
    EXPECT_EQ(pasted[TDisplayClipboard::MaxText - 2], '\xE9');
    // The transfer was finished: the next one reads cleanly.
    Holder.Stop();
    XclipIn("next");
    EXPECT_EQ(Paste(), "next");
}

TEST_F(X11ClipboardTest, AnOwnerThatNeverAnswersIsGivenUpOnInBoundedTimeWithoutSpinning) {
    // The peer takes the clipboard and never reads its events, so no request is answered.
    const Window mute = XCreateSimpleWindow(Peer.Dpy(), Peer.Root(), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(Peer.Dpy(), Peer.AtomNamed("CLIPBOARD"), mute, CurrentTime);
    XSync(Peer.Dpy(), False);
    const auto start = Steady::now();
    const long cpuBefore = test::ProcessCpuMicroseconds();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(Paste(), "(none)");
    const long cpu = test::ProcessCpuMicroseconds() - cpuBefore;
    const auto waited = Steady::now() - start;
    EXPECT_LT(waited, std::chrono::milliseconds(3 * TX11Clipboard::StepTimeoutMs));
    EXPECT_LT(cpu, 200000) << "waiting took the processor";
}

}  // namespace
}  // namespace vex
