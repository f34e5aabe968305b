#include "platform/ui/printdialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/checkbox.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/ui/printdialog_testsupport.h"
#include "platform/ui/printer.h"
#include "platform/win/modaldriver.h"

namespace vex {
namespace {

using test::ComboShown;
using test::DialogPart;
using test::NoteFocusAndCancel;
using test::ReadTold;
using test::RunningDialog;
using test::StepCombo;
using test::TapKey;
using test::TypeOver;
using test::UsePrinters;

// The printer, copies and collation as the form shows them.
std::string Shown() {
    return ComboShown("PrinterName") + ", " + DialogPart<TCustomEdit>("Copies").Text() +
           (DialogPart<TCheckBox>("Collate").Checked() ? ", collated" : "");
}

// The printer's choice as the program sees it.
std::string Chosen(const TPrintDialog& Dialog) {
    TPrinter& printer = Printer();
    return printer.Printers()[static_cast<size_t>(printer.PrinterIndex())] + ", " +
           std::to_string(Dialog.Copies()) + "/" + std::to_string(printer.Copies()) +
           (Dialog.Collate() ? ", collated" : "") + (printer.Collate() ? "/collated" : "");
}

class PrintDialog : public testing::Test {
protected:
    PrintDialog() {
        UsePrinters({"PDF", "Office", "Lab"});
        Printer().SetPrinterIndex(2);
        FDialog.SetCopies(5);
        FDialog.SetCollate(true);
    }
    ~PrintDialog() override {
        if (Printer().Printing()) Printer().Abort();
        Printer().SetCopies(1);
        Printer().SetCollate(false);
        UsePrinters({"PDF"});
        test::ReleaseAllKeys();
    }

