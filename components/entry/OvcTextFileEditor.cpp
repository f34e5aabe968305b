#include "components/entry/OvcTextFileEditor.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "components/entry/OvcErrors.h"
#include "platform/core/files.h"
#include "platform/core/stringutils.h"
#include "platform/gfx/cursors.h"
#include "platform/ui/screen.h"

namespace vex {

namespace {

// Longer lines are cut there, the rest of the line skipped.
constexpr size_t MaxLineLength = 32767;
constexpr size_t ReadBlock = 64 * 1024;

[[noreturn]] void RaiseIo(const std::string& What, const std::string& Name, int Code) {
    throw EInOutError(What + " " + Name + ": " + std::strerror(Code), Code);
}

struct TFileCloser {
    void operator()(std::FILE* F) const { std::fclose(F); }
};

// The limit codes a load reports with their own texts; anything else as lack of memory.
void RaiseLoadError(uint16_t Code) {
    const uint16_t shown = Code == oeTooManyParas || Code == oeTooManyBytes || Code == oeParaTooLong
                               ? Code
                               : oeOutOfMemory;
    throw EEditorError(EditorErrorText(shown), shown, 0);
}

}  // namespace

TOvcCustomTextFileEditor::TOvcCustomTextFileEditor(TComponent* AOwner) : TOvcCustomEditor(AOwner) {}

std::string TOvcCustomTextFileEditor::FixFileName(const std::string& Name) {
    if (Name.size() > 1 && Name.back() == '.') return Name.substr(0, Name.size() - 1);
    return Name;
}

void TOvcCustomTextFileEditor::SetFileName(const std::string& Value) {
    if (SameText(Value, FFileName)) return;
    FIsOpen = false;
    FFileName = FixFileName(Value);
}

void TOvcCustomTextFileEditor::SetIsOpen(bool Value) {
    if (Value == FIsOpen || FFileName.empty()) return;
    FIsOpen = Value;
    if (ComponentState().Contains(csLoading)) return;
    if (Value) {
        LoadFromFile(FFileName);
    } else {
        ResetEditor(true);
        RefreshView(true);
    }
}

void TOvcCustomTextFileEditor::Loaded() {
    TOvcCustomEditor::Loaded();
    if (!FIsOpen) return;
    try {
        LoadFromFile(FFileName);
    } catch (const Exception&) {
        // A form that names a missing file still loads; the editor stays empty and closed.
    }
}

void TOvcCustomTextFileEditor::Attach(TOvcCustomEditor* Editor) {
    if (Editor == nullptr || !HandleAllocated()) return;
    auto* other = dynamic_cast<TOvcCustomTextFileEditor*>(Editor);
    if (other == nullptr) throw EInvalidCast("Invalid class typecast");
    TOvcCustomEditor::Attach(other);
    FFileName = other->FFileName;
}

void TOvcCustomTextFileEditor::LoadFromFile(const std::string& Name) {
    FFileName = FixFileName(Name);
    const TScreenCursorGuard hourglass(crHourGlass);
    try {
        std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(FFileName.c_str(), "rb"));
        if (!file) RaiseIo("Cannot open file", FFileName, errno);
        ResetEditor(true);
        if (HandleAllocated()) Update();

        const TAppendScope appending(*this);
        std::string line;
        line.reserve(MaxLineLength);
        bool cut = false;  // the rest of the current line is skipped
        bool nul = false;  // a NUL ended the current line's text
        auto endLine = [&] {
            if (const uint16_t code = AppendPara(line)) RaiseLoadError(code);
            line.clear();
            cut = nul = false;
        };
        auto keep = [&](const char* Data, size_t Size) {
            if (cut || nul) return;
            if (const void* zero = std::memchr(Data, '\0', Size)) {
                Size = static_cast<size_t>(static_cast<const char*>(zero) - Data);
                nul = true;
            }
            const size_t room = MaxLineLength - line.size();
            if (Size > room) {
                Size = room;
                cut = true;
            }
            line.append(Data, Size);
        };
        std::unique_ptr<char[]> block(new char[ReadBlock]);
        bool any = false;
        bool pendingCr = false;  // a block ended in a CR that may begin a CR LF
        for (;;) {
            const size_t got = std::fread(block.get(), 1, ReadBlock, file.get());
            if (got == 0) {
                if (std::ferror(file.get())) RaiseIo("Cannot read file", FFileName, EIO);
                break;
            }
            any = true;
            const char* data = block.get();
            size_t at = 0;
            if (pendingCr) {
                pendingCr = false;
                if (data[0] == '\n') {
                    endLine();
                    at = 1;
                } else {
                    keep("\r", 1);
                }
            }
            while (at < got) {
                const auto* lf = static_cast<const char*>(std::memchr(data + at, '\n', got - at));
                if (lf == nullptr) {
                    size_t end = got;
                    if (data[end - 1] == '\r') {
                        pendingCr = true;
                        --end;
                    }
                    keep(data + at, end - at);
                    break;
                }
                size_t end = static_cast<size_t>(lf - data);
                // CR LF ends the line as LF does; a lone CR stays in it.
                const size_t text = end > at && data[end - 1] == '\r' ? end - 1 : end;
                keep(data + at, text - at);
                endLine();
                at = end + 1;
            }
        }
        if (pendingCr) keep("\r", 1);
        // The last line, when the file does not end with a line end.
        if (any && (!line.empty() || cut || nul)) endLine();
        RefreshView(true);
        FIsOpen = true;
    } catch (...) {
        ResetEditor(true);
        FIsOpen = false;
        throw;
    }
}

void TOvcCustomTextFileEditor::MakeBackupFile(const std::string& Name) {
    if (!FileExists(Name)) return;
    const std::string backup = ChangeFileExt(Name, "." + FBackupExt);
    if (backup == Name) return;
    if (DirectoryExists(backup)) RaiseIo("Cannot remove the old backup", backup, EISDIR);
    if (FileExists(backup) && !DeleteFile(backup))
        RaiseIo("Cannot remove the old backup", backup, errno);
    // A second name for the old file: the file itself stays until the new one replaces it.
    if (::link(Name.c_str(), backup.c_str()) == 0) return;
    // File systems without hard links get a copy instead.
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)
        RaiseIo("Cannot make the backup", backup, errno);
    WriteFileAtomic(backup, ReadFileToString(Name));
}

void TOvcCustomTextFileEditor::SaveToFile(const std::string& Name) {
    if (Name.empty()) return;
    const TScreenCursorGuard hourglass(crHourGlass);
    std::string text;
    text.reserve(static_cast<size_t>(ParaList().ByteCount()) + 2);
    const int32_t count = GetParaCount();
    for (int32_t i = 1; i <= count; ++i) {
        const std::string_view para = GetPara(i);
        if (i == count && para.empty()) break;
        text.append(para) += "\r\n";
    }
    if (FMakeBackup) MakeBackupFile(Name);
    WriteFileAtomic(Name, text);
    SetModified(false);
}

}  // namespace vex
