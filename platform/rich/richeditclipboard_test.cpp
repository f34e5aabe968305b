#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/canvas.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richedit_testsupport.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/popupmenu.h"
#include "platform/win/application.h"
#include "platform/win/clipboard.h"
#include "platform/win/clipboard_slowdisplay_testsupport.h"
#include "platform/win/clipboard_testsupport.h"
#include "platform/win/modaldriver.h"

namespace vex {
namespace {

using test::PressKey;
using test::TRichOnForm;

UINT Rtf() {
    return RegisterClipboardFormat(CF_RTF);
}

std::string ClipboardData(UINT Format) {
    const TOpenClipboard clipboard(0);
    const std::string* data = clipboard.Open() ? GetClipboardData(Format) : nullptr;
    return data != nullptr ? *data : "<none>";
}

void PutOnClipboard(const std::vector<std::pair<UINT, std::string>>& Formats) {
    const TOpenClipboard clipboard(0);
    ASSERT_TRUE(clipboard.Open());
    EmptyClipboard();
    for (const auto& [format, data] : Formats)
        SetClipboardData(format, data);
}

bool BoldAt(TRichEdit& Edit, int32_t Start, int32_t Length) {
    Edit.SetSelStart(Start);
    Edit.SetSelLength(Length);
    return Edit.SelAttributes().Style().Contains(fsBold) &&
           Edit.SelAttributes().ConsistentAttributes().Contains(caBold);
}

TEST(RichEditClipboard, ABoldWordGoesAcrossAsRtfAndAsText) {
    TRichOnForm from("a bold word");
    from.Edit->SetSelStart(2);
    from.Edit->SetSelLength(4);
    from.Edit->SelAttributes().SetStyle(TFontStyles{fsBold});
    PressKey({'C', "C", '\x03'});
    EXPECT_EQ(test::ClipboardText(), "bold");
    EXPECT_NE(ClipboardData(Rtf()).find("\\b"), std::string::npos);

    TRichOnForm to("[]");
    to.Edit->SetSelStart(1);
    PressKey({'V', "C", '\x16'});
    EXPECT_EQ(to.Edit->Text(), "[bold]");
    EXPECT_TRUE(BoldAt(*to.Edit, 1, 4));
    EXPECT_FALSE(BoldAt(*to.Edit, 0, 1));
}

TEST(RichEditClipboard, PlainTextPastesAsParagraphsInTheTypingFormat) {
    TRichOnForm on("ab");
    on.Edit->SelectAll();
    on.Edit->SelAttributes().SetStyle(TFontStyles{fsBold});
    test::SetClipboardText(std::string("x\r\ny\0z", 6));
    on.Edit->SetSelStart(1);
    on.Edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(on.Edit->Text(), "ax\r\nyb");
    EXPECT_TRUE(BoldAt(*on.Edit, 1, 1));
}

TEST(RichEditClipboard, CutTakesTheSelectionAndUndoBringsItBack) {
    TRichOnForm on("one two");
    on.Edit->SetSelStart(3);
    on.Edit->SetSelLength(4);
    PressKey({VK_DELETE, "S"});
    EXPECT_EQ(on.Edit->Text(), "one");
    EXPECT_EQ(test::ClipboardText(), " two");
    PressKey({VK_INSERT, "S"});
    PressKey({VK_INSERT, "S"});
    EXPECT_EQ(on.Edit->Text(), "one two two");
    PressKey({'Z', "C", '\x1A'});
    EXPECT_EQ(on.Edit->Text(), "one two");
}

TEST(RichEditClipboard, ACutThatCannotReachTheClipboardRemovesNothing) {
    TRichOnForm on("keep this");
    on.Edit->SetSelLength(4);
    ASSERT_TRUE(OpenClipboard(on.Shown.Form->Handle()));  // another window holds it
    PressKey({'X', "C", '\x18'});
    CloseClipboard();
    EXPECT_EQ(on.Edit->Text(), "keep this");
}

TEST(RichEditClipboard, CanPasteIgnoresReadOnly) {
    TRichOnForm on("ab");
    on.Edit->SetReadOnly(true);
    PutOnClipboard({{Rtf(), "{\\rtf1 x}"}});
    EXPECT_TRUE(on.Edit->CanPaste());
    on.Edit->PasteFromClipboard();
    EXPECT_EQ(on.Edit->Text(), "ab");
    PutOnClipboard({});
    EXPECT_FALSE(on.Edit->CanPaste());
}

TEST(RichEditClipboard, PasteIsCutToMaxLength) {
    TRichOnForm on("ab");
    on.Edit->SetMaxLength(5);
    test::SetClipboardText("1\r\n2345");
    on.Edit->SetSelStart(2);
    on.Edit->PasteFromClipboard();
    EXPECT_EQ(on.Edit->Text(), "ab1\r\n2");
    PutOnClipboard({{Rtf(), "{\\rtf1 {\\b xyz}}"}});
    on.Edit->SelectAll();
    on.Edit->PasteFromClipboard();
    EXPECT_EQ(on.Edit->Text(), "xyz");
}

TEST(RichEditClipboard, APasteFromAnotherProgramThatFreesTheControlMeanwhileEndsThere) {
    struct TCase {
        const char* Name;
        std::function<void(TRichEdit&)> Paste;
    };
    const std::vector<TCase> cases = {
        {"the program's paste", [](TRichEdit& E) { E.PasteFromClipboard(); }},
        {"Ctrl+V",
         [](TRichEdit&) {
             PressKey({'V', "C", '\x16'});
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        test::SlowDisplayClipboard board;
        board.Theirs[TDisplayFormat::Rtf] = "{\\rtf1 theirs}";
        const test::PresenterOverride display(
            std::make_unique<test::SlowClipboardPresenter>(board));
        TRichOnForm on("mine");
        // A timer or a posted message the wait dispatches may close the window.
        board.WhileWaiting = [&] { delete std::exchange(on.Edit, nullptr); };
        TRichEdit& edit = *on.Edit;
        c.Paste(edit);
        EXPECT_EQ(on.Edit, nullptr);
    }
}

TEST(RichEditClipboard, TheClipboardGoesWithTheControlUnlessItIsToBeKept) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "kept" : "dropped");
        int32_t chars = -1;
        {
            TRichOnForm on("copy me");
            on.Edit->OnSaveClipboard = [&](TObject*, int32_t, int32_t NumChars, bool& Save) {
                chars = NumChars;
                Save = keep;
            };
            on.Edit->SetSelLength(4);
            on.Edit->CopyToClipboard();
        }
        EXPECT_EQ(chars, 4);
        EXPECT_EQ(test::ClipboardText(), keep ? "copy" : "<none>");
    }
}

// The notice comes while the window is going: a handler that frees the control there must
// leave nothing that touches it afterwards, and must be asked once.
TEST(RichEditClipboard, AHandlerMayFreeTheControlWhileItsWindowGoes) {
    struct TCase {
        const char* Name;
        std::function<void(TRichOnForm&)> LoseWindow;
    };
    const std::vector<TCase> cases = {
        {"its window made again", [](TRichOnForm& on) { on.Edit->SetScrollBars(ssBoth); }},
        {"its form's window made again",
         [](TRichOnForm& on) { on.Shown.Form->SetBorderStyle(bsDialog); }},
        {"its form freed", [](TRichOnForm& on) { delete std::exchange(on.Shown.Form, nullptr); }},
        {"taken off its form", [](TRichOnForm& on) { on.Edit->SetParent(nullptr); }},
    };
    for (const TCase& c : cases) {
        for (const bool keep : {true, false}) {
            SCOPED_TRACE(std::string(c.Name) + (keep ? ", kept" : ", dropped"));
            TRichOnForm on("copy me");
            int32_t asked = 0;
            on.Edit->OnSaveClipboard = [&](TObject*, int32_t, int32_t, bool& Save) {
                ++asked;
                Save = keep;
                delete std::exchange(on.Edit, nullptr);
            };
            on.Edit->SetSelLength(4);
            on.Edit->CopyToClipboard();
            c.LoseWindow(on);
            EXPECT_EQ(on.Edit, nullptr);
            EXPECT_EQ(asked, 1);
            EXPECT_EQ(test::ClipboardText(), keep ? "copy" : "<none>");
        }
    }
}

// The notice comes while the window goes, from a destructor too: what the handler throws has
// nowhere to go but the application's report, and the clipboard stays as it is.
TEST(RichEditClipboard, AHandlerThatThrowsAsTheWindowGoesIsReportedAndTheClipboardKept) {
    struct TCase {
        const char* Name;
        std::function<void(TRichOnForm&)> LoseWindow;
    };
    const std::vector<TCase> cases = {
        {"its window made again", [](TRichOnForm& on) { on.Edit->SetScrollBars(ssBoth); }},
        {"the control freed", [](TRichOnForm& on) { delete std::exchange(on.Edit, nullptr); }},
    };
    std::vector<std::string> reported;
    Application().OnException = [&](TObject*, const std::exception& E) {
        reported.push_back(E.what());
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        reported.clear();
        TRichOnForm on("copy me");
        on.Edit->OnSaveClipboard = [](TObject*, int32_t, int32_t, bool&) {
            throw std::runtime_error("disk full");
        };
        on.Edit->SetSelLength(4);
        on.Edit->CopyToClipboard();
        c.LoseWindow(on);
        EXPECT_EQ(reported, std::vector<std::string>{"disk full"});
        EXPECT_EQ(test::ClipboardText(), "copy");
    }
    Application().OnException = nullptr;
}

// An object drawn as a filled box.
class TBoxObject : public IRichObject {
public:
    TSize Extent() const override { return TSize{150, 150}; }
    void Draw(TCanvas& Canvas, const TRect& Box) const override {
        Canvas.Brush().SetColor(clRed);
        Canvas.FillRect(Box);
    }
};

// Answers as told and notes what it was asked; a negative answer of Throws throws instead.
class TRecordingCallback : public IRichEditOleCallback {
public:
    HRESULT Insert = S_OK;
    HRESULT Accept = S_OK;
    bool Throws = false;
    std::unique_ptr<IRichDataObject> Offered;
    std::vector<std::string> Calls;

