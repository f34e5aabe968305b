// The folder dialog driven by one script twice: injected with no display, and by xdotool on an
// Xvfb display. A click on a button opens the chooser on the home folder; keys open, close and
// walk the folders, a click selects one and Enter chooses it, the same at either.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "components/misc/BrowseDr.h"
#include "platform/ui/folderbrowserview.h"
#include "platform/ui/form.h"
#include "platform/ui/x11/ondisplay_testsupport.h"
#include "tests/support/scopedenvironment.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A home folder of mail folders, and a form whose button runs the dialog on it.
class TScene : public test::TDialogLauncher {
public:
    TScene() : TDialogLauncher("Folder script", 200) {
        for (const char* name : {"Archive", "Archive/2024", "Archive/2025", "Inbox", "Sent"})
            mkdir(FHome.File(name).c_str(), 0700);
        FDialog->SetRoot(idPersonal);
        FDialog->SetCaption("Pick a mail folder");
        Button = AddButton("Browse...", 10, [this] {
            Record.push_back(FDialog->Execute() ? "chose ~" + Relative(FDialog->Selection())
                                                : "cancelled");
        });
        Show();
    }

    // The middle of the text of the row showing Name.
    static TPoint Row(const std::string& Name) {
        TFolderTreeView* tree = Tree();
        for (size_t i = 0; tree != nullptr && i < tree->Tree().Count(); ++i) {
            if (tree->Tree().Row(i).Name != Name) continue;
            const TRect r = tree->ItemRect(static_cast<int32_t>(i));
            const int32_t x = 2 + tree->Tree().Row(i).Depth * TFolderTreeView::LevelIndent + 40;
            return tree->ClientToScreen(Point(x, (r.Top + r.Bottom) / 2));
        }
        ADD_FAILURE() << "no row " << Name;
        return Point(0, 0);
    }
    // The folders shown below the home folder, open ones marked "-", the selected one in
    // brackets; "closed" when no chooser is open.
    std::string State() const {
        TFolderTreeView* tree = Tree();
        if (tree == nullptr) return "closed";
        std::string text;
        for (size_t i = 1; i < tree->Tree().Count(); ++i) {
            const TFolderTree::TRow& row = tree->Tree().Row(i);
            std::string name = row.Name + (row.Expanded ? "-" : "");
            if (static_cast<int32_t>(i) == tree->ItemIndex()) name = "[" + name + "]";
            text += (text.empty() ? "" : " ") + name;
        }
        return text;
    }
    std::string Relative(const std::string& Path) const { return Path.substr(FHome.Path().size()); }

    TControl* Button;

private:
    static TFolderTreeView* Tree() {
        TCustomForm* form = test::RunningModalForm();
        return form == nullptr ? nullptr
                               : dynamic_cast<TFolderTreeView*>(form->FindComponent("Tree"));
    }

    test::TempDir FHome;
    test::ScopedEnvironment FHomeVariable{"HOME", FHome.Path()};
    TBrowseDirectoryDlg* FDialog = new TBrowseDirectoryDlg(FForm);
};

// A step presses a key, or clicks the button ("button") or a row (its name).
struct TStep {
    int32_t Key;
    const char* Click;
};
const TStep kScript[] = {
    {0, "button"},      {VK_DOWN, nullptr}, {VK_RIGHT, nullptr}, {VK_RIGHT, nullptr},
    {VK_LEFT, nullptr}, {VK_LEFT, nullptr}, {0, "Sent"},         {VK_RETURN, nullptr},
};

class BrowseDrOnDisplay : public test::OnDisplayTest {};

TEST_F(BrowseDrOnDisplay, ChoosingAFolderByKeysAndClicksDoesTheSameOnTheDisplayAsInjected) {
    const auto deliver = [](const TStep& Step, TScene& S, const test::TScriptInput& Input) {
        if (Step.Click == nullptr)
            Input.Keys({Step.Key});
        else if (std::string(Step.Click) == "button")
            Input.Click(test::MiddleOf(*S.Button));
        else
            Input.Click(TScene::Row(Step.Click));
    };
    const std::vector<std::string> injected = test::RunModalStepsInjected<TScene>(kScript, deliver);
    const std::vector<std::string> expected = {
        "Archive Inbox Sent",
        "[Archive] Inbox Sent",
        "[Archive-] 2024 2025 Inbox Sent",
        "Archive- [2024] 2025 Inbox Sent",
        "[Archive-] 2024 2025 Inbox Sent",
        "[Archive] Inbox Sent",
        "Archive Inbox [Sent]",
        "chose ~/Sent/",
        "closed",
    };
    EXPECT_EQ(injected, expected);

    const std::vector<std::string> onDisplay = RunModalStepsOnDisplay<TScene>(kScript, deliver);
    EXPECT_EQ(onDisplay, injected);
}

}  // namespace
}  // namespace vex
