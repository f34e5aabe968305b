// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>

#include "platform/win/x11/x11clipboard.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/clock.h"
#include "platform/win/clipboard.h"
#include "platform/win/headlesspresenter.h"
#include "platform/win/messageloop.h"
#include "platform/win/x11/x11clipboard_testsupport.h"
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

    using TFormats = std::vector<std::pair<UINT, std::string>>;

    static void Copy(const TFormats& Formats) {
        ASSERT_TRUE(OpenClipboard(0));
        EmptyClipboard();
        for (const auto& [format, data] : Formats)
            SetClipboardData(format, data);
        CloseClipboard();
    }
    static void Copy(const std::string& Text) { Copy({{CF_TEXT, Text}}); }
    static std::string Paste(UINT Format = CF_TEXT) {
        EXPECT_TRUE(OpenClipboard(0));
        const std::string* data = GetClipboardData(Format);
        const std::string pasted = data == nullptr ? "(none)" : *data;
        CloseClipboard();
        return pasted;
    }
    static std::vector<UINT> Enumerated() {
        std::vector<UINT> formats;
        EXPECT_TRUE(OpenClipboard(0));
        for (UINT format = EnumClipboardFormats(0); format != 0;
             format = EnumClipboardFormats(format))
            formats.push_back(format);
        CloseClipboard();
        return formats;
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

    // Has xclip hold the clipboard with Bytes (as Target; "": as its text), until it loses it or
    // the test ends.
    void XclipIn(const std::string& Bytes, const std::string& Target = "") {
        const std::string in = Files.File("in");
        std::ofstream(in, std::ios::binary) << Bytes;
        const Atom clipboard = Peer.AtomNamed("CLIPBOARD");
        const Window before = XGetSelectionOwner(Peer.Dpy(), clipboard);
        std::vector<std::string> xclip = {"xclip", "-selection", "clipboard", "-quiet", "-i", in};
        if (!Target.empty()) xclip.insert(xclip.end(), {"-t", Target});
        Holder.Start(xclip, Files.File("log"));
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

UINT RichText() {
    return RegisterClipboardFormat(CF_RTF);
}

// Rich text is 7-bit by its rules, but what a program puts there is passed on as it stands:
// neither an 8-bit byte nor a NUL ends or changes it.
const std::string kRtf = std::string("{\\rtf1\\ansi {\\b bold} caf\\'e9 \xE9") + '\0' + "}";

TEST_F(X11ClipboardTest, OurRichTextReachesOtherProgramsAsTextRtfBesideTheText) {
    struct Case {
        TFormats Copied;
        const char* Target;
        std::string Printed;
    };
    const std::vector<Case> cases = {
        {{{RichText(), kRtf}, {CF_TEXT, "bold caf\xE9"}}, "text/rtf", kRtf},
        {{{RichText(), kRtf}, {CF_TEXT, "bold caf\xE9"}}, "UTF8_STRING", "bold caf\xC3\xA9"},
        {{{RichText(), kRtf}, {CF_TEXT, "bold caf\xE9"}},
         "TARGETS",
         "TARGETS\ntext/rtf\nUTF8_STRING\nTEXT\nSTRING\n"},
        // Only the name the peers that trade rich text use.
        {{{RichText(), kRtf}, {CF_TEXT, "bold"}},
         "application/rtf",
         "Error: target application/rtf not available\n"},
        {{{RichText(), kRtf}}, "TARGETS", "TARGETS\ntext/rtf\n"},
        // Refused UTF8_STRING, xclip falls back to STRING, refused too.
        {{{RichText(), kRtf}}, "UTF8_STRING", "Error: target STRING not available\n"},
        {{{CF_TEXT, "plain"}}, "text/rtf", "Error: target text/rtf not available\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Target);
        Copy(c.Copied);
        EXPECT_EQ(XclipOut(c.Target), c.Printed);
    }
}

TEST_F(X11ClipboardTest, RichTextOfOtherProgramsIsPastedAsSentWhenTheyOfferIt) {
    std::optional<test::X11ClipboardHolder> both;
    struct Case {
        const char* Holder;
        std::function<void()> Hold;
        std::vector<UINT> Formats;
        std::string Text;
        std::string Rich;
    };
    const std::vector<Case> cases = {
        {"xclip with rich text", [&] { XclipIn(kRtf, "text/rtf"); }, {RichText()}, "(none)", kRtf},
        {"a holder of both",
         [&] {
             both.emplace(Server.DisplayName(),
                          std::map<std::string, std::string>{{"UTF8_STRING", "caf\xC3\xA9"},
                                                             {"text/rtf", kRtf}});
         },
         {CF_TEXT, RichText()},
         "caf\xE9",
         kRtf},
        {"xclip with text", [&] { XclipIn("plain"); }, {CF_TEXT}, "plain", "(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Holder);
        Holder.Stop();
        both.reset();
        c.Hold();
        // A look from outside an opening, then inside one; neither fetches.
        EXPECT_EQ(IsClipboardFormatAvailable(RichText()), c.Rich != "(none)");
        EXPECT_EQ(CountClipboardFormats(), static_cast<int32_t>(c.Formats.size()));
        EXPECT_EQ(Enumerated(), c.Formats);
        EXPECT_EQ(Paste(RichText()), c.Rich);
        EXPECT_EQ(Paste(CF_TEXT), c.Text);
    }
}

TEST_F(X11ClipboardTest, AnOversizeRichTextPasteIsCutAtTheLimitAndTheNextReadsCleanly) {
    std::string huge(TDisplayClipboard::MaxText + 4096, 'r');
    huge.replace(0, 6, "{\\rtf1");
    XclipIn(huge, "text/rtf");
    const std::string pasted = Paste(RichText());
    ASSERT_EQ(pasted.size(), TDisplayClipboard::MaxText);
    EXPECT_TRUE(pasted == std::string_view(huge).substr(0, TDisplayClipboard::MaxText));
    Holder.Stop();
    XclipIn("{\\rtf1 next}", "text/rtf");
    EXPECT_EQ(Paste(RichText()), "{\\rtf1 next}");
}

}  // namespace
}  // namespace vex
