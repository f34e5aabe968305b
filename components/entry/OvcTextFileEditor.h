#pragma once

#include <string>

#include "components/entry/OvcEditor.h"

namespace vex {

// The editor bound to one text file: a paragraph per line. Loading cuts lines at 32767
// characters, ends a line at a NUL and trims trailing blanks, so a file loaded and saved again
// is not always the same file. A save replaces the file at once and never leaves part of it.
class TOvcCustomTextFileEditor : public TOvcCustomEditor {
    VEX_CLASS(TOvcCustomTextFileEditor, TOvcCustomEditor)

public:
    explicit TOvcCustomTextFileEditor(TComponent* AOwner);

    // At most three characters, without the point.
    const std::string& BackupExt() const { return FBackupExt; }
    void SetBackupExt(const std::string& Value) { FBackupExt = Value.substr(0, 3); }
    const std::string& FileName() const { return FFileName; }
    // A name other than the current one (ignoring case) closes the file; the text stays until
    // IsOpen is set again.
    void SetFileName(const std::string& Value);
    bool IsOpen() const { return FIsOpen; }
    void SetIsOpen(bool Value);
    bool MakeBackup() const { return FMakeBackup; }
    void SetMakeBackup(bool Value) { FMakeBackup = Value; }

    // Only another text file editor's list is shared; anything else raises EInvalidCast and
    // changes nothing.
    void Attach(TOvcCustomEditor* Editor) override;

    // I/O failures raise EInOutError, limits EEditorError; the editor is then empty and closed.
    virtual void LoadFromFile(const std::string& Name);
    // The old file stays as it was when anything fails, the backup included.
    virtual void SaveToFile(const std::string& Name);

    // Name without one trailing point.
    static std::string FixFileName(const std::string& Name);

protected:
    void Loaded() override;
    // Keeps the file as it is under Name with BackupExt for its extension; raises EInOutError
    // when the backup cannot be made.
    void MakeBackupFile(const std::string& Name);

private:
    std::string FBackupExt = "BAK";
    std::string FFileName;
    bool FMakeBackup = false;
    bool FIsOpen = false;
};

class TOvcTextFileEditor : public TOvcCustomTextFileEditor {
    VEX_CLASS(TOvcTextFileEditor, TOvcCustomTextFileEditor)

public:
    explicit TOvcTextFileEditor(TComponent* AOwner) : TOvcCustomTextFileEditor(AOwner) {}
};

}  // namespace vex
