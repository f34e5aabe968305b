#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rich/richedit.h"
#include "platform/rich/richedit_testsupport.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/win/clipboard_testsupport.h"

namespace vex {
namespace {

// Frees itself from its link notice for the message named, as an owner may that closes the
// window the control is on.
class TFreeingEdit : public TRichEdit {
public:
    using TRichEdit::TRichEdit;
    UINT FreeOnLink = 0;

protected:
    void LinkNotify(const TENLink& Link) override {
        if (Link.Msg == FreeOnLink) delete this;
    }
};

class TBox : public IRichObject {
public:
    TSize Extent() const override { return TSize{150, 150}; }
    void Draw(TCanvas&, const TRect&) const override {}
};

// Frees the control from the call named.
class TFreeingCallback : public IRichEditOleCallback {
public:
    std::string FreeIn;
    TRichEdit* Edit = nullptr;

    HRESULT QueryInsertObject(IRichObject&, int32_t) override { return Free("insert", S_OK); }
    HRESULT DeleteObject(IRichObject&) override { return Free("delete", S_OK); }
    HRESULT QueryAcceptData(IRichDataObject&, uint32_t, bool) override {
        return Free("accept", S_OK);
    }
    HRESULT GetClipboardData(TCharRange, uint32_t, std::unique_ptr<IRichDataObject>&) override {
        return Free("clipboard", E_NOTIMPL);
    }
    HRESULT GetDragDropEffect(bool, uint32_t, uint32_t&) override { return E_NOTIMPL; }
    HRESULT GetContextMenu(uint16_t, IRichObject*, TCharRange, TPopupMenu*&) override {
        return Free("menu", E_NOTIMPL);
    }

private:
    HRESULT Free(const std::string& Call, HRESULT Answer) {
        if (Call == FreeIn) delete Edit;
        return Answer;
    }
};

// "see " and a link of 18 characters, then a protected word and an object.
struct TScene {
    test::TShownForm Shown{Rect(10, 10, 330, 230)};
    TFreeingEdit* Edit;
    TFreeingCallback Callback;
    TScene() {
        Edit = Shown.Add<TFreeingEdit>(Shown.Form, Rect(10, 10, 250, 130));
        Edit->SetName("RichEdit1");
        Edit->Font().SetName(FixedFontName);
        Edit->Font().SetHeight(-12);
        Edit->SetText("see http://example.com kept ");
        Edit->SetSelStart(23);
        Edit->SetSelLength(4);
        Edit->SelAttributes().SetProtected(true);
        Edit->SetSelStart(28);
        Edit->InsertObject(std::make_shared<TBox>());
        Edit->SetAutoUrlDetect(true);
        Edit->SetEventMask(Edit->EventMask() | ENM_LINK);
        Callback.Edit = Edit;
        Edit->SetOleCallback(&Callback);
        Edit->SetFocus();
        test::ReleaseAllKeys();
    }
    TPoint OnScreen(int32_t Position) const {
        const TPoint p = Edit->PosFromChar(Position);
        return Edit->ClientToScreen(Point(p.X + 2, p.Y + 3));
    }
    bool Freed() const { return Shown.Form->FindComponent("RichEdit1") == nullptr; }
};

TEST(RichEditNotices, AControlFreedByANoticeStopsThere) {
    struct TCase {
        const char* Name;
        std::function<void(TScene&)> Act;
    };
    const std::vector<TCase> cases = {
        {"a link's release",
         [](TScene& S) {
             S.Edit->FreeOnLink = WM_LBUTTONUP;
             test::ClickAt(S.OnScreen(8));
         }},
        {"a link under a moving pointer",
         [](TScene& S) {
             S.Edit->FreeOnLink = WM_MOUSEMOVE;
             test::ClickAt(S.OnScreen(9));
         }},
        {"protected text allowed by a handler that frees",
         [](TScene& S) {
             S.Edit->OnProtectChange = [&S](TObject*, int32_t, int32_t, bool& Allow) {
                 delete S.Edit;
                 Allow = true;
             };
             S.Edit->SetSelStart(25);
             test::TypeChars("x");
         }},
        {"an object's deletion",
         [](TScene& S) {
             S.Callback.FreeIn = "delete";
             S.Edit->SetSelStart(28);
             test::PressKey({VK_DELETE, ""});
         }},
        {"data accepted for a paste",
         [](TScene& S) {
             S.Callback.FreeIn = "accept";
             test::SetClipboardText("pasted");
             test::PressKey({'V', "C", '\x16'});
         }},
        {"the data of a cut",
         [](TScene& S) {
             S.Callback.FreeIn = "clipboard";
             S.Edit->SetSelStart(0);
             S.Edit->SetSelLength(3);
             test::PressKey({'X', "C", '\x18'});
         }},
        {"an object let in",
         [](TScene& S) {
             S.Callback.FreeIn = "insert";
             EXPECT_FALSE(S.Edit->InsertObject(std::make_shared<TBox>()));
         }},
        {"the context menu",
         [](TScene& S) {
             S.Callback.FreeIn = "menu";
             test::ClickAt(S.OnScreen(1), mbRight);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TScene scene;
        c.Act(scene);
        test::PumpUntilIdle();
        EXPECT_TRUE(scene.Freed());
        test::TypeChars("y");
        test::PumpUntilIdle();
    }
}

}  // namespace
}  // namespace vex
