#include "net/mailaddressdlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "net/mailaddress.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/button.h"
#include "platform/ui/customedit.h"
#include "platform/ui/editmessages.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"
#include "platform/win/window.h"

namespace vex {
namespace {

TMailAddressDlg* RunningDialog() {
    return dynamic_cast<TMailAddressDlg*>(Screen().ActiveForm());
}

// Types Text into the focused edit, a character at a time.
void Type(const std::string& Text) {
    for (char c : Text)
        PostMessage(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 0);
}

void Press(int32_t Key) {
    InjectKey(Key, true);
    InjectKey(Key, false);
}

TmsMailAddress Address(const std::string& Name, const std::string& Mail) {
    TmsMailAddress address;
    address.Name = Name;
    address.Address = Mail;
    return address;
}

TEST(MailAddressDialog, EditsTheAddressItIsGivenAndKeepsItUnlessOKCloses) {
    const std::string longName(300, 'n');
    struct TCase {
        const char* Name;
        TmsMailAddress Start;
        std::vector<std::function<void()>> Acts;  // one after another, each handled first
        std::string ExpectedName;
        std::string ExpectedAddress;
    };
    const std::vector<TCase> cases = {
        {"empty, OK", Address("", ""), {[] { Press(VK_RETURN); }}, "", ""},
        {"typed into both, Enter",
         Address("", ""),
         {[] { Type("Ann"), Press(VK_TAB); }, [] { Type("ann@example.test"), Press(VK_RETURN); }},
         "Ann",
         "ann@example.test"},
        {"shown, then added to",
         Address("Bo", "bo@example.test"),
         {[] { Type("b"), Press(VK_RETURN); }},
         "Bob",
         "bo@example.test"},
        {"cut to 255 on OK",
         Address("", "x@example.test"),
         {[&longName] { Type(longName), Press(VK_RETURN); }},
         std::string(255, 'n'),
         "x@example.test"},
        {"Escape",
         Address("Cy", "cy@example.test"),
         {[] { Type("zzz"), Press(VK_ESCAPE); }},
         "Cy",
         "cy@example.test"},
        {"Cancel clicked",
         Address("Di", "di@example.test"),
         {[] { Type("zzz"), RunningDialog()->CancelButton->Click(); }},
         "Di",
         "di@example.test"},
        {"window closed",
         Address("Ed", "ed@example.test"),
         {[] { Type("zzz"), PostMessage(RunningDialog()->Handle(), WM_CLOSE, 0, 0); }},
         "Ed",
         "ed@example.test"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TmsMailAddress address = c.Start;
        std::string shownName, shownAddress;
        TModalScript script;
        script.Then([&] {
            ASSERT_NE(RunningDialog(), nullptr);
            shownName = RunningDialog()->NameEdit->Text();
            shownAddress = RunningDialog()->AddressEdit->Text();
            PostMessage(RunningDialog()->NameEdit->Handle(), EM_SETSEL, 255, 255);
        });
        for (const auto& act : c.Acts)
            script.Then(act);
        address.Edit();
        EXPECT_EQ(shownName, c.Start.Name);
        EXPECT_EQ(shownAddress, c.Start.Address);
        EXPECT_EQ(address.Name, c.ExpectedName);
        EXPECT_EQ(address.Address, c.ExpectedAddress);
        EXPECT_EQ(script.Pending(), 0u);
    }
}

TEST(MailAddressDialog, LeavesTheAddressAloneWhenAHandlerFreesTheDialog) {
    TmsMailAddress address = Address("Fay", "fay@example.test");
    TModalScript script;
    script.Then([] { Type("zzz"); });
    script.Then([] { delete RunningDialog(); });
    address.Edit();
    EXPECT_EQ(address.Name, "Fay");
    EXPECT_EQ(address.Address, "fay@example.test");
    EXPECT_EQ(RunningDialog(), nullptr);
    EXPECT_EQ(script.Pending(), 0u);
}

TEST(MailAddressDialog, IsLaidOutAsItsFormSays) {
    TMailAddressDlg dialog(nullptr);
    dialog.Font().SetName(FixedFontName);
    dialog.SetAddress(Address("Ann Example", "ann@example.test"));
    dialog.Show();
    EXPECT_EQ(dialog.ClientWidth(), 240);
    EXPECT_EQ(dialog.ClientHeight(), 124);
    EXPECT_EQ(dialog.Caption(), "Address");
    EXPECT_TRUE(dialog.OKButton->Default());
    EXPECT_TRUE(dialog.CancelButton->Cancel());
    std::vector<TWinControl*> order;
    dialog.GetTabOrderList(order);
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[0], dialog.NameEdit);
    EXPECT_EQ(order[1], dialog.AddressEdit);
    EXPECT_EQ(order[2], dialog.OKButton);
    EXPECT_EQ(order[3], dialog.CancelButton);
    EXPECT_TRUE(test::ControlMatchesReferencePicture(
        dialog, std::string(VEX_TEST_DIR) + "/testdata/pictures", "mailaddressdlg"));
}

}  // namespace
}  // namespace vex
