// The open and save dialogs driven by one script twice: injected with no display, and by
// xdotool on an Xvfb display. The open dialog walks a temporary folder tree by keys and takes a
// typed name; the save dialog adds the default extension to the name typed.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/ui/button.h"
#include "platform/ui/customedit.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/form.h"
#include "platform/ui/listbox.h"
#include "platform/ui/screen.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "platform/win/focus.h"
#include "platform/win/toplevel.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A folder tree, and a form whose buttons run the two dialogs on it.
class TScene {
public:
    TScene() {
        for (const char* folder : {"Archive", "Archive/2024", "Inbox"})
            mkdir(FHome.File(folder).c_str(), 0700);
        for (const char* file : {"a.rtf", "Archive/notes.rtf", "Archive/notes.txt"})
            test::WriteWholeFile(FHome.File(file), "");
        FForm->SetCaption("File dialog script");
        FForm->SetBounds(40, 50, 240, 100);
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
        FForm->Show();
        SetActiveWindow(FForm->Handle());
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    static TPoint Middle(TControl& Control) {
        return Control.ClientToScreen(Point(Control.Width() / 2, Control.Height() / 2));
    }
    // The folder's subfolders and files, the name typed and the focus; "closed" when no
    // dialog runs.
    std::string State() const {
        TCustomForm* form = Screen().ActiveForm();
        if (form == nullptr || !form->Modal()) return "closed";
        const auto items = [form](const char* Name) {
            TStrings& strings = dynamic_cast<TListBox*>(form->FindComponent(Name))->Items();
            std::string text;
            for (int32_t i = 0; i < strings.Count(); ++i)
                text += (i == 0 ? "" : " ") + strings.Strings(i);
            return text;
        };
        TWinControl* focused = FindControl(GetFocus());
        return items("FolderList") + " | " + items("FileList") + " | " +
               dynamic_cast<TEdit*>(form->FindComponent("NameEdit"))->Text() + " | " +
               (focused != nullptr ? focused->Name() : "nothing");
    }
    std::string Short(const std::string& Path) const { return Path.substr(FHome.Path().size()); }

    TControl* OpenButton = nullptr;
    TControl* SaveButton = nullptr;
    std::vector<std::string> Record;

private:
    TButton* AddButton(const char* Caption, int32_t Left, std::function<void()> Run) {
        auto* button = new TButton(FForm);
        button->SetBounds(Left, 10, 100, 26);
        button->SetCaption(Caption);
        button->SetParent(FForm);
        button->OnClick = [Run](TObject*) { Run(); };
        return button;
    }

    test::TempDir FHome;
    TForm* FForm = new TForm(nullptr);
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

class FileDialogOnDisplay : public test::OnDisplayTest {
protected:
    // What the display shows, for a person to look at, when VEX_PICTURE_DIR names a folder.
    void SaveScreen(const std::string& Name) {
        const char* dir = std::getenv("VEX_PICTURE_DIR");
        if (dir == nullptr) return;
        test::PumpThroughApplicationFor(std::chrono::milliseconds(300));
        const TRect area = Screen().ActiveForm()->BoundsRect();
        const int32_t width = area.Right - area.Left, height = area.Bottom - area.Top;
        std::vector<uint32_t> pixels = FPeer.Screen(area);
        TBitmap(pixels.data(), width, height, width).SaveToFile(std::string(dir) + "/" + Name);
    }
};

TEST_F(FileDialogOnDisplay, WalkingFoldersAndTypingNamesDoesTheSameOnTheDisplayAsInjected) {
    const auto target = [](const TStep& Step, TScene& S) {
        return TScene::Middle(std::string(Step.Click) == "open" ? *S.OpenButton : *S.SaveButton);
    };
    const std::vector<std::string> injected = test::RunModalSteps<TScene>(
        kScript,
        [&](const TStep& Step, TScene& S) {
            if (Step.Click != nullptr)
                test::ClickAt(target(Step, S));
            else
                test::InjectKeys(Step.Keys);
        },
        50);
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

    PresentOnDisplay();
    const std::string display = FServer.DisplayName();
    const std::vector<std::string> onDisplay = test::RunModalSteps<TScene>(
        kScript,
        [&](const TStep& Step, TScene& S) {
            if (Step.Click != nullptr)
                test::ClickOnDisplay(display, target(Step, S));
            else
                test::TypeOnDisplay(display, Step.Keys);
            if (&Step == &kScript[4]) SaveScreen("filedialog-on-display.png");
        },
        400);
    EXPECT_EQ(onDisplay, injected);
}

}  // namespace
}  // namespace vex
