#include "dataaware/intl/Wwintl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "dataaware/intl/Wwtypes.h"
#include "platform/core/typinfo.h"
#include "platform/win/application.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// The object and property a dotted path ("RichEdit.MenuLabels.FileCaption") names, walked
// through the published properties as a form stream walks them.
struct TPropertyAt {
    TObject* Object;
    const TPropInfo* Info;
};

TPropertyAt PropertyAt(TObject& Root, std::string_view Path) {
    TObject* object = &Root;
    for (;;) {
        const size_t dot = Path.find('.');
        const TPropInfo* info = GetPropInfo(*object, Path.substr(0, dot));
        if (info == nullptr) throw EPropertyError("No property " + std::string(Path));
        if (dot == std::string_view::npos) return {object, info};
        object = GetObjectProp(*object, *info);
        Path.remove_prefix(dot + 1);
    }
}

std::string TextAt(TObject& Root, std::string_view Path) {
    TPropertyAt at = PropertyAt(Root, Path);
    return GetStrProp(*at.Object, *at.Info);
}

int64_t OrdAt(TObject& Root, std::string_view Path) {
    TPropertyAt at = PropertyAt(Root, Path);
    return GetOrdProp(*at.Object, *at.Info);
}

// Sets one streamed value: a text, True or False, or a number.
void Stream(TObject& Root, const std::string& Path, const std::string& Value) {
    TPropertyAt at = PropertyAt(Root, Path);
    if (at.Info->Kind == tkLString)
        SetStrProp(*at.Object, *at.Info, Value);
    else if (Value == "True" || Value == "False")
        SetOrdProp(*at.Object, *at.Info, Value == "True");
    else
        SetOrdProp(*at.Object, *at.Info, std::stoll(Value));
}

std::string TestData(const char* Name) {
    return std::string(VEX_TEST_DIR) + "/testdata/" + Name;
}

// Every test leaves the global instance as the program started with it.
class GlobalIntl : public ::testing::Test {
protected:
    void TearDown() override {
        TwwIntl defaults(nullptr);
        defaults.SetConnected(true);
    }
};

TEST_F(GlobalIntl, StartsWithEveryDefaultText) {
    ASSERT_NE(wwGlobalIntl, nullptr);
    for (const test::TestCase& text : test::ReadCases(TestData("defaults.txt"))) {
        SCOPED_TRACE(text.Where);
        EXPECT_EQ(TextAt(*wwGlobalIntl, text[0]), text[1]);
    }
}

TEST_F(GlobalIntl, StartsWithTheDefaultSwitches) {
    TwwIntl& global = *wwGlobalIntl;
    EXPECT_TRUE(global.OKCancelBitmapped());
    EXPECT_TRUE(global.DialogFontStyle().Empty());
    EXPECT_EQ(global.BtnOKCaption(), "&OK");
    EXPECT_EQ(global.BtnCancelCaption(), "Cancel");
    EXPECT_FALSE(global.Connected());
    EXPECT_EQ(global.CheckBoxInGridStyle(), cbStyleAuto);
    EXPECT_TRUE(global.UseLocateMethodForSearch());
    EXPECT_EQ(global.DefaultEpochYear(), 1950);
    EXPECT_EQ(wwGetFilterMemoSize(), 65536);
    EXPECT_EQ(global.Owner(), &Application());
}

TEST_F(GlobalIntl, KeepsItsVersionWhateverIsAssigned) {
    wwGlobalIntl->SetVersionOndrix("5.0");
    TPropertyAt version = PropertyAt(*wwGlobalIntl, "VersionOndrix");
    SetStrProp(*version.Object, *version.Info, "6.0");
    EXPECT_EQ(wwGlobalIntl->VersionOndrix(), "4.03F");
}

TEST_F(GlobalIntl, ConnectingTheGlobalInstanceItselfChangesNothing) {
    wwGlobalIntl->UserMessages()->LocateNoMatches = "Nichts";
    wwGlobalIntl->SetConnected(true);
    wwGlobalIntl->SetCheckBoxInGridStyle(cbStyleCheckmark);
    EXPECT_EQ(wwGlobalIntl->UserMessages()->LocateNoMatches, "Nichts");
    EXPECT_EQ(wwGlobalIntl->CheckBoxInGridStyle(), cbStyleCheckmark);
    wwGlobalIntl->SetConnected(false);
}

