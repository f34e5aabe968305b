#include "platform/ui/filedialog.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/ui/filedialogform.h"
#include "platform/ui/folderlisting.h"
#include "platform/win/modaldriver.h"
#include "platform/win/presenter.h"

namespace vex {

namespace {

std::string WorkingFolder() {
    // getcwd with a buffer of its own size answers any length.
    const std::unique_ptr<char, void (*)(void*)> path(getcwd(nullptr, 0), std::free);
    return path ? std::string(path.get()) : std::string("/");
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::SetDefaultExt(const std::string& Value) {
    FDefaultExt = !Value.empty() && Value[0] == '.' ? Value.substr(1) : Value;
}

std::string TOpenDialog::StartFolder() const {
    const std::string working = WorkingFolder();
    if (FFileName.find('/') != std::string::npos) {
        const std::string path = ResolvePath(working, FFileName);
        if (EntryKindOf(path) == TEntryKind::Folder) return path;
        if (EntryKindOf(ParentFolder(path)) == TEntryKind::Folder) return ParentFolder(path);
    }
    if (!FInitialDir.empty()) {
        const std::string folder = ResolvePath(working, FInitialDir);
        if (EntryKindOf(folder) == TEntryKind::Folder) return folder;
    }
    return working;
}

bool TOpenDialog::Execute() {
    if (Presenter().Headless() && TModalScript::Current() == nullptr) return false;
    TFileDialogSettings settings;
    settings.Save = Saving();
    settings.Caption = !FTitle.empty() ? FTitle : Saving() ? "Save As" : "Open";
    settings.Filters = ParseFileFilter(FFilter);
    if (FFilterIndex >= 1 && static_cast<size_t>(FFilterIndex) <= settings.Filters.size())
        settings.FilterIndex = static_cast<size_t>(FFilterIndex - 1);
    settings.Folder = StartFolder();
    // A FileName naming a folder is where to start, not a name to offer.
    if (EntryKindOf(ResolvePath(WorkingFolder(), FFileName)) != TEntryKind::Folder)
        settings.Name = FFileName.substr(FFileName.rfind('/') + 1);
    settings.DefaultExt = FDefaultExt;
    const std::weak_ptr<const void> life = FLife.Weak();
    const std::optional<TFileDialogAnswer> answer = TFileDialogForm(settings).Run();
    // A handler run meanwhile may have freed the dialog: then nobody waits for the answer.
    if (!answer || life.expired()) return false;
    FFileName = answer->FileName;
    if (!settings.Filters.empty()) FFilterIndex = static_cast<int32_t>(answer->FilterIndex + 1);
    return true;
}

}  // namespace vex
