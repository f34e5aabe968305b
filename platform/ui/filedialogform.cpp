#include "platform/ui/filedialogform.h"

#include "platform/core/stringutils.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/combobox.h"
#include "platform/ui/customedit.h"
#include "platform/ui/dialogform.h"
#include "platform/ui/filenameinput.h"
#include "platform/ui/label.h"
#include "platform/ui/listbox.h"
#include "platform/ui/pathfitting.h"
#include "platform/win/keyboard.h"

namespace vex {

namespace {

constexpr const char* kUp = "..";

template <class T>
T* Place(TForm& Form, const char* Name, const TDialogUnits& Du, int32_t X, int32_t Y, int32_t Width,
         int32_t Height) {
    auto* control = new T(&Form);
    control->SetName(Name);
    control->SetBounds(Du.Horz(X), Du.Vert(Y), Du.Horz(Width), Du.Vert(Height));
    control->SetParent(&Form);
    return control;
}

TLabel* Caption(TForm& Form, const TDialogUnits& Du, int32_t X, int32_t Y, const char* Text,
                TWinControl* For) {
    auto* label = Place<TLabel>(Form, "", Du, X, Y, 100, 9);
    label->SetCaption(Text);
    label->SetFocusControl(For);
    return label;
}

}  // namespace

TFileDialogForm::TFileDialogForm(const TFileDialogSettings& Settings)
    : FSettings(Settings), FForm(NewDialogForm(Settings.Caption)) {
    Build();
    if (!FSettings.Filters.empty()) {
        FFilter->SetItemIndex(static_cast<int32_t>(FSettings.FilterIndex));
        FPatterns = FSettings.Filters[FSettings.FilterIndex].Patterns;
    } else {
        FPatterns = {"*"};
    }
    ShowFolder(FSettings.Folder);
    FName->SetText(FSettings.Name);
}

TFileDialogForm::~TFileDialogForm() = default;

void TFileDialogForm::Build() {
    TForm& form = *FForm;
    const TDialogUnits du = DialogUnitsOf(form.Font());
    form.SetClientWidth(du.Horz(300));
    form.SetClientHeight(du.Vert(150));

    // Made in the tab order.
    FName = Place<TEdit>(form, "NameEdit", du, 6, 16, 124, 12);
    FFiles = Place<TListBox>(form, "FileList", du, 6, 32, 124, 84);
    FPath = Place<TLabel>(form, "FolderPath", du, 138, 18, 100, 9);
    FPath->SetAutoSize(false);
    FPath->SetBounds(du.Horz(138), du.Vert(18), du.Horz(100), du.Vert(9));
    FPath->SetShowAccelChar(false);
    FFolders = Place<TListBox>(form, "FolderList", du, 138, 32, 100, 84);
    FFilter = Place<TComboBox>(form, "FilterCombo", du, 6, 130, 124, 12);
    FFilter->SetStyle(csDropDownList);
    FStatus = Place<TLabel>(form, "Status", du, 138, 120, 156, 26);
    FStatus->SetAutoSize(false);
    FStatus->SetBounds(du.Horz(138), du.Vert(120), du.Horz(156), du.Vert(26));
    FStatus->SetShowAccelChar(false);
    FStatus->SetWordWrap(true);
    FStatus->SetCaption("");
    Caption(form, du, 6, 6, "File &name:", FName);
    Caption(form, du, 138, 6, "&Folders:", FFolders);
    Caption(form, du, 6, 120, "Files of &type:", FFilter);

    const int32_t left = du.Horz(244), width = du.Horz(50), height = du.Vert(14);
    TButton* ok =
        AddDialogButton(form, mbOK, Rect(left, du.Vert(16), left + width, du.Vert(16) + height));
    ok->SetModalResult(mrNone);  // set by Accept once a name is good
    ok->SetDefault(true);
    ok->OnClick = [this](TObject*) {
        if (FForm->ActiveControl() == FFolders && FFolders->ItemIndex() >= 0)
            EnterSelectedFolder();
        else
            Accept();
    };
    AddDialogButton(form, mbCancel, Rect(left, du.Vert(34), left + width, du.Vert(34) + height))
        ->SetCancel(true);

    for (const TFileFilterEntry& entry : FSettings.Filters)
        FFilter->Items().Add(entry.Description);
    FFilter->SetEnabled(!FSettings.Filters.empty());
    FFilter->OnChange = [this](TObject*) {
        FPatterns = FSettings.Filters[ChosenFilter()].Patterns;
        ListFiles();
    };
    FFiles->OnClick = [this](TObject*) {
        const int32_t index = FFiles->ItemIndex();
        if (index >= 0) FName->SetText(FFiles->Items().Strings(index));
    };
    FFiles->OnDblClick = [this](TObject*) {
        if (FFiles->ItemIndex() >= 0) Accept();
    };
    FFolders->OnDblClick = [this](TObject*) { EnterSelectedFolder(); };
    FFolders->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState) {
        if (Key != VK_BACK) return;
        Key = 0;
        if (FFolder != "/") ShowFolder(ParentFolder(FFolder));
    };
    TForm* shown = FForm.get();
    form.OnShow = [this, shown](TObject*) {
        shown->SetActiveControl(FName);
        FName->SelectAll();
    };
}