TEST_F(GlobalIntl, OnlyAConnectedInstanceForwardsTheGridCheckBoxStyle) {
    TwwIntl local(nullptr);
    local.SetCheckBoxInGridStyle(cbStyleXmark);
    EXPECT_EQ(wwGlobalIntl->CheckBoxInGridStyle(), cbStyleAuto);
    local.SetConnected(true);
    EXPECT_EQ(wwGlobalIntl->CheckBoxInGridStyle(), cbStyleXmark);
    // A text changed after connecting waits for the next connect; the style does not.
    local.RichEdit()->CAPLockCaption = "MAJ";
    local.SetCheckBoxInGridStyle(cbStyleCheckmark);
    EXPECT_EQ(wwGlobalIntl->CheckBoxInGridStyle(), cbStyleCheckmark);
    EXPECT_EQ(wwGlobalIntl->RichEdit()->CAPLockCaption, "CAP");
    local.SetConnected(true);
    EXPECT_EQ(wwGlobalIntl->RichEdit()->CAPLockCaption, "MAJ");
}

TEST_F(GlobalIntl, TakesTheTextsOfAStreamedConnectedInstanceAndKeepsThemAfterItsForm) {
    const auto streamed = test::ReadCases(TestData("connectedform.txt"));
    auto form = std::make_unique<TComponent>(nullptr);
    form->BeginLoading();
    auto* local = new TwwIntl(form.get());
    for (const test::TestCase& property : streamed)
        Stream(*local, property[0], property[1]);
    form->EndLoading();
    form.reset();

    for (const test::TestCase& property : streamed) {
        SCOPED_TRACE(property.Where);
        const std::string& path = property[0];
        if (path == "VersionOndrix")
            EXPECT_EQ(wwGlobalIntl->VersionOndrix(), "4.03F");
        else if (path == "Connected")
            EXPECT_FALSE(wwGlobalIntl->Connected());
        else if (PropertyAt(*wwGlobalIntl, path).Info->Kind == tkLString)
            EXPECT_EQ(TextAt(*wwGlobalIntl, path), property[1]);
        else if (property[1] == "True" || property[1] == "False")
            EXPECT_EQ(OrdAt(*wwGlobalIntl, path), property[1] == "True");
        else
            EXPECT_EQ(OrdAt(*wwGlobalIntl, path), std::stoll(property[1]));
    }
    EXPECT_EQ(wwGetFilterMemoSize(), 4096);
    EXPECT_TRUE(wwGlobalIntl->DialogFontStyle().Contains(fsItalic));
}

TEST_F(GlobalIntl, CopiesEveryTextOfEveryRecord) {
    // Each text of a local instance made distinct, then connected: a text the copy misses
    // keeps its default in the global instance.
    TwwIntl local(nullptr);
    const auto defaults = test::ReadCases(TestData("defaults.txt"));
    for (const test::TestCase& text : defaults)
        Stream(local, text[0], "<" + text[0] + ">");
    local.SetConnected(true);
    for (const test::TestCase& text : defaults) {
        SCOPED_TRACE(text.Where);
        EXPECT_EQ(TextAt(*wwGlobalIntl, text[0]), "<" + text[0] + ">");
    }
}

TEST(IntlProperties, RejectADialogFontStyleOutsideTheSet) {
    TwwIntl local(nullptr);
    TPropertyAt style = PropertyAt(local, "DialogFontStyle");
    EXPECT_THROW(SetOrdProp(*style.Object, *style.Info, 16), ERangeError);
    EXPECT_THROW(SetOrdProp(*style.Object, *style.Info, -1), ERangeError);
    EXPECT_TRUE(local.DialogFontStyle().Empty());
}

TEST(IntlProperties, RejectAGridCheckBoxStyleBeyondItsValues) {
    TwwIntl local(nullptr);
    TPropertyAt style = PropertyAt(local, "CheckBoxInGridStyle");
    SetOrdProp(*style.Object, *style.Info, cbStyleXmark);
    EXPECT_EQ(local.CheckBoxInGridStyle(), cbStyleXmark);
    for (const int64_t bad : {int64_t{3}, int64_t{7}, int64_t{-1}, int64_t{1} << 40}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(SetOrdProp(*style.Object, *style.Info, bad), ERangeError);
        EXPECT_EQ(GetOrdProp(*style.Object, *style.Info), cbStyleXmark);
    }
}

}  // namespace
}  // namespace vex
