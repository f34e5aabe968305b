#include "platform/ui/fontdialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/customedit.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/listbox.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/printerfonts.h"
#include "platform/ui/screen.h"
#include "platform/ui/windowpicture.h"
#include "platform/win/modaldriver.h"
#include "tests/support/idlepump.h"

namespace vex {
namespace {

TCustomForm& Running() {
    TCustomForm* form = Screen().ActiveForm();
    if (form == nullptr || !form->Modal()) throw std::runtime_error("no dialog runs");
    return *form;
}

template <class T>
T& Part(const std::string& Name) {
    auto* part = dynamic_cast<T*>(Running().FindComponent(Name));
    if (part == nullptr) throw std::runtime_error("the dialog has no " + Name);
    return *part;
}

// Puts the keys in Field with its text selected, and types Text over it as a person does.
void TypeInto(const std::string& Field, const std::string& Text) {
    TEdit& edit = Part<TEdit>(Field);
    Running().SetActiveControl(&edit);
    edit.SelectAll();
    for (char c : Text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        test::TapKey(c == ' ' ? VK_SPACE : c);
    }
}

void ClickEntry(const std::string& List, int32_t Index) {
    TListBox& list = Part<TListBox>(List);
    const TRect r = list.ItemRect(Index);
    test::ClickAt(list.ClientToScreen(Point(r.Left + 4, (r.Top + r.Bottom) / 2)));
}

std::vector<std::string> Entries(const std::string& List) {
    std::vector<std::string> entries;
    TStrings& items = Part<TListBox>(List).Items();
    for (int32_t i = 0; i < items.Count(); ++i)
        entries.push_back(items[i]);
    return entries;
}

class FontDialog : public testing::Test {
protected:
    FontDialog() {
        TFont& font = FDialog.Font();
        font.SetName("DejaVu Sans");
        font.SetSize(10);
        font.SetStyle({fsUnderline});
        font.SetColor(clRed);
        font.SetCharset(DEFAULT_CHARSET);
    }
    ~FontDialog() override {
        SetPrinterFontFaces(nullptr);
        test::ReleaseAllKeys();
    }

    void ExpectFontUnchanged() {
        const TFont& font = FDialog.Font();
        EXPECT_EQ(font.Name(), "DejaVu Sans");
        EXPECT_EQ(font.Size(), 10);
        EXPECT_EQ(font.Style(), TFontStyles{fsUnderline});
        EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    }

    TFontDialog FDialog{nullptr};
};

TEST_F(FontDialog, AnswersTheFaceStyleAndSizeChosenWithTheFacesCharacterSet) {
    std::string listed, sample;
    TModalScript script;
    script.Then([] { TypeInto("FaceName", "dejavu serif"); });
    script.Then([&] {
        TListBox& faces = Part<TListBox>("Faces");
        listed = faces.Items()[faces.ItemIndex()];
    });
    script.Then([] { ClickEntry("Styles", 3); });
    script.Then([] { TypeInto("SizeText", "14"); });
    script.Then([&] {
        const TFont& font = Part<TLabel>("Sample").Font();
        sample =
            font.Name() + " " + std::to_string(font.Size()) +
            (font.Style() == TFontStyles{fsBold, fsItalic, fsUnderline} ? " bold italic" : " ?");
        test::TapKey(VK_RETURN);
    });
    ASSERT_TRUE(FDialog.Execute());
    EXPECT_EQ(listed, "DejaVu Serif");
    EXPECT_EQ(sample, "DejaVu Serif 14 bold italic");
    const TFont& font = FDialog.Font();
    EXPECT_EQ(font.Name(), "DejaVu Serif");
    EXPECT_EQ(font.Size(), 14);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic, fsUnderline}));
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(font.Charset(), ANSI_CHARSET);
}

