#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/set.h"
#include "platform/win/messages.h"

namespace vex {

class TFolderBrowserWindow;
class TWinControl;

// The folder a browser starts from, by the shell's special-folder number. Only idDesktop and
// idDrives (the whole file system), idPersonal (the home folder) and idDesktopDirectory (the
// desktop folder) have a place here; idDesktopExpanded names no folder, so the browser starts
// from the top.
enum TRootID : int32_t {
    idDesktop = 0,
    idInternet = 1,
    idPrograms = 2,
    idControlPanel = 3,
    idPrinters = 4,
    idPersonal = 5,
    idFavorites = 6,
    idStartup = 7,
    idRecent = 8,
    idSendTo = 9,
    idRecycleBin = 10,
    idStartMenu = 11,
    idDesktopDirectory = 16,
    idDrives = 17,
    idNetwork = 18,
    idNetHood = 19,
    idFonts = 20,
    idTemplates = 21,
    idDesktopExpanded = 0xFEFE
};

enum TBrowseFlag {
    bfDirectoriesOnly,
    bfDomainOnly,
    bfAncestors,
    bfComputers,
    bfPrinters,
    bfIncludeFiles
};
using TBrowseFlags = TSet<TBrowseFlag, 8>;

// The browser's flag bits for Flags.
uint32_t BrowseFlagBits(TBrowseFlags Flags);

using TBDSelChangedEvent = std::function<void(TObject* Sender, const std::string& NewSel)>;

// Lets the user choose a folder in the desktop's folder browser, by path. A chosen folder is
// in Selection afterwards; the status line can follow the selection, and what the browser shows
// can be changed while it is open through the setters.
class TBrowseDirectoryDlg : public TComponent {
    VEX_CLASS(TBrowseDirectoryDlg, TComponent)

public:
    explicit TBrowseDirectoryDlg(TComponent* AOwner);
    ~TBrowseDirectoryDlg() override;

    // The browser window's title: while it is open, the window's text.
    std::string Caption() const;
    void SetCaption(const std::string& Value);
    bool ShowSelectionInStatus() const { return FShowSelectionInStatus; }
    void SetShowSelectionInStatus(bool Value) { FShowSelectionInStatus = Value; }
    // A status text too wide for the status line is shortened to fit it.
    bool FitStatusText() const { return FFitStatusText; }
    void SetFitStatusText(bool Value);
    // The text above the folder tree.
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    TRootID Root() const { return FRoot; }
    void SetRoot(TRootID Value) { FRoot = Value; }
    TBrowseFlags Options() const { return FOptions; }
    void SetOptions(TBrowseFlags Value) { FOptions = Value; }
    // The folder chosen, or to preselect; an existing folder is kept with a trailing "/".
    const std::string& Selection() const { return FSelection; }
    void SetSelection(const std::string& Value);
    // Centre the browser on the screen when it opens.
    bool Center() const { return FCenter; }
    void SetCenter(bool Value) { FCenter = Value; }
    // Shown in a status line, which the browser has when this is not empty as it opens.
    const std::string& StatusText() const { return FStatusText; }
    void SetStatusText(const std::string& Value);
    bool EnableOKButton() const { return FEnableOKButton; }
    void SetEnableOKButton(bool Value);
    // The browser's window while it is open, 0 otherwise.
    HWND Handle() const;
    // There is no system image list here, so it stays -1.
    int32_t ImageIndex() const { return FImageIndex; }

    TBDSelChangedEvent OnSelChanged;
    // The browser window is set up.
    TNotifyEvent OnCreate;

    // Runs the browser modally: true, with the folder in Selection, when the user chose one;
    // false, with Selection empty, when the user cancelled, or when Root names a folder that has
    // no place here (then without a browser).
    virtual bool Execute();

protected:
    virtual void DoInitialized(TFolderBrowserWindow& Window);
    virtual void DoSelChanged(TFolderBrowserWindow& Window, const std::string& Path);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The window that owns the browser: the parent control, else the owner when it is a
    // windowed control, else the main form; none while designing.
    HWND OwnerWindow();
    void SetParentControl(TWinControl* Control);
    std::string FittedStatusText();

    TFolderBrowserWindow* FWindow = nullptr;  // while the browser is open
    std::string FCaption;
    TWinControl* FParentControl = nullptr;
    bool FShowSelectionInStatus = false;
    bool FFitStatusText = true;
    std::string FTitle;
    TRootID FRoot = idDesktop;
    TBrowseFlags FOptions;
    std::string FSelection;
    bool FCenter = true;
    std::string FStatusText;
    bool FEnableOKButton = true;
    int32_t FImageIndex = -1;
};

// The folder the browser is rooted at for Root; "" when it has no place here.
std::string RootFolderPath(TRootID Root);

}  // namespace vex