std::optional<TFileDialogAnswer> TFileDialogForm::Run() {
    if (FForm->ShowModal() != mrOk) return std::nullopt;
    return FAnswer;
}

void TFileDialogForm::ShowFolder(const std::string& Path) {
    FFolder = Path;
    FListing = ReadFolderListing(Path);
    TBitmap measuring;
    measuring.Canvas().Font().Assign(&FPath->Font());
    FPath->SetCaption(FitPathToWidth(Path, FPath->Width(), [&](const std::string& Text) {
        return measuring.Canvas().TextWidth(Text);
    }));

    TStrings& folders = FFolders->Items();
    folders.BeginUpdate();
    folders.Clear();
    if (Path != "/") folders.Add(kUp);
    for (const std::string& name : FListing.Folders)
        if (name[0] != '.') folders.Add(name);
    folders.EndUpdate();
    if (FForm->ActiveControl() == FFolders) FFolders->SetItemIndex(0);

    if (!FListing.Error.empty())
        SetStatus("This folder cannot be read: " + FListing.Error + ".");
    else if (FListing.Truncated)
        SetStatus("Only the first " + IntToStr(TFolderListing::MaxEntries) +
                  " entries of this folder are shown.");
    else
        SetStatus("");
    ListFiles();
}

void TFileDialogForm::ListFiles() {
    TStrings& files = FFiles->Items();
    files.BeginUpdate();
    files.Clear();
    for (const std::string& name : FListing.Files)
        if (MatchesFilePatterns(FPatterns, name)) files.Add(name);
    files.EndUpdate();
}

void TFileDialogForm::EnterSelectedFolder() {
    const int32_t index = FFolders->ItemIndex();
    if (index < 0) return;
    const std::string name = FFolders->Items().Strings(index);
    ShowFolder(name == kUp ? ParentFolder(FFolder) : ResolvePath(FFolder, name));
}

void TFileDialogForm::Accept() {
    TFileNameRules rules;
    rules.MustExist = !FSettings.Save;
    rules.Extension = ExtensionToAdd();
    const int32_t picked = FFiles->ItemIndex();
    rules.Literal = picked >= 0 && FFiles->Items().Strings(picked) == FName->Text();
    const TFileNameOutcome outcome = InterpretFileName(FFolder, FName->Text(), rules);
    switch (outcome.Step) {
        case TFileNameStep::Stay:
            SetStatus(outcome.Error);
            break;
        case TFileNameStep::EnterFolder:
            ShowFolder(outcome.Folder);
            FName->SetText("");
            break;
        case TFileNameStep::Filter:
            FPatterns = {outcome.Pattern};
            ShowFolder(outcome.Folder);
            FName->SetText(outcome.Pattern);
            FName->SelectAll();
            break;
        case TFileNameStep::Accept:
            FAnswer = TFileDialogAnswer{outcome.FileName, ChosenFilter()};
            FForm->SetModalResult(mrOk);
            break;
    }
}

void TFileDialogForm::SetStatus(const std::string& Text) {
    FStatus->SetCaption(Text);
}

size_t TFileDialogForm::ChosenFilter() const {
    const int32_t index = FFilter->ItemIndex();
    return index < 0 ? FSettings.FilterIndex : static_cast<size_t>(index);
}

std::string TFileDialogForm::ExtensionToAdd() const {
    if (FSettings.DefaultExt.empty() || FSettings.Filters.empty()) return FSettings.DefaultExt;
    const std::string& pattern = FSettings.Filters[ChosenFilter()].Patterns.front();
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) return FSettings.DefaultExt;
    const std::string extension = pattern.substr(2);
    if (IsFilePattern(extension) || extension.find('.') != std::string::npos)
        return FSettings.DefaultExt;
    if (AnsiSameText(extension, FSettings.DefaultExt)) return FSettings.DefaultExt;
    // Filters are often written in capitals ("*.TXT"); names take DefaultExt's spelling.
    return FSettings.DefaultExt == AnsiLowerCase(FSettings.DefaultExt) ? AnsiLowerCase(extension)
                                                                       : extension;
}

}  // namespace vex
