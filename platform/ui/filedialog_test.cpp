#include "platform/ui/filedialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/combobox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/listbox.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/win/focus.h"
#include "platform/win/modaldriver.h"
#include "tests/support/forkedchild.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

constexpr const char* kFilter =
    "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT|All Files|*";

TCustomForm& Dialog() {
    TCustomForm* form = Screen().ActiveForm();
    if (form == nullptr || !form->Modal()) throw std::runtime_error("no file dialog runs");
    return *form;
}

template <class T>
T& Part(const std::string& Name) {
    auto* part = dynamic_cast<T*>(Dialog().FindComponent(Name));
    if (part == nullptr) throw std::runtime_error("the dialog has no " + Name);
    return *part;
}

std::string Items(TStrings& Items) {
    std::string text;
    for (int32_t i = 0; i < Items.Count(); ++i)
        text += (i == 0 ? "" : " ") + Items.Strings(i);
    return text;
}

// Types Text into the name field and presses Enter there.
void EnterName(const std::string& Text) {
    TEdit& edit = Part<TEdit>("NameEdit");
    edit.SetFocus();
    edit.SetText(Text);
    test::TapKey(VK_RETURN);
}

// A home of mail files and folders; the dialogs start in it.
class FileDialog : public testing::Test {
protected:
    FileDialog() {
        for (const char* folder : {"Archive", "Archive/2024", "Inbox", ".cache"})
            mkdir(FDir.File(folder).c_str(), 0700);
        for (const char* file :
             {"a.rtf", "B.RTF", "c.txt", ".hidden.rtf", "Inbox/one.eml", "Inbox/two.txt"})
            test::WriteWholeFile(FDir.File(file), "");
    }
    ~FileDialog() override { test::ReleaseAllKeys(); }

    // Where the dialog is and what it shows: the folder, the folder list, the file list, the
    // name field, the focus and the status line.
    std::string State() const {
        TWinControl* focused = FindControl(GetFocus());
        return Short(Part<TLabel>("FolderPath").Caption()) + " | " +
               Items(Part<TListBox>("FolderList").Items()) + " | " +
               Items(Part<TListBox>("FileList").Items()) + " | " + Part<TEdit>("NameEdit").Text() +
               " | " + (focused != nullptr ? focused->Name() : "nothing") + " | " +
               Part<TLabel>("Status").Caption();
    }
    // A path with the home written "~"; the folder's path may show only its end, from the
    // home's own name on.
    std::string Short(const std::string& Path) const {
        const std::string home = FDir.Path().substr(FDir.Path().rfind('/'));
        const size_t at = Path.find(home);
        return at == std::string::npos ? Path : "~" + Path.substr(at + home.size());
    }

    test::TempDir FDir;
};

