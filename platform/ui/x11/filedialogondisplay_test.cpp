// The open and save dialogs driven by one script twice: injected with no display, and by
// xdotool on an Xvfb display. The open dialog walks a temporary folder tree by keys and takes a
// typed name; the save dialog adds the default extension to the name typed.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/ui/customedit.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/form.h"
#include "platform/ui/listbox.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A folder tree, and a form whose buttons run the two dialogs on it.
class TScene : public test::TDialogLauncher {
public:
    TScene() : TDialogLauncher("File dialog script", 240) {
        for (const char* folder : {"Archive", "Archive/2024", "Inbox"})
            mkdir(FHome.File(folder).c_str(), 0700);
        for (const char* file : {"a.rtf", "Archive/notes.rtf", "Archive/notes.txt"})
            test::WriteWholeFile(FHome.File(file), "");
        const std::string filter = "Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT";
        FOpen->SetFilter(filter);
        FOpen->SetInitialDir(FHome.Path());
        FSave->SetFilter(filter);
        FSave->SetDefaultExt("rtf");
        FSave->SetInitialDir(FHome.Path());
        OpenButton = AddButton("Open...", 10, [this] {
            Record.push_back(FOpen->Execute() ? "opened " + Short(FOpen->FileName()) : "cancelled");
        });
        SaveButton = AddButton("Save As...", 120, [this] {
            Record.push_back(FSave->Execute() ? "saved " + Short(FSave->FileName()) : "cancelled");
        });
        Show();
    }

    // The folder's subfolders and files, the name typed and the focus; "closed" when no
    // dialog runs.
    std::string State() const {
        TCustomForm* form = test::RunningModalForm();
        if (form == nullptr) return "closed";
        const auto items = [form](const char* Name) {
            TStrings& strings = dynamic_cast<TListBox*>(form->FindComponent(Name))->Items();
            std::string text;
            for (int32_t i = 0; i < strings.Count(); ++i)
                text += (i == 0 ? "" : " ") + strings.Strings(i);
            return text;
        };
        return items("FolderList") + " | " + items("FileList") + " | " +
               dynamic_cast<TEdit*>(form->FindComponent("NameEdit"))->Text() + " | " +
               test::FocusedName();
    }
    std::string Short(const std::string& Path) const { return Path.substr(FHome.Path().size()); }

    TControl* OpenButton = nullptr;
    TControl* SaveButton = nullptr;

private:
    test::TempDir FHome;
    TOpenDialog* FOpen = new TOpenDialog(FForm);
    TSaveDialog* FSave = new TSaveDialog(FForm);
};

// A step clicks one of the scene's buttons, or types keys.
struct TStep {
    const char* Click;
    std::vector<int32_t> Keys;
};
const std::vector<TStep> kScript = {
    {"open", {}},
    {nullptr, {VK_TAB, VK_TAB, VK_DOWN, VK_DOWN}},
    {nullptr, {VK_RETURN}},
    {nullptr, {VK_BACK}},
    {nullptr, {VK_DOWN, VK_RETURN}},
    {nullptr, {VK_SHIFT, VK_TAB, VK_SHIFT, VK_TAB}},
    {nullptr, {'N', 'O', 'T', 'E', 'S', VK_OEM_PERIOD, 'R', 'T', 'F', VK_RETURN}},
    {"save", {}},
    {nullptr, {'L', 'E', 'T', 'T', 'E', 'R', VK_RETURN}},
};

class FileDialogOnDisplay : public test::OnDisplayTest {};

TEST_F(FileDialogOnDisplay, WalkingFoldersAndTypingNamesDoesTheSameOnTheDisplayAsInjected) {
    const auto deliver = [](const TStep& Step, TScene& S, const test::TScriptInput& Input) {
        if (Step.Click != nullptr)
            Input.Click(
                test::MiddleOf(std::string(Step.Click) == "open" ? *S.OpenButton : *S.SaveButton));
        else
            Input.Keys(Step.Keys);
    };
    const std::vector<std::string> injected = test::RunModalStepsInjected<TScene>(kScript, deliver);
    const std::vector<std::string> expected = {
        ".. Archive Inbox | a.rtf |  | NameEdit",
        ".. Archive Inbox | a.rtf |  | FolderList",
        ".. 2024 | notes.rtf |  | FolderList",
        ".. Archive Inbox | a.rtf |  | FolderList",
        ".. 2024 | notes.rtf |  | FolderList",
        ".. 2024 | notes.rtf |  | NameEdit",
        "opened /Archive/notes.rtf",
        "closed",
        ".. Archive Inbox | a.rtf |  | NameEdit",
        "saved /letter.rtf",
        "closed",
    };
    EXPECT_EQ(injected, expected);

    const std::vector<std::string> onDisplay = RunModalStepsOnDisplay<TScene>(
        kScript, [&](const TStep& Step, TScene& S, const test::TScriptInput& Input) {
            deliver(Step, S, Input);
            if (&Step == &kScript[4]) SaveActiveFormPicture("filedialog-on-display.png");
        });
    EXPECT_EQ(onDisplay, injected);
}

}  // namespace
}  // namespace vex
