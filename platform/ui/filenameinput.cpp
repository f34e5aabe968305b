#include "platform/ui/filenameinput.h"

#include <climits>
#include <string>

#include "platform/core/files.h"
#include "platform/ui/filefilter.h"
#include "platform/ui/folderlisting.h"

namespace vex {

namespace {

TFileNameOutcome Refuse(const std::string& Error) {
    TFileNameOutcome outcome;
    outcome.Error = Error;
    return outcome;
}

TFileNameOutcome Step(TFileNameStep Kind, const std::string& Folder) {
    TFileNameOutcome outcome;
    outcome.Step = Kind;
    outcome.Folder = Folder;
    return outcome;
}

std::string NoFolder(const std::string& Folder) {
    return "The folder " + Folder + " does not exist.";
}

}  // namespace

TFileNameOutcome InterpretFileName(const std::string& Folder, const std::string& Typed,
                                   const TFileNameRules& Rules) {
    if (Typed.empty()) return {};
    const size_t slash = Typed.rfind('/');
    const std::string last = slash == std::string::npos ? Typed : Typed.substr(slash + 1);
    if (!Rules.Literal && IsFilePattern(last)) {
        const std::string where =
            ResolvePath(Folder, slash == std::string::npos ? "" : Typed.substr(0, slash + 1));
        if (EntryKindOf(where) != TEntryKind::Folder) return Refuse(NoFolder(where));
        TFileNameOutcome outcome = Step(TFileNameStep::Filter, where);
        outcome.Pattern = last;
        return outcome;
    }
    std::string path = ResolvePath(Folder, Typed);
    TEntryKind kind = EntryKindOf(path);
    if (kind == TEntryKind::Folder) return Step(TFileNameStep::EnterFolder, path);
    // A name that ends in "/" or "/.." asks for a folder, which is not there.
    if (last.empty() || last == "." || last == "..") return Refuse(NoFolder(path));
    const std::string parent = ParentFolder(path);
    if (EntryKindOf(parent) != TEntryKind::Folder) return Refuse(NoFolder(parent));
    // An open dialog takes the name as typed when that file is there.
    if (!Rules.Extension.empty() && ExtractFileExt(last).empty() &&
        (!Rules.MustExist || kind == TEntryKind::Missing)) {
        path += "." + Rules.Extension;
        kind = EntryKindOf(path);
    }
    const std::string name = ExtractFileName(path);
    // No file system here keeps a longer name; the caller's write would fail after the dialog.
    if (name.size() > NAME_MAX)
        return Refuse("The name is longer than " + std::to_string(NAME_MAX) + " bytes.");
    if (kind == TEntryKind::Missing && Rules.MustExist)
        return Refuse("The file " + name + " was not found.");
    if (kind == TEntryKind::Folder) return Refuse(name + " is a folder.");
    if (kind == TEntryKind::Other) return Refuse(name + " is not a file.");
    TFileNameOutcome outcome = Step(TFileNameStep::Accept, "");
    outcome.FileName = path;
    return outcome;
}

}  // namespace vex
