#include "platform/ui/folderbrowserform.h"

#include <memory>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/font.h"
#include "platform/shell/folderpaths.h"
#include "platform/ui/button.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/folderbrowserview.h"
#include "platform/ui/label.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

// One run of the chooser: the dialog, and the window its callbacks and commands reach.
class TFolderChooser : public TFolderBrowserWindow {
public:
    TFolderChooser(const TFolderBrowseParams& Params, const TFont* Font);

    std::optional<std::string> Run();

    HWND Handle() override { return FDialog->Handle(); }
    void SetStatusText(const std::string& Text) override;
    void EnableOK(bool Enabled) override { FOK->SetEnabled(Enabled); }
    void SetSelection(const std::string& Path) override;
    int32_t StatusWidth() override { return FStatus == nullptr ? 0 : FStatus->Width(); }
    int32_t StatusTextWidth(const std::string& Text) override;

private:
    void SelectionMoved();

    const TFolderBrowseParams& FParams;
    std::unique_ptr<TForm> FDialog = NewDialogForm("Browse for Folder");
    TLabel* FStatus = nullptr;
    TFolderTreeView* FTree = nullptr;
    TButton* FOK = nullptr;
    std::string FReported;  // the selection the caller last heard of
};

TFolderChooser::TFolderChooser(const TFolderBrowseParams& Params, const TFont* Font)
    : FParams(Params) {
    TForm& dialog = *FDialog;
    if (Font != nullptr) dialog.Font().Assign(Font);
    const TDialogUnits du = DialogUnitsOf(dialog.Font());
    dialog.SetClientWidth(du.Horz(212));
    dialog.SetClientHeight(du.Vert(196));
    const int32_t left = du.Horz(8);
    const int32_t width = du.Horz(196);

    auto* title = new TLabel(&dialog);
    title->SetName("Title");
    title->SetShowAccelChar(false);
    title->SetWordWrap(true);
    title->SetBounds(left, du.Vert(6), width, du.Vert(18));
    title->SetCaption(Params.Title);
    title->SetParent(&dialog);

    int32_t treeTop = du.Vert(26);
    if ((Params.Flags & BIF_STATUSTEXT) != 0) {
        FStatus = new TLabel(&dialog);
        FStatus->SetName("Status");
        FStatus->SetShowAccelChar(false);
        FStatus->SetBounds(left, treeTop, width, du.Vert(9));
        FStatus->SetCaption("");
        FStatus->SetParent(&dialog);
        treeTop += du.Vert(11);
    }

    const int32_t buttonTop = du.Vert(176);
    FTree = new TFolderTreeView(&dialog);
    FTree->SetName("Tree");
    FTree->SetBounds(left, treeTop, width, buttonTop - du.Vert(6) - treeTop);
    FTree->SetParent(&dialog);
    FTree->SetRoot(Params.Root);
    FTree->OnClick = [this](TObject*) { SelectionMoved(); };
    FReported = FTree->SelectedPath();

    const int32_t buttonWidth = du.Horz(50);
    const int32_t buttonHeight = du.Vert(14);
    FOK = AddDialogButton(
        dialog, mbOK,
        Rect(du.Horz(100), buttonTop, du.Horz(100) + buttonWidth, buttonTop + buttonHeight));
    FOK->SetDefault(true);
    AddDialogButton(
        dialog, mbCancel,
        Rect(du.Horz(154), buttonTop, du.Horz(154) + buttonWidth, buttonTop + buttonHeight))
        ->SetCancel(true);

    // Placed once here, so that where the caller moves it as it is set up is where it shows.
    dialog.SetPosition(poDesigned);
    dialog.SetLeft((GetSystemMetrics(SM_CXSCREEN) - dialog.Width()) / 2);
    dialog.SetTop((GetSystemMetrics(SM_CYSCREEN) - dialog.Height()) / 2);
    dialog.OnShow = [this](TObject*) { FDialog->SetActiveControl(FTree); };
}

std::optional<std::string> TFolderChooser::Run() {
    // Set up before the modal run, where a failure would go to the application's handler
    // and leave the run going half set up: it ends the run and goes to the caller.
    FDialog->HandleNeeded();
    if (FParams.OnInitialized) FParams.OnInitialized(*this);
    if (FDialog->ShowModal() != mrOk) return std::nullopt;
    const std::string path = FTree->SelectedPath();
    if (path.empty()) return std::nullopt;
    return path;
}

void TFolderChooser::SetStatusText(const std::string& Text) {
    if (FStatus != nullptr) FStatus->SetCaption(Text);
}

void TFolderChooser::SetSelection(const std::string& Path) {
    if (FTree->SelectPath(Path)) SelectionMoved();
}

int32_t TFolderChooser::StatusTextWidth(const std::string& Text) {
    if (FStatus == nullptr) return 0;
    TBitmap measuring;
    measuring.Canvas().Font().Assign(&FStatus->Font());
    return measuring.Canvas().TextWidth(Text);
}

void TFolderChooser::SelectionMoved() {
    const std::string path = FTree->SelectedPath();
    if (path.empty() || path == FReported) return;
    FReported = path;
    if (FParams.OnSelChanged) FParams.OnSelChanged(*this, path);
}

}  // namespace

TFolderBrowserForm::TFolderBrowserForm() = default;

TFolderBrowserForm::~TFolderBrowserForm() = default;

void TFolderBrowserForm::SetFont(const TFont& Value) {
    if (!FFont) FFont = std::make_unique<TFont>();
    FFont->Assign(&Value);
}

std::optional<std::string> TFolderBrowserForm::Browse(const TFolderBrowseParams& Params) {
    if (!IsSelectableFolder(Params.Root, Params.Root))
        throw Exception("The folder " + Params.Root + " cannot be browsed: it does not exist");
    TFolderChooser chooser(Params, FFont.get());
    return chooser.Run();
}

void InstallFolderBrowserForm() {
    if (InstalledFolderBrowser() != nullptr) return;
    static TFolderBrowserForm form;
    SetFolderBrowser(&form);
}

}  // namespace vex
