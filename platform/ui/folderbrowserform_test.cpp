#include "platform/ui/folderbrowserform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/fixedfont.h"
#include "platform/gfx/font.h"
#include "platform/ui/button.h"
#include "platform/ui/folderbrowserview.h"
#include "platform/ui/form.h"
#include "platform/ui/input_testsupport.h"
#include "platform/ui/label.h"
#include "platform/ui/menu_testsupport.h"
#include "platform/ui/referencepicture_testsupport.h"
#include "platform/ui/screen.h"
#include "platform/win/modaldriver.h"
#include "tests/support/idlepump.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A chooser in the built-in fixed font over a temporary tree of mail folders.
class FolderBrowserForm : public testing::Test {
protected:
    FolderBrowserForm() {
        for (const char* name :
             {"Archive", "Archive/2024", "Archive/2025", "Inbox", ".cache", "Sent"})
            mkdir(FDir.File(name).c_str(), 0700);
        test::WriteWholeFile(FDir.File("notes.txt"), "");
        TFont font;
        font.SetName(FixedFontName);
        font.SetHeight(-12);
        FChooser.SetFont(font);
        FParams.Root = FDir.Path();
        FParams.Title = "Where should the mail go?";
        FParams.Flags = BIF_STATUSTEXT;
        FParams.OnSelChanged = [this](TFolderBrowserWindow& W, const std::string& Path) {
            FLog.push_back("selchanged " + Relative(Path));
            W.SetStatusText(Relative(Path));
        };
    }
    ~FolderBrowserForm() override { test::ReleaseAllKeys(); }

    std::string Relative(const std::string& Path) const {
        return Path == FDir.Path() ? "~" : "~" + Path.substr(FDir.Path().size());
    }
    static TCustomForm& Dialog() {
        TCustomForm* form = Screen().ActiveForm();
        if (form == nullptr || !form->Modal()) throw std::runtime_error("no chooser runs");
        return *form;
    }
    template <class T>
    static T& Part(const std::string& Name) {
        return dynamic_cast<T&>(*Dialog().FindComponent(Name));
    }
    static TFolderTreeView& Tree() { return Part<TFolderTreeView>("Tree"); }
    // The middle of the row showing Name, or of its box, on the screen.
    static TPoint RowPoint(const std::string& Name, bool Box) {
        TFolderTreeView& tree = Tree();
        for (size_t i = 0; i < tree.Tree().Count(); ++i) {
            const TFolderTree::TRow& row = tree.Tree().Row(i);
            if (row.Name != Name) continue;
            const TRect r = tree.ItemRect(static_cast<int32_t>(i));
            const int32_t level = 2 + row.Depth * TFolderTreeView::LevelIndent;
            const int32_t x = Box ? level + 4 : level + 40;
            return tree.ClientToScreen(Point(x, (r.Top + r.Bottom) / 2));
        }
        throw std::runtime_error("no row " + Name);
    }
    // The rows shown, open ones marked "-", the selected one in brackets.
    static std::string Shown() {
        TFolderTreeView& tree = Tree();
        std::string text;
        for (size_t i = 1; i < tree.Tree().Count(); ++i) {
            const TFolderTree::TRow& row = tree.Tree().Row(i);
            std::string name = row.Name + (row.Expanded ? "-" : "");
            if (static_cast<int32_t>(i) == tree.ItemIndex()) name = "[" + name + "]";
            text += (text.empty() ? "" : " ") + name;
        }
        return text;
    }

    test::TempDir FDir;
    TFolderBrowserForm FChooser;
    TFolderBrowseParams FParams;
    std::vector<std::string> FLog;
};

