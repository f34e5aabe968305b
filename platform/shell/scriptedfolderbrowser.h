#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/shell/folderbrowser.h"

namespace vex {

// A folder chooser for tests: each run fires OnInitialized, then plays the moves given for it
// as a user would (selecting folders, pressing OK or Cancel), honouring the commands the
// callbacks send, and answers what the real chooser would. A run whose moves end before OK or
// Cancel is cancelled, as the real one would be closed. Everything is written to Log.
class TScriptedFolderBrowser : public TFolderBrowser, private TFolderBrowserWindow {
public:
    using TAction = std::function<void(TFolderBrowserWindow& Window)>;

    // The user clicks Path in the tree: ignored unless it is a selectable folder.
    TScriptedFolderBrowser& Select(const std::string& Path);
    // OK answers the selection, unless OK is disabled, when the press does nothing.
    TScriptedFolderBrowser& PressOK();
    TScriptedFolderBrowser& PressCancel();
    // Anything else done while the chooser is open (a caller's command, a check).
    TScriptedFolderBrowser& Then(TAction Action);

    // The status line's width, and the width of each character of its font.
    void SetStatusMetrics(int32_t Width, int32_t CharWidth);

    std::optional<std::string> Browse(const TFolderBrowseParams& Params) override;

    int Runs() const { return FRuns; }
    // The last run's request, as it was given.
    HWND LastOwner() const { return FOwner; }
    const std::string& LastRoot() const { return FRoot; }
    const std::string& LastTitle() const { return FTitle; }
    uint32_t LastFlags() const { return FFlags; }
    // The window's caption when the last run ended.
    const std::string& LastCaption() const { return FCaption; }
    // "initialized", "selchanged P", "status T", "enable 0|1", "select P", "ignored P", "ok P",
    // "ok refused", "cancel", in the order they came.
    const std::vector<std::string>& Log() const { return FLog; }
    void ClearLog() { FLog.clear(); }
    // The log on one line, "; " between entries, each Folder in it written "~" for brevity.
    std::string LogLine(const std::string& Folder) const;

    // What the open chooser shows.
    const std::string& StatusText() const { return FStatusText; }
    bool OKEnabled() const { return FOKEnabled; }
    const std::string& Selection() const { return FSelection; }

private:
    enum class TAnswer { None, OK, Cancel };

    HWND Handle() override { return FWindow; }
    void SetStatusText(const std::string& Text) override;
    void EnableOK(bool Enabled) override;
    void SetSelection(const std::string& Path) override;
    int32_t StatusWidth() override { return FStatusWidth; }
    int32_t StatusTextWidth(const std::string& Text) override;

    // Moves the selection to Path and tells the caller; false when Path cannot be selected.
    bool MoveSelection(const std::string& Path);

    std::deque<std::function<TAnswer()>> FMoves;
    const TFolderBrowseParams* FParams = nullptr;
    HWND FWindow = 0;
    HWND FOwner = 0;
    std::string FRoot;
    std::string FTitle;
    std::string FCaption;
    uint32_t FFlags = 0;
    int FRuns = 0;
    std::vector<std::string> FLog;
    std::string FStatusText;
    std::string FSelection;
    bool FOKEnabled = true;
    int32_t FStatusWidth = 0;
    int32_t FCharWidth = 1;
};

}  // namespace vex
