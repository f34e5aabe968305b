#include "components/misc/BrowseDr.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/shell/scriptedfolderbrowser.h"
#include "platform/shell/specialfolders.h"
#include "platform/ui/form.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowtree.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// A dialog on a form, run by a scripted chooser over a temporary tree: mail, mail/old, a file.
class BrowseDirectoryDlg : public testing::Test {
protected:
    BrowseDirectoryDlg() {
        mkdir(FDir.File("mail").c_str(), 0700);
        mkdir(FDir.File("mail/old").c_str(), 0700);
        test::WriteWholeFile(FDir.File("notes"), "");
    }
    ~BrowseDirectoryDlg() override { delete FForm; }

    std::string At(const std::string& Name) const { return FDir.File(Name); }
    // The chooser's log, paths relative to the temporary tree.
    std::string Log() const { return FChooser.LogLine(FDir.Path()); }

    test::TempDir FDir;
    TScriptedFolderBrowser FChooser;
    TFolderBrowserOverride FOverride{FChooser};
    TForm* FForm = new TForm(nullptr);
    TBrowseDirectoryDlg* FDialog = new TBrowseDirectoryDlg(FForm);
};

TEST_F(BrowseDirectoryDlg, AnExistingFolderIsSelectedWithATrailingSlash) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {At("mail"), At("mail/")},
        {At("mail/"), At("mail/")},
        {At("missing"), At("missing")},
        {At("notes"), At("notes")},
        {"/", "/"},
    };
    for (const auto& [value, kept] : cases) {
        FDialog->SetSelection(value);
        EXPECT_EQ(FDialog->Selection(), kept) << value;
    }
}

TEST_F(BrowseDirectoryDlg, ExecuteAnswersTheChosenFolderAndNothingOnCancel) {
    FChooser.Select(At("mail/old")).PressOK();
    EXPECT_TRUE(FDialog->Execute());
    EXPECT_EQ(FDialog->Selection(), At("mail/old/"));
    EXPECT_EQ(FDialog->ImageIndex(), -1);

    FChooser.PressCancel();
    EXPECT_FALSE(FDialog->Execute());
    EXPECT_EQ(FDialog->Selection(), "");
}

TEST_F(BrowseDirectoryDlg, TheChooserIsAskedForTheRootTitleFlagsAndOwner) {
    struct TCase {
        TRootID Root;
        std::string Expected;  // "": no chooser runs
    };
    const std::vector<TCase> cases = {
        {idDesktop, "/"},         {idDrives, "/"},
        {idDesktopExpanded, "/"}, {idPersonal, SpecialFolderPath(CSIDL_PERSONAL).value_or("")},
        {idPrinters, ""},         {idRecycleBin, ""},
    };
    FDialog->SetTitle("Select starting drive/folder");
    FDialog->SetOptions({bfDirectoriesOnly, bfIncludeFiles});
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Root);
        const int runs = FChooser.Runs();
        FDialog->SetSelection(At("mail"));
        FDialog->SetRoot(c.Root);
        EXPECT_FALSE(FDialog->Execute());
        EXPECT_EQ(FDialog->Selection(), "");
        EXPECT_EQ(FChooser.Runs(), runs + (c.Expected.empty() ? 0 : 1));
        if (c.Expected.empty()) continue;
        EXPECT_EQ(FChooser.LastRoot(), c.Expected);
        EXPECT_EQ(FChooser.LastTitle(), "Select starting drive/folder");
        EXPECT_EQ(FChooser.LastFlags(), 0x4001u);
        EXPECT_EQ(FChooser.LastOwner(), FForm->Handle());
    }
    FDialog->SetStatusText("Looking");
    FDialog->SetRoot(idDesktop);
    FDialog->Execute();
    EXPECT_EQ(FChooser.LastFlags(), 0x4005u);
}

