#include "components/misc/UPTSysFolderDlg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/shell/scriptedfolderbrowser.h"
#include "platform/ui/form.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class PTSysFolderDlg : public testing::Test {
protected:
    PTSysFolderDlg() {
        mkdir(FDir.File("mail").c_str(), 0700);
        mkdir(FDir.File("news").c_str(), 0700);
        FDialog->SetName("FolderDlg");
        FDialog->OnInitialized = [this](TPTSysFolderDlg* Sender, HWND Wnd) {
            EXPECT_EQ(Sender, FDialog);
            EXPECT_NE(Wnd, HWND{0});
            FEvents.push_back("initialized");
        };
        FDialog->OnSelChanged = [this](TPTSysFolderDlg*, HWND Wnd, const std::string& Item) {
            EXPECT_EQ(Wnd, FDialog->Handle());
            FEvents.push_back("selchanged " + Item.substr(FDir.Path().size()));
        };
    }
    ~PTSysFolderDlg() override { delete FForm; }

    std::string At(const std::string& Name) const { return FDir.File(Name); }

    test::TempDir FDir;
    TScriptedFolderBrowser FChooser;
    TFolderBrowserOverride FOverride{FChooser};
    TForm* FForm = new TForm(nullptr);
    TPTSysFolderDlg* FDialog = new TPTSysFolderDlg(FForm);
    std::vector<std::string> FEvents;
};

TEST_F(PTSysFolderDlg, TheChosenItemIsHeldAndPreselectedNextTime) {
    FChooser.Select(At("mail")).PressOK();
    EXPECT_TRUE(FDialog->Execute());
    EXPECT_EQ(FDialog->Selection(), At("mail"));
    EXPECT_EQ(FChooser.LastRoot(), "/");
    EXPECT_EQ(FChooser.LastOwner(), FForm->Handle());

    FChooser.Select(At("news")).PressCancel();
    EXPECT_FALSE(FDialog->Execute());
    EXPECT_EQ(FDialog->Selection(), "");
    EXPECT_EQ(FEvents, (std::vector<std::string>{"initialized", "selchanged /mail", "initialized",
                                                 "selchanged /mail", "selchanged /news"}));
    EXPECT_EQ(FDialog->Handle(), HWND{0});
}

TEST_F(PTSysFolderDlg, OptionsBecomeTheChoosersFlags) {
    struct TCase {
        TPTSysFolderDlgOptions Options;
        uint32_t Flags;
    };
    const std::vector<TCase> cases = {
        {{}, 0},
        {{fdoReturnOnlyFSDirs}, 0x1},
        {{fdoStatusText, fdoDontGoBelowDomain}, 0x6},
        {{fdoComputers, fdoPrinters, fdoReturnFSAncestors}, 0x3008},
    };
    for (const TCase& c : cases) {
        FDialog->SetOptions(c.Options);
        FChooser.PressCancel();
        FDialog->Execute();
        EXPECT_EQ(FChooser.LastFlags(), c.Flags);
    }
}

TEST_F(PTSysFolderDlg, ADomainWithNoPlaceHereRunsNoChooser) {
    for (TCSIDL domain : {csidlNone, csidlPrinters, csidlBitBucket, csidlAppData}) {
        FDialog->SetDomain(domain);
        EXPECT_FALSE(FDialog->Execute());
    }
    EXPECT_EQ(FChooser.Runs(), 0);
}

TEST_F(PTSysFolderDlg, CommandsAreRefusedOutsideExecuteAndARunCannotNest) {
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { FDialog->SetOkEnabled(false); },
         "FolderDlg: SetOkEnabled assignment only valid during Execute"},
        {[&] { FDialog->SetStatusText("x"); },
         "FolderDlg: Status text assignment only valid during Execute"},
    };
    for (const auto& [command, message] : cases) {
        try {
            command();
            ADD_FAILURE() << "no exception: " << message;
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), message);
        }
    }
    std::string nested;
    FChooser
        .Then([&](TFolderBrowserWindow&) {
            FDialog->SetStatusText("Choose");
            FDialog->SetOkEnabled(false);
            try {
                FDialog->Execute();
            } catch (const Exception& E) {
                nested = E.Message();
            }
        })
        .PressCancel();
    FDialog->Execute();
    EXPECT_EQ(nested, "FolderDlg: Execute already called.");
    EXPECT_EQ(FChooser.StatusText(), "Choose");
    EXPECT_FALSE(FChooser.OKEnabled());
    // The run is over whatever ended it.
    EXPECT_THROW(FDialog->SetOkEnabled(true), Exception);
}

}  // namespace
}  // namespace vex