TEST_F(FolderBrowserForm, KeysAndClicksOpenCloseAndSelectFolders) {
    struct TStep {
        const char* Name;
        std::function<void()> Act;
        const char* Shown;
    };
    const std::vector<TStep> steps = {
        {"down selects the first folder", [] { test::TapKey(VK_DOWN); }, "[Archive] Inbox Sent"},
        {"right opens it", [] { test::TapKey(VK_RIGHT); }, "[Archive-] 2024 2025 Inbox Sent"},
        {"right again goes in", [] { test::TapKey(VK_RIGHT); }, "Archive- [2024] 2025 Inbox Sent"},
        {"left goes up", [] { test::TapKey(VK_LEFT); }, "[Archive-] 2024 2025 Inbox Sent"},
        {"left closes", [] { test::TapKey(VK_LEFT); }, "[Archive] Inbox Sent"},
        {"keypad plus opens", [] { test::TapKey(VK_ADD); }, "[Archive-] 2024 2025 Inbox Sent"},
        {"keypad minus closes", [] { test::TapKey(VK_SUBTRACT); }, "[Archive] Inbox Sent"},
        {"a click on the box opens", [] { test::ClickAt(RowPoint("Archive", true)); },
         "[Archive-] 2024 2025 Inbox Sent"},
        {"a click on a row selects", [] { test::ClickAt(RowPoint("2025", false)); },
         "Archive- 2024 [2025] Inbox Sent"},
        {"closing above the selection takes it up",
         [] { test::ClickAt(RowPoint("Archive", true)); }, "[Archive] Inbox Sent"},
        {"a typed letter jumps", [] { test::TapKey('S'); }, "Archive Inbox [Sent]"},
    };
    std::vector<std::string> shown;
    TModalScript script;
    for (const TStep& step : steps) {
        script.Then(step.Act);
        script.Then([&] { shown.push_back(Shown()); });
    }
    script.Then([] { test::TapKey(VK_RETURN); });
    EXPECT_EQ(FChooser.Browse(FParams), FDir.File("Sent"));
    ASSERT_EQ(shown.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(shown[i], steps[i].Shown) << steps[i].Name;
    EXPECT_EQ(FLog, (std::vector<std::string>{"selchanged ~/Archive", "selchanged ~/Archive/2024",
                                              "selchanged ~/Archive", "selchanged ~/Archive/2025",
                                              "selchanged ~/Archive", "selchanged ~/Sent"}));
}

TEST_F(FolderBrowserForm, TheCommandsReachTheDialogAndCancelAnswersNothing) {
    bool okEnabled = true;
    std::string status;
    FParams.OnInitialized = [&](TFolderBrowserWindow& W) {
        W.EnableOK(false);
        W.SetSelection(FDir.File("Archive/2025/"));
        W.SetSelection(FDir.File(".cache"));  // hidden: not shown, so not selectable
        W.SetSelection("/");                  // outside the root
    };
    TModalScript script;
    script.Then([&] {
        okEnabled = Part<TButton>("OK").Enabled();
        status = Part<TLabel>("Status").Caption();
        test::TapKey(VK_RETURN);  // OK is disabled: nothing happens
    });
    script.Then([] { test::ClickAt(Part<TButton>("Cancel").ClientToScreen(Point(5, 5))); });
    EXPECT_EQ(FChooser.Browse(FParams), std::nullopt);
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(status, "~/Archive/2025");
    EXPECT_EQ(FLog, std::vector<std::string>{"selchanged ~/Archive/2025"});
}

TEST_F(FolderBrowserForm, AnUnusableRootIsAnErrorAndAFailingSetUpEndsTheRun) {
    FParams.Root = FDir.File("notes.txt");
    EXPECT_THROW(FChooser.Browse(FParams), Exception);
    FParams.Root = FDir.Path();
    FParams.OnInitialized = [](TFolderBrowserWindow&) { throw Exception("set-up failed"); };
    EXPECT_THROW(FChooser.Browse(FParams), Exception);
    EXPECT_TRUE(Screen().ActiveForm() == nullptr || !Screen().ActiveForm()->Modal());
}

TEST_F(FolderBrowserForm, LooksLikeAFolderChooser) {
    FParams.OnInitialized = [&](TFolderBrowserWindow& W) {
        W.SetSelection(FDir.File("Archive/2024"));
        W.SetStatusText("Mail goes to the folder chosen");
    };
    TModalScript script;
    script.Then([&] {
        test::PumpUntilIdle();
        TBitmap picture;
        PictureOfWindow(Dialog().Handle(), picture);
        EXPECT_TRUE(test::MatchesReferencePicture(picture, VEX_TEST_DIR "/testdata/pictures",
                                                  "folderbrowser"));
        test::TapKey(VK_ESCAPE);
    });
    FChooser.Browse(FParams);
}

}  // namespace
}  // namespace vex
