#include "components/misc/BrowseDr.h"

#include <utility>

#include "components/misc/BrowseDrStatus.h"
#include "platform/shell/folderbrowser.h"
#include "platform/shell/specialfolders.h"
#include "platform/ui/applicationevents.h"
#include "platform/ui/folderbrowserform.h"
#include "platform/ui/form.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// A window text longer than this was never read back from the browser.
constexpr size_t kMaxCaptionRead = 256;

constexpr uint32_t kFlagBits[] = {BIF_RETURNONLYFSDIRS,  BIF_DONTGOBELOWDOMAIN,
                                  BIF_RETURNFSANCESTORS, BIF_BROWSEFORCOMPUTER,
                                  BIF_BROWSEFORPRINTER,  BIF_BROWSEINCLUDEFILES};

// The selection as the browser takes it: the top stays "/", any other path loses one trailing
// "/".
std::string BrowserPath(std::string Path) {
    if (Path.size() > 1 && Path.back() == '/') Path.pop_back();
    return Path;
}

}  // namespace

uint32_t BrowseFlagBits(TBrowseFlags Flags) {
    return BrowseFlagsOf(Flags, kFlagBits);
}

std::string RootFolderPath(TRootID Root) {
    if (Root == idDesktopExpanded) return "/";
    return SpecialFolderPath(Root).value_or("");
}

TBrowseDirectoryDlg::TBrowseDirectoryDlg(TComponent* AOwner) : TComponent(AOwner) {
    InstallFolderBrowserForm();
    if (auto* control = dynamic_cast<TWinControl*>(AOwner))
        SetParentControl(control);
    else
        SetParentControl(ApplicationEvents().MainForm());
}

TBrowseDirectoryDlg::~TBrowseDirectoryDlg() {
    SetParentControl(nullptr);
}

void TBrowseDirectoryDlg::SetParentControl(TWinControl* Control) {
    if (FParentControl == Control) return;
    if (FParentControl != nullptr && FParentControl != Owner())
        FParentControl->RemoveFreeNotification(this);
    FParentControl = Control;
    if (Control != nullptr && Control != Owner()) Control->FreeNotification(this);
}

void TBrowseDirectoryDlg::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FParentControl) FParentControl = nullptr;
}

HWND TBrowseDirectoryDlg::Handle() const {
    return FWindow == nullptr ? 0 : FWindow->Handle();
}

std::string TBrowseDirectoryDlg::Caption() const {
    if (FWindow == nullptr) return FCaption;
    std::string text = GetWindowText(FWindow->Handle());
    if (text.size() > kMaxCaptionRead) text.resize(kMaxCaptionRead);
    return text;
}

void TBrowseDirectoryDlg::SetCaption(const std::string& Value) {
    FCaption = Value;
    if (FWindow != nullptr) SetWindowText(FWindow->Handle(), Value);
}

void TBrowseDirectoryDlg::SetFitStatusText(bool Value) {
    if (FFitStatusText == Value) return;
    FFitStatusText = Value;
    if (FWindow != nullptr) FWindow->SetStatusText(FittedStatusText());
}

void TBrowseDirectoryDlg::SetSelection(const std::string& Value) {
    if (FSelection == Value) return;
    FSelection = Value;
    if (!FSelection.empty() && FSelection.back() != '/' && IsExistingFolder(FSelection))
        FSelection += '/';
    if (FWindow != nullptr && !FSelection.empty()) FWindow->SetSelection(BrowserPath(FSelection));
}

void TBrowseDirectoryDlg::SetStatusText(const std::string& Value) {
    if (FStatusText == Value) return;
    FStatusText = Value;
    if (FWindow != nullptr) FWindow->SetStatusText(FittedStatusText());
}

void TBrowseDirectoryDlg::SetEnableOKButton(bool Value) {
    if (FEnableOKButton == Value) return;
    FEnableOKButton = Value;
    if (FWindow != nullptr) FWindow->EnableOK(Value);
}

HWND TBrowseDirectoryDlg::OwnerWindow() {
    if (ComponentState().Contains(csDesigning)) return 0;
    TWinControl* parent = FParentControl;
    if (parent == nullptr) parent = dynamic_cast<TWinControl*>(Owner());
    if (parent == nullptr) parent = ApplicationEvents().MainForm();
    return parent == nullptr ? 0 : parent->Handle();
}

bool TBrowseDirectoryDlg::Execute() {
    TFolderBrowser* browser = FolderBrowser();
    const std::string root = RootFolderPath(FRoot);
    bool chosen = false;
    std::string path;
    if (browser != nullptr && !root.empty()) {
        TFolderBrowseParams params;
        params.Owner = OwnerWindow();
        params.Root = root;
        params.Title = FTitle;
        params.Flags = BrowseFlagBits(FOptions) | (FStatusText.empty() ? 0 : BIF_STATUSTEXT);
        params.OnInitialized = [this](TFolderBrowserWindow& Window) { DoInitialized(Window); };
        params.OnSelChanged = [this](TFolderBrowserWindow& Window, const std::string& Path) {
            DoSelChanged(Window, Path);
        };
        struct TForget {
            TFolderBrowserWindow*& Window;
            ~TForget() { Window = nullptr; }
        } forget{FWindow};
        if (std::optional<std::string> answer = browser->Browse(params)) {
            chosen = true;
            path = std::move(*answer);
        }
    }
    SetSelection(path);
    return chosen;
}

void TBrowseDirectoryDlg::DoInitialized(TFolderBrowserWindow& Window) {
    FWindow = &Window;
    const HWND handle = Window.Handle();
    if (FCenter) {
        TRect frame;
        GetWindowRect(handle, frame);
        SetWindowPos(handle, 0, (GetSystemMetrics(SM_CXSCREEN) - (frame.Right - frame.Left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (frame.Bottom - frame.Top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    Window.EnableOK(FEnableOKButton);
    if (!FStatusText.empty()) Window.SetStatusText(FittedStatusText());
    if (!FSelection.empty()) Window.SetSelection(BrowserPath(FSelection));
    if (!FCaption.empty()) SetWindowText(handle, FCaption);
    if (OnCreate) OnCreate(this);
}

void TBrowseDirectoryDlg::DoSelChanged(TFolderBrowserWindow&, const std::string& Path) {
    if (!FShowSelectionInStatus && !OnSelChanged) return;
    if (FShowSelectionInStatus) SetStatusText(Path);
    if (OnSelChanged) OnSelChanged(this, Path);
}

std::string TBrowseDirectoryDlg::FittedStatusText() {
    if (!FFitStatusText || FWindow == nullptr) return FStatusText;
    TFolderBrowserWindow& window = *FWindow;
    return vex::FitStatusText(
        FStatusText, window.StatusWidth(),
        [&window](const std::string& Text) { return window.StatusTextWidth(Text); });
}

}  // namespace vex
