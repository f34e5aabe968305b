#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/component.h"
#include "platform/core/set.h"
#include "platform/win/messages.h"

namespace vex {

class TFolderBrowserWindow;

enum TPTSysFolderDlgOption {
    fdoComputers,
    fdoPrinters,
    fdoDontGoBelowDomain,
    fdoReturnFSAncestors,
    fdoReturnOnlyFSDirs,
    fdoStatusText
};
using TPTSysFolderDlgOptions = TSet<TPTSysFolderDlgOption, 8>;

// The browser's flag bits for Options.
uint32_t SysFolderDlgFlagBits(TPTSysFolderDlgOptions Options);

// The shell's special folders by their own numbers. Only csidlDesktop and csidlDrives (the whole
// file system), csidlPersonal (the home folder) and csidlDesktopDirectory (the desktop folder)
// have a place here.
enum TCSIDL : uint8_t {
    csidlDesktop,
    csidl_None1,
    csidlPrograms,
    csidlControls,
    csidlPrinters,
    csidlPersonal,
    csidlFavorites,
    csidlStartup,
    csidlRecent,
    csidlSendTo,
    csidlBitBucket,
    csidlStartMenu,
    csidl_None2,
    csidl_None3,
    csidl_None4,
    csidl_None5,
    csidlDesktopDirectory,
    csidlDrives,
    csidlNetwork,
    csidlNethood,
    csidlFonts,
    csidlTemplates,
    csidlCommonStartMenu,
    csidlCommonPrograms,
    csidlCommonStartup,
    csidlCommonDesktopDirectory,
    csidlAppData,
    csidlPrintHood,
    csidlNone
};

class TPTSysFolderDlg;
// An item of the browser is a folder's path.
using TFDOnInitializedEvent = std::function<void(TPTSysFolderDlg* aSender, HWND hwnd)>;
using TFDOnSelChangedEvent =
    std::function<void(TPTSysFolderDlg* aSender, HWND hwnd, const std::string& Item)>;

// Lets the user choose a folder in the desktop's folder browser, rooted at a special folder.
// The item chosen (or, while the browser is open, selected) is held and preselected next time.
class TPTSysFolderDlg : public TComponent {
    VEX_CLASS(TPTSysFolderDlg, TComponent)

public:
    explicit TPTSysFolderDlg(TComponent* AOwner);

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    TPTSysFolderDlgOptions Options() const { return FOptions; }
    void SetOptions(TPTSysFolderDlgOptions Value) { FOptions = Value; }
    // The root of the browser.
    TCSIDL Domain() const { return FDomain; }
    void SetDomain(TCSIDL Value) { FDomain = Value; }
    // The item held: "" for none.
    const std::string& Selection() const { return FSelection; }
    // The browser window while it is open, 0 otherwise.
    HWND Handle() const { return FHandle; }

    TFDOnInitializedEvent OnInitialized;
    TFDOnSelChangedEvent OnSelChanged;

    // Only while Execute runs; otherwise they raise Exception.
    virtual void SetOkEnabled(bool Enabled);
    virtual void SetStatusText(const std::string& Text);
    // Runs the browser modally, the held item preselected: true, holding the chosen item, when
    // the user chose one; false, holding none, when the user cancelled. False, holding what it
    // held, when Domain has no place here. Raises Exception when already running, or when no
    // browser is available.
    virtual bool Execute();

private:
    void Initialized(TFolderBrowserWindow& Window);
    void SelChanged(TFolderBrowserWindow& Window, const std::string& Item);

    std::string FTitle;
    TPTSysFolderDlgOptions FOptions;
    TCSIDL FDomain = csidlDesktop;
    std::string FSelection;
    TFolderBrowserWindow* FWindow = nullptr;
    HWND FHandle = 0;
    bool FExecuting = false;
};

}  // namespace vex
