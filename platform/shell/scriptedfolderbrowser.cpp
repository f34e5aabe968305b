#include "platform/shell/scriptedfolderbrowser.h"

#include <utility>

#include "platform/shell/folderpaths.h"
#include "platform/win/window.h"
#include "platform/win/windowtree.h"

namespace vex {

TScriptedFolderBrowser& TScriptedFolderBrowser::Select(const std::string& Path) {
    FMoves.push_back([this, Path] {
        if (!MoveSelection(Path)) FLog.push_back("ignored " + Path);
        return TAnswer::None;
    });
    return *this;
}

TScriptedFolderBrowser& TScriptedFolderBrowser::PressOK() {
    FMoves.push_back([this] {
        if (FOKEnabled) return TAnswer::OK;
        FLog.push_back("ok refused");
        return TAnswer::None;
    });
    return *this;
}

TScriptedFolderBrowser& TScriptedFolderBrowser::PressCancel() {
    FMoves.push_back([] { return TAnswer::Cancel; });
    return *this;
}

TScriptedFolderBrowser& TScriptedFolderBrowser::Then(TAction Action) {
    FMoves.push_back([this, Action = std::move(Action)] {
        Action(*this);
        return TAnswer::None;
    });
    return *this;
}

void TScriptedFolderBrowser::SetStatusMetrics(int32_t Width, int32_t CharWidth) {
    FStatusWidth = Width;
    FCharWidth = CharWidth;
}

std::optional<std::string> TScriptedFolderBrowser::Browse(const TFolderBrowseParams& Params) {
    ++FRuns;
    FOwner = Params.Owner;
    FRoot = Params.Root;
    FTitle = Params.Title;
    FFlags = Params.Flags;
    FStatusText.clear();
    FSelection = NormalFolderPath(Params.Root);
    FOKEnabled = true;
    FParams = &Params;
    // A plain window, so that its caption and place can be set as on the real chooser's.
    FWindow = AllocateHWnd(nullptr);
    SetWindowProc(FWindow, DefWindowProc);
    struct TRunEnd {
        TScriptedFolderBrowser& Browser;
        ~TRunEnd() {
            Browser.FCaption = GetWindowText(Browser.FWindow);
            DeallocateHWnd(Browser.FWindow);
            Browser.FWindow = 0;
            Browser.FParams = nullptr;
        }
    } runEnd{*this};

    FLog.push_back("initialized");
    if (Params.OnInitialized) Params.OnInitialized(*this);
    TAnswer answer = TAnswer::None;
    while (answer == TAnswer::None && !FMoves.empty()) {
        const std::function<TAnswer()> move = std::move(FMoves.front());
        FMoves.pop_front();
        answer = move();
    }
    if (answer != TAnswer::OK) {
        FLog.push_back("cancel");
        return std::nullopt;
    }
    FLog.push_back("ok " + FSelection);
    return FSelection;
}

void TScriptedFolderBrowser::SetStatusText(const std::string& Text) {
    FLog.push_back("status " + Text);
    FStatusText = Text;
}

void TScriptedFolderBrowser::EnableOK(bool Enabled) {
    FLog.push_back(Enabled ? "enable 1" : "enable 0");
    FOKEnabled = Enabled;
}

void TScriptedFolderBrowser::SetSelection(const std::string& Path) {
    FLog.push_back("select " + Path);
    if (!MoveSelection(Path)) FLog.push_back("ignored " + Path);
}

std::string TScriptedFolderBrowser::LogLine(const std::string& Folder) const {
    std::string line;
    for (const std::string& entry : FLog)
        line += (line.empty() ? "" : "; ") + entry;
    if (Folder.empty()) return line;
    for (size_t at; (at = line.find(Folder)) != std::string::npos;)
        line.replace(at, Folder.size(), "~");
    return line;
}

int32_t TScriptedFolderBrowser::StatusTextWidth(const std::string& Text) {
    return static_cast<int32_t>(Text.size()) * FCharWidth;
}

bool TScriptedFolderBrowser::MoveSelection(const std::string& Path) {
    if (FParams == nullptr || !IsSelectableFolder(FParams->Root, Path)) return false;
    const std::string path = NormalFolderPath(Path);
    if (path == FSelection) return true;
    FSelection = path;
    FLog.push_back("selchanged " + path);
    if (FParams->OnSelChanged) FParams->OnSelChanged(*this, path);
    return true;
}

}  // namespace vex
