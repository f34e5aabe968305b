#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/win/messages.h"

namespace vex {

// The modal folder chooser of the desktop. An item of the chooser is a folder's absolute path;
// a chooser shows the folders below its root and answers the one the user chose.

// Flags of a run. What the chooser shows is folders only, so of the rest only the status text
// changes it; the others are carried for the callers that pass them.
inline constexpr uint32_t BIF_RETURNONLYFSDIRS = 0x0001;
inline constexpr uint32_t BIF_DONTGOBELOWDOMAIN = 0x0002;
inline constexpr uint32_t BIF_STATUSTEXT = 0x0004;  // a status line under the title
inline constexpr uint32_t BIF_RETURNFSANCESTORS = 0x0008;
inline constexpr uint32_t BIF_BROWSEFORCOMPUTER = 0x1000;
inline constexpr uint32_t BIF_BROWSEFORPRINTER = 0x2000;
inline constexpr uint32_t BIF_BROWSEINCLUDEFILES = 0x4000;

// The flag bits of a set of options: Bits[i] for the option of value i in Options.
template <class TSetType, size_t Count>
uint32_t BrowseFlagsOf(const TSetType& Options, const uint32_t (&Bits)[Count]) {
    uint32_t flags = 0;
    for (size_t i = 0; i < Count; ++i)
        if ((Options.Ord() >> i & 1) != 0) flags |= Bits[i];
    return flags;
}

// The open chooser, as its callbacks and the caller's commands reach it.
class TFolderBrowserWindow {
public:
    virtual ~TFolderBrowserWindow() = default;

    // The chooser's top-level window: its text is the caption, it can be moved.
    virtual HWND Handle() = 0;
    // Shown in the status line (with BIF_STATUSTEXT).
    virtual void SetStatusText(const std::string& Text) = 0;
    virtual void EnableOK(bool Enabled) = 0;
    // Opens the tree down to the folder Path and selects it, which counts as a change of the
    // selection; a path that is no folder below the root is ignored.
    virtual void SetSelection(const std::string& Path) = 0;
    // The width of the status line, and of Text in its font, in pixels, for fitting a text.
    virtual int32_t StatusWidth() = 0;
    virtual int32_t StatusTextWidth(const std::string& Text) = 0;
};

struct TFolderBrowseParams {
    HWND Owner = 0;     // disabled while the chooser runs; 0 for none
    std::string Root;   // an existing folder, "/" for the whole file system
    std::string Title;  // the text above the tree
    uint32_t Flags = 0;
    // The window is set up and about to show.
    std::function<void(TFolderBrowserWindow& Window)> OnInitialized;
    // The selected folder changed, by the user or by SetSelection.
    std::function<void(TFolderBrowserWindow& Window, const std::string& Path)> OnSelChanged;
};

class TFolderBrowser {
public:
    virtual ~TFolderBrowser() = default;
    // Runs the chooser modally: the chosen folder's path on OK, nothing on Cancel. An exception
    // of OnInitialized ends the run and goes on to the caller; one of a callback later in the
    // run, from the user's input, goes where the input's handlers' go.
    virtual std::optional<std::string> Browse(const TFolderBrowseParams& Params) = 0;
};

// The chooser in force: the newest override alive, else the one installed, else nullptr.
TFolderBrowser* FolderBrowser();
// The program's chooser (nullptr: none), and installing it; the caller keeps it alive while
// installed. The control layer installs its form with InstallFolderBrowserForm
// (folderbrowserform.h), which the components that run a chooser call when they are made.
TFolderBrowser* InstalledFolderBrowser();
void SetFolderBrowser(TFolderBrowser* Browser);

// Puts Browser in force for the override's lifetime, over the installed one, for a test's
// scripted chooser. Overrides nest.
class TFolderBrowserOverride {
public:
    explicit TFolderBrowserOverride(TFolderBrowser& Browser);
    ~TFolderBrowserOverride();
    TFolderBrowserOverride(const TFolderBrowserOverride&) = delete;
    TFolderBrowserOverride& operator=(const TFolderBrowserOverride&) = delete;

private:
    TFolderBrowser* FPrevious;
};

}  // namespace vex