    HRESULT QueryInsertObject(IRichObject&, int32_t Position) override {
        Calls.push_back("insert " + std::to_string(Position));
        return Insert;
    }
    HRESULT DeleteObject(IRichObject&) override {
        Calls.push_back("delete");
        if (Throws) throw std::runtime_error("owner's fault");
        return S_OK;
    }
    HRESULT QueryAcceptData(IRichDataObject& Data, uint32_t Reason, bool) override {
        Calls.push_back("accept " + std::to_string(Reason) + " " +
                        std::to_string(Data.Formats().size()));
        if (Throws) throw std::runtime_error("owner's fault");
        return Accept;
    }
    HRESULT GetClipboardData(TCharRange Range, uint32_t Reason,
                             std::unique_ptr<IRichDataObject>& Data) override {
        Calls.push_back("clipboard " + std::to_string(Range.CpMin) + "-" +
                        std::to_string(Range.CpMax) + " " + std::to_string(Reason));
        if (!Offered) return E_NOTIMPL;
        Data = std::move(Offered);
        return S_OK;
    }
    HRESULT GetDragDropEffect(bool, uint32_t, uint32_t&) override { return E_NOTIMPL; }
    HRESULT GetContextMenu(uint16_t Type, IRichObject*, TCharRange Range,
                           TPopupMenu*& Shown) override {
        Calls.push_back("menu " + std::to_string(Type) + " " + std::to_string(Range.CpMin) + "-" +
                        std::to_string(Range.CpMax));
        if (Menu == nullptr) return E_NOTIMPL;
        Shown = Menu;
        return S_OK;
    }
    TPopupMenu* Menu = nullptr;
};

class TFixedData : public IRichDataObject {
public:
    std::vector<UINT> Formats() const override { return {CF_TEXT}; }
    std::optional<std::string> GetData(UINT Format) const override {
        return Format == CF_TEXT ? std::optional<std::string>("theirs") : std::nullopt;
    }
};

TEST(RichEditClipboard, TheCallbackDecidesWhatAPasteTakes) {
    struct TCase {
        const char* Name;
        HRESULT Accept;
        bool Throws;
        std::string Expected;
        bool Bold;
    };
    const std::vector<TCase> cases = {
        {"accepted", S_OK, false, "a[x]", true},
        {"as plain text", S_FALSE, false, "a[x]", false},
        {"refused", E_FAIL, false, "a", false},
        {"a callback that throws refuses", S_OK, true, "a", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRichOnForm on("a");
        TRecordingCallback callback;
        callback.Accept = c.Accept;
        callback.Throws = c.Throws;
        on.Edit->SetOleCallback(&callback);
        PutOnClipboard({{Rtf(), "{\\rtf1 [{\\b x}]}"}, {CF_TEXT, "[x]"}});
        on.Edit->SetSelStart(1);
        on.Edit->PasteFromClipboard();
        EXPECT_EQ(on.Edit->Text(), c.Expected);
        EXPECT_EQ(callback.Calls, std::vector<std::string>{"accept 0 2"});
        if (c.Expected.size() > 1) {
            EXPECT_EQ(BoldAt(*on.Edit, 2, 1), c.Bold);
        }
    }
}

TEST(RichEditClipboard, TheCallbackMayOfferItsOwnDataOnCopy) {
    TRichOnForm on("one two");
    TRecordingCallback callback;
    on.Edit->SetOleCallback(&callback);
    on.Edit->SetSelLength(3);
    on.Edit->CopyToClipboard();
    EXPECT_EQ(test::ClipboardText(), "one");
    callback.Offered = std::make_unique<TFixedData>();
    on.Edit->CutToClipboard();
    EXPECT_EQ(test::ClipboardText(), "theirs");
    EXPECT_EQ(ClipboardData(Rtf()), "<none>");
    EXPECT_EQ(on.Edit->Text(), " two");
    EXPECT_EQ(callback.Calls, (std::vector<std::string>{"clipboard 0-3 2", "clipboard 0-3 3"}));
}

TEST(RichEditClipboard, ObjectsAskToComeInAndAreToldWhenTheyGo) {
    TRichOnForm on("ab");
    TRecordingCallback callback;
    on.Edit->SetOleCallback(&callback);
    on.Edit->SetSelStart(1);
    callback.Insert = S_FALSE;
    EXPECT_FALSE(on.Edit->InsertObject(std::make_shared<TBoxObject>()));
    EXPECT_EQ(on.Edit->Engine().TextLength(), 2);
    callback.Insert = S_OK;
    EXPECT_TRUE(on.Edit->InsertObject(std::make_shared<TBoxObject>()));
    EXPECT_EQ(on.Edit->Engine().TextLength(), 3);
    on.Edit->SetSelStart(1);
    on.Edit->SetSelLength(1);
    EXPECT_NE(on.Edit->SelectedObject(), nullptr);
    EXPECT_EQ(on.Edit->SelectionType(), SEL_OBJECT);
    on.Edit->SetSelStart(0);
    on.Edit->SetSelLength(3);
    EXPECT_EQ(on.Edit->SelectionType(), SEL_TEXT | SEL_MULTICHAR | SEL_OBJECT);
    EXPECT_EQ(on.Edit->SelectedObject(), nullptr);
    on.Edit->SetSelStart(1);
    on.Edit->SetSelLength(1);
    callback.Throws = true;  // a throwing owner does not stop the edit
    PressKey({VK_DELETE, ""});
    EXPECT_EQ(on.Edit->Text(), "ab");
    EXPECT_EQ(callback.Calls, (std::vector<std::string>{"insert 1", "insert 1", "delete"}));
}

TEST(RichEditClipboard, TheCallbacksMenuShowsOnARightClick) {
    const test::TFixedMenuFont menuFont;
    TRichOnForm on("one two");
    TRecordingCallback callback;
    on.Edit->SetOleCallback(&callback);
    TPopupMenu menu(nullptr);
    std::vector<std::string> chosen;
    test::NewItem(menu.Items(), "Theirs", &chosen);
    callback.Menu = &menu;
    on.Edit->SetSelStart(4);
    on.Edit->SetSelLength(3);
    const TPoint at = on.Edit->ClientToScreen(Point(20, 5));
    TModalScript script;
    script.Then([] { test::ClickAt(test::ItemCentre("Theirs")); });
    on.Edit->Perform(WM_CONTEXTMENU, on.Edit->Handle(), MAKELONG(at.X, at.Y));
    test::PumpUntilIdle();
    EXPECT_EQ(chosen, std::vector<std::string>{"Theirs"});
    EXPECT_EQ(callback.Calls, std::vector<std::string>{"menu 5 4-7"});
}

}  // namespace
}  // namespace vex
