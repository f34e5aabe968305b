#include "platform/shell/scriptedfolderbrowser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win/windowtree.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A root with two folders, one below the other, beside a file.
class ScriptedFolderBrowser : public testing::Test {
protected:
    void SetUp() override {
        mkdir(FRoot.File("mail").c_str(), 0700);
        mkdir(FRoot.File("mail/old").c_str(), 0700);
        test::WriteWholeFile(FRoot.File("notes"), "");
    }
    std::string At(const std::string& Name) const { return FRoot.File(Name); }
    std::string Log() const { return FBrowser.LogLine(FRoot.Path()); }

    test::TempDir FRoot;
    TScriptedFolderBrowser FBrowser;
    TFolderBrowseParams FParams{0, FRoot.Path(), "Pick", BIF_STATUSTEXT, nullptr, nullptr};
};

TEST_F(ScriptedFolderBrowser, PlaysTheUsersMovesAndAnswersAsTheChooserWould) {
    struct TCase {
        std::function<void(TScriptedFolderBrowser&)> Script;
        std::optional<std::string> Answer;  // relative to the root
        const char* Log;
    };
    const std::vector<TCase> cases = {
        {[&](auto& B) { B.Select(At("mail/old")).PressOK(); }, "/mail/old",
         "initialized; selchanged ~/mail/old; ok ~/mail/old"},
        {[&](auto& B) { B.Select(At("mail")).PressCancel(); }, std::nullopt,
         "initialized; selchanged ~/mail; cancel"},
        // A file, a missing folder and a folder outside the root cannot be selected.
        {[&](auto& B) { B.Select(At("notes")).Select(At("gone")).Select("/tmp").PressOK(); }, "",
         "initialized; ignored ~/notes; ignored ~/gone; ignored /tmp; ok ~"},
        // Moves that end before OK or Cancel close the chooser.
        {[&](auto& B) { B.Select(At("mail")); }, std::nullopt,
         "initialized; selchanged ~/mail; cancel"},
        // OK does nothing while disabled.
        {[&](auto& B) {
             B.Then([](TFolderBrowserWindow& W) { W.EnableOK(false); }).PressOK().PressCancel();
         },
         std::nullopt, "initialized; enable 0; ok refused; cancel"},
        // A command selects as the user does; selecting the selected folder again is no change.
        {[&](auto& B) {
             B.Then([&](TFolderBrowserWindow& W) { W.SetSelection(At("mail/")); })
                 .Select(At("mail"))
                 .PressOK();
         },
         "/mail", "initialized; select ~/mail/; selchanged ~/mail; ok ~/mail"},
    };
    for (const TCase& c : cases) {
        FBrowser.ClearLog();
        c.Script(FBrowser);
        const std::optional<std::string> answer = FBrowser.Browse(FParams);
        SCOPED_TRACE(c.Log);
        EXPECT_EQ(answer, c.Answer ? std::optional(FRoot.Path() + *c.Answer) : std::nullopt);
        EXPECT_EQ(Log(), c.Log);
    }
}

TEST_F(ScriptedFolderBrowser, CallbacksComeInOrderAndSeeTheCommandsTheySent) {
    std::vector<std::string> seen;
    FParams.OnInitialized = [&](TFolderBrowserWindow& W) {
        seen.push_back("initialized");
        W.SetStatusText("ready");
        SetWindowText(W.Handle(), "Choose a mail folder");
        W.SetSelection(At("mail"));
    };
    FParams.OnSelChanged = [&](TFolderBrowserWindow& W, const std::string& Path) {
        seen.push_back("selchanged " + Path.substr(FRoot.Path().size()));
        W.SetStatusText(Path);
        W.EnableOK(Path.ends_with("old"));
    };
    FBrowser.Select(At("mail/old")).PressOK();
    EXPECT_EQ(FBrowser.Browse(FParams), At("mail/old"));
    EXPECT_EQ(seen, (std::vector<std::string>{"initialized", "selchanged /mail",
                                              "selchanged /mail/old"}));
    EXPECT_EQ(FBrowser.StatusText(), At("mail/old"));
    EXPECT_TRUE(FBrowser.OKEnabled());
    EXPECT_EQ(FBrowser.LastCaption(), "Choose a mail folder");
    EXPECT_EQ(FBrowser.LastTitle(), "Pick");
    EXPECT_EQ(FBrowser.LastFlags(), BIF_STATUSTEXT);
}

TEST_F(ScriptedFolderBrowser, AnOverrideIsInForceOverTheInstalledChooserWhileItLives) {
    TScriptedFolderBrowser installed;
    TFolderBrowser* before = InstalledFolderBrowser();
    SetFolderBrowser(&installed);
    {
        TFolderBrowserOverride over(FBrowser);
        EXPECT_EQ(FolderBrowser(), &FBrowser);
        EXPECT_EQ(InstalledFolderBrowser(), &installed);
    }
    EXPECT_EQ(FolderBrowser(), &installed);
    SetFolderBrowser(before);
}

}  // namespace
}  // namespace vex
