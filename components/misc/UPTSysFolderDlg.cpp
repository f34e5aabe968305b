#include "components/misc/UPTSysFolderDlg.h"

#include <optional>
#include <utility>

#include "platform/core/exceptions.h"
#include "platform/shell/folderbrowser.h"
#include "platform/shell/specialfolders.h"
#include "platform/ui/folderbrowserform.h"
#include "platform/ui/wincontrol.h"

namespace vex {

namespace {

constexpr uint32_t kOptionBits[] = {BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER,
                                    BIF_DONTGOBELOWDOMAIN, BIF_RETURNFSANCESTORS,
                                    BIF_RETURNONLYFSDIRS,  BIF_STATUSTEXT};

}  // namespace

uint32_t SysFolderDlgFlagBits(TPTSysFolderDlgOptions Options) {
    return BrowseFlagsOf(Options, kOptionBits);
}

TPTSysFolderDlg::TPTSysFolderDlg(TComponent* AOwner) : TComponent(AOwner) {
    InstallFolderBrowserForm();
}

void TPTSysFolderDlg::SetOkEnabled(bool Enabled) {
    if (!FExecuting)
        throw Exception(Name() + ": SetOkEnabled assignment only valid during Execute");
    if (FWindow != nullptr) FWindow->EnableOK(Enabled);
}

void TPTSysFolderDlg::SetStatusText(const std::string& Text) {
    if (!FExecuting) throw Exception(Name() + ": Status text assignment only valid during Execute");
    if (FWindow != nullptr) FWindow->SetStatusText(Text);
}

bool TPTSysFolderDlg::Execute() {
    if (FExecuting) throw Exception(Name() + ": Execute already called.");
    TFolderBrowser* browser = FolderBrowser();
    if (browser == nullptr) throw Exception(Name() + ": no folder browser is available");
    const std::optional<std::string> root = SpecialFolderPath(FDomain);
    if (!root) return false;

    struct TRunEnd {
        TPTSysFolderDlg& Dialog;
        ~TRunEnd() {
            Dialog.FExecuting = false;
            Dialog.FWindow = nullptr;
            Dialog.FHandle = 0;
        }
    } runEnd{*this};
    FExecuting = true;
    TFolderBrowseParams params;
    if (auto* owner = dynamic_cast<TWinControl*>(Owner())) params.Owner = owner->Handle();
    params.Root = *root;
    params.Title = FTitle;
    params.Flags = SysFolderDlgFlagBits(FOptions);
    params.OnInitialized = [this](TFolderBrowserWindow& Window) { Initialized(Window); };
    params.OnSelChanged = [this](TFolderBrowserWindow& Window, const std::string& Item) {
        SelChanged(Window, Item);
    };
    std::optional<std::string> chosen = browser->Browse(params);
    FSelection = chosen ? std::move(*chosen) : std::string();
    return chosen.has_value();
}

void TPTSysFolderDlg::Initialized(TFolderBrowserWindow& Window) {
    FWindow = &Window;
    FHandle = Window.Handle();
    if (OnInitialized) OnInitialized(this, FHandle);
    if (!FSelection.empty()) Window.SetSelection(FSelection);
}

void TPTSysFolderDlg::SelChanged(TFolderBrowserWindow& Window, const std::string& Item) {
    FWindow = &Window;
    FHandle = Window.Handle();
    FSelection = Item;
    if (OnSelChanged) OnSelChanged(this, FHandle, FSelection);
}

}  // namespace vex
