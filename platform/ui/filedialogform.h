#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/filefilter.h"
#include "platform/ui/folderlisting.h"

namespace vex {

class TButton;
class TComboBox;
class TEdit;
class TForm;
class TLabel;
class TListBox;

struct TFileDialogSettings {
    std::string Caption;
    std::vector<TFileFilterEntry> Filters;  // may be empty: every file is listed
    size_t FilterIndex = 0;                 // a valid index of Filters, counted from 0
    std::string Folder;                     // absolute; shown first
    std::string Name;                       // in the name field at first
    std::string DefaultExt;                 // without a "."; empty for none
    bool Save = false;
};

struct TFileDialogAnswer {
    std::string FileName;  // absolute
    size_t FilterIndex = 0;
};

// The form of the open and save dialogs: a name field over the files of the folder shown, the
// folder's path over its subfolders, the filter's choices, a status line for what went wrong,
// OK and Cancel. Enter takes the name field's text (a folder is entered, a pattern lists what
// it matches, a file is the answer; a name picked from the file list is taken as it is, even
// with a "*" in it) or, from the folder list, enters the folder selected;
// Backspace there goes up, Escape cancels. The parts are named "NameEdit", "FileList",
// "FolderPath", "FolderList", "FilterCombo", "Status", "OK" and "Cancel", in that tab order.
class TFileDialogForm {
public:
    explicit TFileDialogForm(const TFileDialogSettings& Settings);
    ~TFileDialogForm();
    TFileDialogForm(const TFileDialogForm&) = delete;
    TFileDialogForm& operator=(const TFileDialogForm&) = delete;

    // Runs the form modally: the answer on OK, nothing on Cancel.
    std::optional<TFileDialogAnswer> Run();

private:
    void Build();
    void ShowFolder(const std::string& Path);
    void ListFiles();
    void EnterSelectedFolder();
    void Accept();
    void SetStatus(const std::string& Text);
    // The extension a save adds: the chosen filter's when it names one plainly ("*.TXT"), in
    // lower case when DefaultExt is; DefaultExt otherwise; none without DefaultExt.
    std::string ExtensionToAdd() const;
    size_t ChosenFilter() const;

    const TFileDialogSettings& FSettings;
    std::unique_ptr<TForm> FForm;
    TEdit* FName = nullptr;
    TListBox* FFiles = nullptr;
    TLabel* FPath = nullptr;
    TListBox* FFolders = nullptr;
    TComboBox* FFilter = nullptr;
    TLabel* FStatus = nullptr;
    std::string FFolder;
    TFolderListing FListing;
    std::vector<std::string> FPatterns;  // the chosen filter's, or the pattern typed last
    std::optional<TFileDialogAnswer> FAnswer;
};

}  // namespace vex