TEST_F(BrowseDirectoryDlg, TheOpenedChooserIsSetUpInOrder) {
    FDialog->SetStatusText("Looking for mail");
    FDialog->SetEnableOKButton(false);
    FDialog->SetSelection(At("mail"));
    FDialog->SetCaption("Mail folders");
    std::string captionSeen;
    TRect frame;
    FDialog->OnCreate = [&](TObject* Sender) {
        EXPECT_EQ(Sender, FDialog);
        captionSeen = FDialog->Caption();
        GetWindowRect(FDialog->Handle(), frame);
    };
    FChooser.PressCancel();
    FDialog->Execute();
    EXPECT_EQ(Log(),
              "initialized; enable 0; status Looking for mail; select ~/mail; "
              "selchanged ~/mail; cancel");
    EXPECT_EQ(captionSeen, "Mail folders");
    EXPECT_EQ(FChooser.LastCaption(), "Mail folders");
    EXPECT_EQ(frame.Left, (GetSystemMetrics(SM_CXSCREEN) - (frame.Right - frame.Left)) / 2);
    EXPECT_EQ(frame.Top, (GetSystemMetrics(SM_CYSCREEN) - (frame.Bottom - frame.Top)) / 2);
    EXPECT_EQ(FDialog->Handle(), HWND{0});
}

TEST_F(BrowseDirectoryDlg, WhatIsSetWhileTheChooserIsOpenGoesToIt) {
    FChooser
        .Then([&](TFolderBrowserWindow&) {
            FDialog->SetStatusText("Pick one");
            FDialog->SetEnableOKButton(false);
            FDialog->SetEnableOKButton(true);
            FDialog->SetSelection(At("mail/old"));
            FDialog->SetCaption("Now");
            EXPECT_EQ(FDialog->Caption(), "Now");
        })
        .PressOK();
    EXPECT_TRUE(FDialog->Execute());
    EXPECT_EQ(Log(),
              "initialized; enable 1; status Pick one; enable 0; enable 1; "
              "select ~/mail/old; selchanged ~/mail/old; ok ~/mail/old");
    EXPECT_EQ(FChooser.LastCaption(), "Now");
    // Closed, the setters keep their values only.
    FDialog->SetStatusText("Later");
    EXPECT_EQ(FDialog->Caption(), "Now");
}

TEST_F(BrowseDirectoryDlg, TheSelectionCanFollowInTheStatusLineFittedToItsWidth) {
    const std::string folder = At("mail/old");
    FChooser.SetStatusMetrics(static_cast<int32_t>(folder.size()) - 1, 1);
    std::vector<std::string> changes;
    FDialog->OnSelChanged = [&](TObject*, const std::string& NewSel) { changes.push_back(NewSel); };
    FDialog->SetShowSelectionInStatus(true);
    FChooser.Select(At("mail")).Select(folder).PressOK();
    EXPECT_TRUE(FDialog->Execute());
    EXPECT_EQ(changes, (std::vector<std::string>{At("mail"), folder}));
    EXPECT_EQ(FChooser.StatusText(), "/.../mail/old");
    EXPECT_EQ(FDialog->StatusText(), folder);

    // Unfitted, the text goes as it is.
    FDialog->SetFitStatusText(false);
    FChooser.Select(At("mail")).Select(folder).PressOK();
    FDialog->Execute();
    EXPECT_EQ(FChooser.StatusText(), folder);
}

TEST_F(BrowseDirectoryDlg, AFailingHandlerEndsTheRunAndLeavesTheDialogClosed) {
    FDialog->OnCreate = [](TObject*) { throw std::runtime_error("no"); };
    FDialog->SetCaption("Stored");
    FChooser.PressOK();
    EXPECT_THROW(FDialog->Execute(), std::runtime_error);
    EXPECT_EQ(FDialog->Caption(), "Stored");
    FDialog->SetStatusText("closed");  // must not reach the gone chooser
    EXPECT_EQ(FChooser.StatusText(), "");
}

}  // namespace
}  // namespace vex
