// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gfx/pngcodec.h"
#include "platform/ui/button.h"
#include "platform/ui/customedit.h"
#include "platform/ui/finddialog.h"
#include "platform/ui/fontdialog.h"
#include "platform/ui/form.h"
#include "platform/ui/screen.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using namespace std::chrono_literals;

// The keys that type Text, lower case, digits and spaces.
std::vector<int32_t> KeysOf(const std::string& Text) {
    std::vector<int32_t> keys;
    for (char c : Text)
        keys.push_back(c == ' ' ? VK_SPACE : std::toupper(static_cast<unsigned char>(c)));
    return keys;
}

TPoint Middle(TControl& Control) {
    return Control.ClientToScreen(Point(Control.Width() / 2, Control.Height() / 2));
}

class DialogsOnDisplay : public test::OnDisplayTest {
protected:
    DialogsOnDisplay() { PresentOnDisplay(); }

    void Type(const std::string& Text) {
        test::TypeOnDisplay(FServer.DisplayName(), KeysOf(Text), 30);
    }
    void Key(const std::vector<int32_t>& Keys) { test::TypeOnDisplay(FServer.DisplayName(), Keys); }
    void Click(TControl& Control) { test::ClickOnDisplay(FServer.DisplayName(), Middle(Control)); }
    // Area of the screen as a person sees it, for a look, when VEX_PICTURE_DIR names a folder.
    void SaveScreen(const std::string& Name, const TRect& Area) {
        const char* dir = std::getenv("VEX_PICTURE_DIR");
        if (dir == nullptr) return;
        test::WriteWholeFile(
            std::string(dir) + "/" + Name + ".png",
            EncodePng({Area.Right - Area.Left, Area.Bottom - Area.Top, FPeer.Screen(Area)}));
    }
    void Focus(const std::string& Title) {
        test::RunXdotool(FServer.DisplayName(),
                         "search --sync --name \"^" + Title + "$\" windowfocus --sync");
    }
};

TEST_F(DialogsOnDisplay, TheFindDialogStaysOpenWhileAnotherFormTakesKeys) {
    TForm mail(nullptr);
    mail.SetCaption("Mail");
    mail.SetBounds(20, 30, 260, 120);
    auto* subject = new TEdit(&mail);
    subject->SetBounds(10, 10, 200, 24);
    subject->SetParent(&mail);
    mail.Show();
    ASSERT_TRUE(WaitUntilShown("Mail"));

    TFindDialog find(nullptr);
    std::vector<std::string> found;
    bool closed = false;
    find.OnFind = [&](TObject*) { found.push_back(find.FindText()); };
    find.OnClose = [&](TObject*) { closed = true; };
    find.SetPosition(Point(320, 40));
    ASSERT_TRUE(find.Execute());
    ASSERT_TRUE(WaitUntilShown("Find"));
    Focus("Find");

    Key({VK_RETURN});  // nothing to find yet
    test::PumpThroughApplicationFor(300ms);
    EXPECT_TRUE(found.empty());
    EXPECT_TRUE(find.Form()->Visible());

    Type("spam");
    test::SettleUntil([&] { return find.FindText() == "spam"; });
    EXPECT_EQ(find.FindText(), "spam");

    Click(*subject);
    Type("free");
    test::SettleUntil([&] { return subject->Text() == "free"; });
    EXPECT_EQ(subject->Text(), "free");
    EXPECT_EQ(find.FindText(), "spam");
    EXPECT_TRUE(find.Form()->Visible()) << "the dialog stays open beside the form";
    SaveScreen("findondisplay", Rect(0, 0, 760, 180));

    Click(*static_cast<TButton*>(find.Form()->FindComponent("FindNext")));
    test::SettleUntil([&] { return !found.empty(); });
    EXPECT_EQ(found, std::vector<std::string>{"spam"});

    Focus("Find");
    Key({VK_ESCAPE});
    test::SettleUntil([&] { return closed; });
    EXPECT_TRUE(closed);
    EXPECT_FALSE(find.Form()->Visible());
}

TEST_F(DialogsOnDisplay, TheFontDialogAnswersTheFaceAndSizeChosen) {
    TFontDialog dialog(nullptr);
    dialog.Font().SetName("DejaVu Sans");
    dialog.Font().SetSize(10);
    TModalScript script;
    script.Wait(500)
        .Then([&] {
            Focus("Font");
            Type("dejavu serif");
            Key({VK_MENU, 'S'});
            Type("14");
        })
        .Wait(500)
        .Then([&] { SaveScreen("fontondisplay", Screen().ActiveForm()->BoundsRect()); })
        .Wait(500)
        .Then([&] { Key({VK_RETURN}); })
        .Wait(500);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Font().Name(), "DejaVu Serif");
    EXPECT_EQ(dialog.Font().Size(), 14);
}

}  // namespace
}  // namespace vex
