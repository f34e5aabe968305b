#pragma once

#include <cstdint>
#include <string>

#include "platform/core/component.h"
#include "platform/win/lifetoken.h"

namespace vex {

// Asks the user for a file to open. Execute shows the dialog in the folder FileName names or
// holds, else InitialDir, else the working folder, with the files the chosen filter matches, and
// on OK
// puts the absolute path chosen into FileName and the filter last chosen into FilterIndex.
// Filter is "description|patterns|description|patterns..." (see ParseFileFilter); FilterIndex
// counts its choices from 1, and one out of range shows the first. An open dialog answers only
// a file that is there (the name as typed, else with DefaultExt added). Without a display and
// without a test's script nobody could answer, so Execute answers false at once.
class TOpenDialog : public TComponent {
    VEX_CLASS(TOpenDialog, TComponent)

public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& Value) { FFilter = Value; }
    int32_t FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int32_t Value) { FFilterIndex = Value; }
    // Without the "."; one given with it loses it.
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& Value);
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
    // The dialog's caption; empty for the kind's own ("Open", "Save As").
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }

    virtual bool Execute();

protected:
    virtual bool Saving() const { return false; }

private:
    std::string StartFolder() const;

    std::string FFileName;
    std::string FFilter;
    int32_t FFilterIndex = 1;
    std::string FDefaultExt;
    std::string FInitialDir;
    std::string FTitle;
    TLifeToken FLife;
};

// Asks for a name to save under: any name in a folder that is there, DefaultExt added to a
// name without an extension (the chosen filter's, when it names one plainly). Whether to
// replace a file that is there is the caller's question.
class TSaveDialog : public TOpenDialog {
    VEX_CLASS(TSaveDialog, TOpenDialog)

public:
    using TOpenDialog::TOpenDialog;

protected:
    bool Saving() const override { return true; }
};

}  // namespace vex