TEST_F(FileDialog, OpenWalksTheFoldersByKeysAndClicksAndAnswersTheTypedName) {
    struct TStep {
        const char* Name;
        std::function<void()> Act;
        const char* State;
    };
    const std::vector<TStep> steps = {
        {"at first", [] {}, "~ | .. Archive Inbox | a.rtf B.RTF |  | NameEdit | "},
        {"tab and down pick a file", [] { test::TapKey(VK_TAB), test::TapKey(VK_DOWN); },
         "~ | .. Archive Inbox | a.rtf B.RTF | a.rtf | FileList | "},
        {"enter in the folder list opens the folder selected",
         [] {
             test::TapKey(VK_TAB), test::TapKey(VK_DOWN), test::TapKey(VK_DOWN),
                 test::TapKey(VK_RETURN);
         },
         "~/Archive | .. 2024 |  | a.rtf | FolderList | "},
        {"backspace goes up", [] { test::TapKey(VK_BACK); },
         "~ | .. Archive Inbox | a.rtf B.RTF | a.rtf | FolderList | "},
        {"a double click opens a folder",
         [] {
             TListBox& list = Part<TListBox>("FolderList");
             const TRect row = list.ItemRect(2);
             const TPoint at = list.ClientToScreen(Point(10, (row.Top + row.Bottom) / 2));
             test::ClickAt(at), test::ClickAt(at);
         },
         "~/Inbox | .. |  | a.rtf | FolderList | "},
        {"the other filter", [] { test::TapKey(VK_TAB), test::TapKey(VK_DOWN); },
         "~/Inbox | .. | two.txt | a.rtf | FilterCombo | "},
        {"a typed pattern filters", [] { EnterName("*.EML"); },
         "~/Inbox | .. | one.eml | *.EML | NameEdit | "},
        {"a typed path with a pattern goes there", [] { EnterName("../*"); },
         "~ | .. Archive Inbox | a.rtf B.RTF c.txt | * | NameEdit | "},
        {"hidden files when the pattern asks", [] { EnterName(".*"); },
         "~ | .. Archive Inbox | .hidden.rtf | .* | NameEdit | "},
        {"a typed hidden folder is entered", [] { EnterName(".cache"); },
         "~/.cache | .. |  |  | NameEdit | "},
        {"a name not there is refused", [] { EnterName("../d.rtf"); },
         "~/.cache | .. |  | ../d.rtf | NameEdit | The file d.rtf was not found."},
    };
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(kFilter);
    dialog.SetInitialDir(FDir.Path());
    std::vector<std::string> seen;
    TModalScript script;
    for (const TStep& step : steps) {
        script.Then(step.Act);
        script.Then([&] { seen.push_back(State()); });
    }
    script.Then([] { EnterName("../B.rtf"); });  // there as B.RTF only
    script.Then([] { EnterName("../Inbox/two.txt"); });
    EXPECT_TRUE(dialog.Execute());
    ASSERT_EQ(seen.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(seen[i], steps[i].State) << steps[i].Name;
    EXPECT_EQ(Short(dialog.FileName()), "~/Inbox/two.txt");
    EXPECT_EQ(dialog.FilterIndex(), 2);
}

TEST_F(FileDialog, SaveAddsTheExtensionOfTheFilterOrTheDefault) {
    const struct {
        int32_t FilterIndex;
        const char* Typed;
        const char* FileName;
        int32_t FilterIndexAfter;
    } cases[] = {
        {1, "letter", "~/letter.rtf", 1},       {2, "letter", "~/letter.txt", 2},
        {3, "letter", "~/letter.rtf", 3},       {0, "letter", "~/letter.rtf", 1},
        {9, "letter.doc", "~/letter.doc", 1},   {1, "a.rtf", "~/a.rtf", 1},
        {1, "Inbox/new", "~/Inbox/new.rtf", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed + std::string(" ") + std::to_string(c.FilterIndex));
        TSaveDialog dialog(nullptr);
        dialog.SetFilter(kFilter);
        dialog.SetDefaultExt(".rtf");
        dialog.SetFilterIndex(c.FilterIndex);
        dialog.SetInitialDir(FDir.Path());
        TModalScript script;
        std::string caption;
        script.Then([&] { caption = Dialog().Caption(), EnterName(c.Typed); });
        EXPECT_TRUE(dialog.Execute());
        EXPECT_EQ(caption, "Save As");
        EXPECT_EQ(Short(dialog.FileName()), c.FileName);
        EXPECT_EQ(dialog.FilterIndex(), c.FilterIndexAfter);
    }
}

TEST_F(FileDialog, StartsWhereFileNameIsAndCancelChangesNothing) {
    const struct {
        std::string FileName;
        std::string InitialDir;
        const char* State;
    } cases[] = {
        {FDir.File("Inbox/one.eml"), "/", "~/Inbox | .. | one.eml two.txt | one.eml | NameEdit | "},
        {FDir.File("Archive"), "/", "~/Archive | .. 2024 |  |  | NameEdit | "},
        {"b.rtf", FDir.File("Inbox"), "~/Inbox | .. | one.eml two.txt | b.rtf | NameEdit | "},
        {FDir.File("Gone/x.rtf"), FDir.File("Archive"),
         "~/Archive | .. 2024 |  | x.rtf | NameEdit | "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.FileName);
        TOpenDialog dialog(nullptr);
        dialog.SetTitle("Load rules");
        dialog.SetFileName(c.FileName);
        dialog.SetInitialDir(c.InitialDir);
        dialog.SetFilterIndex(7);
        std::string state;
        {
            TModalScript script;
            script.Then([&] {
                state = Dialog().Caption() + ": " + State();
                test::TapKey(VK_ESCAPE);
            });
            EXPECT_FALSE(dialog.Execute());
        }
        EXPECT_EQ(state, std::string("Load rules: ") + c.State);
        EXPECT_EQ(dialog.FileName(), c.FileName);
        EXPECT_EQ(dialog.FilterIndex(), 7);
        // Nobody could answer without a display and a script.
        EXPECT_FALSE(dialog.Execute());
    }
}

TEST_F(FileDialog, ADialogFreedByAHandlerWhileItRunsIsNotTouchedAfter) {
    auto* dialog = new TOpenDialog(nullptr);
    dialog->SetInitialDir(FDir.Path());
    TModalScript script;
    script.Then([&] {
        delete dialog;
        EnterName("a.rtf");
    });
    EXPECT_FALSE(dialog->Execute());
}

TEST_F(FileDialog, AFileWhoseNameHoldsAWildcardIsTakenFromTheListAsItIs) {
    test::WriteWholeFile(FDir.File("Inbox/what?.eml"), "");
    TOpenDialog dialog(nullptr);
    dialog.SetInitialDir(FDir.File("Inbox"));
    TModalScript script;
    script.Then([] {
        for (int32_t key : {VK_TAB, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
            test::TapKey(key);
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(Short(dialog.FileName()), "~/Inbox/what?.eml");
}

TEST_F(FileDialog, TabGoesRoundTheNameTheListsTheFilterAndTheButtons) {
    TOpenDialog dialog(nullptr);
    dialog.SetFilter(kFilter);
    dialog.SetInitialDir(FDir.Path());
    std::vector<std::string> focus;
    TModalScript script;
    for (int i = 0; i < 7; ++i)
        script.Then([&] {
            focus.push_back(FindControl(GetFocus())->Name());
            test::TapKey(VK_TAB);
        });
    script.Then([] { test::TapKey(VK_ESCAPE); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(focus, (std::vector<std::string>{"NameEdit", "FileList", "FolderList", "FilterCombo",
                                               "OK", "Cancel", "NameEdit"}));
}

TEST_F(FileDialog, AFolderThatMayNotBeReadIsShownWithWhy) {
    chmod(FDir.Path().c_str(), 0755);
    mkdir(FDir.File("locked").c_str(), 0700);
    chmod(FDir.File("locked").c_str(), 0);
    const test::ForkedResult seen =
        test::InForkedChild([&] { return test::BecomeOrdinaryUser(FDir.Path()); },
                            [&] {
                                TSaveDialog dialog(nullptr);
                                dialog.SetInitialDir(FDir.Path());
                                std::string state;
                                TModalScript script;
                                script.Then([&] { EnterName("locked"); });
                                script.Then([&] { state = State(), test::TapKey(VK_ESCAPE); });
                                dialog.Execute();
                                return state;
                            });
    chmod(FDir.File("locked").c_str(), 0700);
    if (!seen.NotRun.empty()) GTEST_SKIP() << seen.NotRun;
    EXPECT_EQ(seen.Text,
              "~/locked | .. |  |  | NameEdit | This folder cannot be read: Permission denied.");
}

}  // namespace
}  // namespace vex