    TPrintDialog FDialog{nullptr};
};

TEST_F(PrintDialog, StartsAtThePrintersChoiceAndOkSetsTheDialogAndThePrinter) {
    std::string shown;
    TModalScript script;
    script.Then([&] {
        shown = Shown();
        StepCombo("PrinterName", -1);
    });
    script.Then([] { TypeOver("Copies", "12"); });
    script.Then([] {
        RunningDialog().SetActiveControl(&DialogPart<TCheckBox>("Collate"));
        TapKey(VK_SPACE);
    });
    script.Then([] { TapKey(VK_RETURN); });
    ASSERT_TRUE(FDialog.Execute());
    EXPECT_EQ(shown, "Lab, 5, collated");
    EXPECT_EQ(Chosen(FDialog), "Office, 12/12");
}

TEST_F(PrintDialog, CancelChangesNothing) {
    TModalScript script;
    script.Then([] { StepCombo("PrinterName", -2); });
    script.Then([] { TypeOver("Copies", "3"); });
    script.Then([] { TapKey(VK_ESCAPE); });
    EXPECT_FALSE(FDialog.Execute());
    EXPECT_EQ(Chosen(FDialog), "Lab, 5/1, collated");
}

TEST_F(PrintDialog, CopiesAreOneToNineThousandNineHundredNinetyNine) {
    const std::string told = "The number of copies must be from 1 to 9999";
    const struct {
        const char* Typed;
        const char* Refusal;  // nil: taken
        int32_t Copies;
    } cases[] = {
        {"0", told.c_str(), 5},  {"", told.c_str(), 5},    {"1", nullptr, 1},
        {"9999", nullptr, 9999}, {"12345", nullptr, 1234},  // the field takes four digits
        {"7x", nullptr, 7},                                 // and digits only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        FDialog.SetCopies(5);
        std::string message, focused;
        TModalScript script;
        script.Then([&] { TypeOver("Copies", c.Typed); });
        script.Then([] { TapKey(VK_RETURN); });
        if (c.Refusal != nullptr) {
            script.Then(ReadTold(message));
            script.Then(NoteFocusAndCancel(focused));
        }
        EXPECT_EQ(FDialog.Execute(), c.Refusal == nullptr);
        EXPECT_EQ(message, c.Refusal != nullptr ? c.Refusal : "");
        if (c.Refusal != nullptr) {
            EXPECT_EQ(focused, "Copies");
        }
        EXPECT_EQ(FDialog.Copies(), c.Copies);
    }
    FDialog.SetCopies(5);
    for (int32_t wrong : {0, -1, 10000}) {
        EXPECT_THROW(FDialog.SetCopies(wrong), EPrinter) << wrong;
        EXPECT_EQ(FDialog.Copies(), 5);
    }
}

TEST_F(PrintDialog, WithNoPrinterItSaysSoAndAnswersFalse) {
    UsePrinters({});
    std::string told;
    TModalScript script;
    script.Then(ReadTold(told));
    EXPECT_FALSE(FDialog.Execute());
    EXPECT_EQ(told,
              "No printers are installed. Turn the PDF printer on in the settings, or add a "
              "print queue.");
    EXPECT_EQ(FDialog.Copies(), 5);
}

TEST_F(PrintDialog, APromptsLetterWithAltTakesTheFocusToItsPart) {
    const struct {
        int32_t Letter;
        const char* Focused;
        bool Collated;  // the check box's letter also turns it
    } cases[] = {
        {'C', "Copies", true},
        {'O', "Collate", false},
        {'N', "PrinterName", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<char>(c.Letter));
        std::string focused;
        bool collated = false;
        TModalScript script;
        script.Then([&] {
            RunningDialog().SetActiveControl(&DialogPart<TCheckBox>("Collate"));
            test::InjectKeys({VK_MENU, c.Letter});
        });
        script.Then([&] {
            focused = RunningDialog().ActiveControl()->Name();
            collated = DialogPart<TCheckBox>("Collate").Checked();
            TapKey(VK_ESCAPE);
        });
        EXPECT_FALSE(FDialog.Execute());
        EXPECT_EQ(focused, c.Focused);
        EXPECT_EQ(collated, c.Collated);
    }
}

TEST_F(PrintDialog, TheMouseAloneChoosesThePrinterCopiesAndCollation) {
    const auto middle = [](TControl& Part) {
        test::ClickAt(Part, Point(Part.ClientWidth() / 2, Part.ClientHeight() / 2));
    };
    TModalScript script;
    script.Then([&] { middle(DialogPart<TControl>("PrinterName")); });
    script.Then([] {
        TControl* list = FindControl(GetCapture());
        ASSERT_NE(list, nullptr);
        const int32_t row = DialogPart<TCustomComboBox>("PrinterName").ItemHeight();
        test::ClickAt(*list, Point(10, row + row / 2));
    });
    script.Then([] {
        auto& copies = DialogPart<TControl>("Copies");
        test::ClickAt(copies, Point(copies.ClientWidth() - 4, copies.ClientHeight() / 4));
    });
    script.Then([&] { middle(DialogPart<TControl>("Collate")); });
    script.Then([&] { middle(DialogPart<TControl>("OK")); });
    ASSERT_TRUE(FDialog.Execute());
    EXPECT_EQ(Chosen(FDialog), "Office, 6/6");
}

// A CUPS queue may carry the file printer's name: the one chosen is the one the list shows
// there, whether or not the list changed meanwhile.
TEST_F(PrintDialog, OfTwoPrintersOfOneNameTheOneChosenIsTaken) {
    const struct {
        std::vector<std::string> Meanwhile;  // empty: the list stays
        int32_t Taken;
    } cases[] = {
        {{}, 2},
        {{"Lab", "PDF", "Office", "PDF"}, 3},
    };
    for (const auto& c : cases) {
        UsePrinters({"PDF", "Office", "PDF"});
        TModalScript script;
        script.Then([] { StepCombo("PrinterName", 2); });
        script.Then([&] {
            if (!c.Meanwhile.empty()) UsePrinters(c.Meanwhile);
            TapKey(VK_RETURN);
        });
        ASSERT_TRUE(FDialog.Execute());
        EXPECT_EQ(Printer().PrinterIndex(), c.Taken);
    }
}

// The printer refuses another printer while it prints: the user hears why and nothing changes.
TEST_F(PrintDialog, APrinterThatRefusesTheChoiceIsToldAndNothingChanges) {
    Printer().BeginDoc();
    std::string told;
    TModalScript script;
    script.Then([] { StepCombo("PrinterName", -1); });
    script.Then([] { TypeOver("Copies", "2"); });
    script.Then([] { TapKey(VK_RETURN); });
    script.Then(ReadTold(told));
    EXPECT_FALSE(FDialog.Execute());
    EXPECT_FALSE(told.empty());
    EXPECT_EQ(Chosen(FDialog), "Lab, 5/1, collated");
}

TEST_F(PrintDialog, WithNoDisplayAndNoScriptItAnswersCancelAtOnceWithOrWithoutAPrinter) {
    EXPECT_FALSE(FDialog.Execute());
    EXPECT_EQ(Chosen(FDialog), "Lab, 5/1, collated");
    UsePrinters({});
    EXPECT_FALSE(FDialog.Execute());
}

TEST_F(PrintDialog, ADialogFreedByAHandlerWhileItRunsIsNotTouchedAfter) {
    auto* dialog = new TPrintDialog(nullptr);
    TModalScript script;
    script.Then([&] {
        delete dialog;
        TapKey(VK_RETURN);
    });
    EXPECT_FALSE(dialog->Execute());
}

TEST_F(PrintDialog, ShowsAsAPersonWouldSeeIt) {
    TModalScript script;
    script.Then([] { test::LookAtRunningDialog("printdialog.png"); });
    FDialog.Execute();
}

}  // namespace
}  // namespace vex