TEST_F(FontDialog, OkRefusesWhatTheListsDoNotHoldAndSaysWhy) {
    FDialog.SetMaxFontSize(36);
    const struct {
        const char* Field;
        const char* Typed;
        const char* Told;
    } cases[] = {
        {"FaceName", "nonesuch",
         "There is no font named \"nonesuch\". Choose a font from the list."},
        {"StyleName", "heavy", "There is no style named \"heavy\". Choose a style from the list."},
        {"SizeText", "48", "Size must be between 1 and 36 points."},
        {"SizeText", "x", "Size must be between 1 and 36 points."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        std::string told, focused;
        TModalScript script;
        script.Then([&] { TypeInto(c.Field, c.Typed); });
        script.Then([] { test::TapKey(VK_RETURN); });
        script.Then([&] {
            told = Part<TLabel>("Message").Caption();
            test::TapKey(VK_RETURN);
        });
        script.Then([&] {
            focused = Running().ActiveControl()->Name();
            test::TapKey(VK_ESCAPE);
        });
        EXPECT_FALSE(FDialog.Execute());
        EXPECT_EQ(told, c.Told);
        EXPECT_EQ(focused, c.Field);
        ExpectFontUnchanged();
    }
}

TEST_F(FontDialog, ListsTheFacesOfTheDevicesAndTheSizesWithinTheLimits) {
    SetPrinterFontFaces([] {
        return std::vector<TFontFace>{{"DejaVu Sans", ANSI_CHARSET, VARIABLE_PITCH, true},
                                      {"Printer Only", ANSI_CHARSET, VARIABLE_PITCH, true}};
    });
    FDialog.SetMinFontSize(10);
    FDialog.SetMaxFontSize(20);
    const struct {
        TFontDialogDevice Device;
        TFontDialogOptions Options;
        bool HasSerif, HasPrinterOnly;
    } cases[] = {{fdScreen, {}, true, false},
                 {fdPrinter, {}, false, true},
                 {fdBoth, {}, true, true},
                 {fdBoth, {fdWysiwyg}, false, false}};
    for (const auto& c : cases) {
        FDialog.SetDevice(c.Device);
        FDialog.SetOptions(c.Options);
        std::vector<std::string> faces, sizes;
        TModalScript script;
        script.Then([&] {
            faces = Entries("Faces");
            sizes = Entries("Sizes");
            test::TapKey(VK_ESCAPE);
        });
        EXPECT_FALSE(FDialog.Execute());
        const auto has = [&](const char* Name) {
            return std::find(faces.begin(), faces.end(), Name) != faces.end();
        };
        EXPECT_TRUE(has("DejaVu Sans"));
        EXPECT_EQ(has("DejaVu Serif"), c.HasSerif) << c.Device;
        EXPECT_EQ(has("Printer Only"), c.HasPrinterOnly) << c.Device;
        EXPECT_EQ(sizes, (std::vector<std::string>{"10", "11", "12", "14", "16", "18", "20"}));
    }
}

// Offered both devices' faces, a face only the printer has answers the printer's character set,
// not the one the font had before.
TEST_F(FontDialog, AFaceOfThePrinterAloneAnswersItsOwnCharacterSet) {
    SetPrinterFontFaces([] {
        return std::vector<TFontFace>{{"Printer Only", EASTEUROPE_CHARSET, VARIABLE_PITCH, true}};
    });
    FDialog.SetDevice(fdBoth);
    TModalScript script;
    script.Then([] { TypeInto("FaceName", "printer only"); });
    script.Then([] { test::TapKey(VK_RETURN); });
    ASSERT_TRUE(FDialog.Execute());
    EXPECT_EQ(FDialog.Font().Name(), "Printer Only");
    EXPECT_EQ(FDialog.Font().Charset(), EASTEUROPE_CHARSET);
}

TEST_F(FontDialog, ADialogFreedByAHandlerWhileItRunsIsNotTouchedAfter) {
    auto* dialog = new TFontDialog(nullptr);
    dialog->Font().SetName("No Such Face");
    TModalScript script;
    script.Then([&] {
        delete dialog;
        test::TapKey(VK_RETURN);
    });
    EXPECT_FALSE(dialog->Execute());
}

TEST_F(FontDialog, WithNoDisplayAndNoScriptItAnswersCancelAtOnce) {
    EXPECT_FALSE(FDialog.Execute());
    ExpectFontUnchanged();
}

TEST_F(FontDialog, ShowsAsAPersonWouldSeeIt) {
    TModalScript script;
    script.Then([] {
        test::PumpUntilIdle();
        TBitmap picture;
        PictureOfWindow(Running().Handle(), picture);
        EXPECT_GT(picture.Width(), 0);
        if (const char* dir = std::getenv("VEX_PICTURE_DIR"))
            SaveWindowPicture(Running().Handle(), std::string(dir) + "/fontdialog.png");
        test::TapKey(VK_ESCAPE);
    });
    FDialog.Execute();
}

}  // namespace
}  // namespace vex
