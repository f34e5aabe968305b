#include "platform/rich/richinsertobject.h"

#include <filesystem>
#include <system_error>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"

namespace vex {
namespace {

// A file is read whole into memory to become an object's data.
constexpr uintmax_t MaxInsertedFileBytes = 16 << 20;

std::string InsertedFileBytes(const std::string& FileName) {
    std::error_code error;
    // A pipe would be waited on for ever and a device may never end: only plain files are read.
    const std::filesystem::file_status status = std::filesystem::status(FileName, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw EFOpenError("Cannot open file " + FileName + ": it is not a plain file");
    const uintmax_t size = std::filesystem::file_size(FileName, error);
    if (!error && size > MaxInsertedFileBytes)
        throw ERichObjectError("The file " + FileName + " is too large to insert as an object");
    std::string bytes = ReadFileToString(FileName);
    if (bytes.size() > MaxInsertedFileBytes)  // it grew since
        throw ERichObjectError("The file " + FileName + " is too large to insert as an object");
    return bytes;
}

}  // namespace

std::shared_ptr<IRichObject> CreateInsertedObject(const TRichObjectKinds& Kinds,
                                                  const TRichInsertObjectChoice& Choice) {
    std::shared_ptr<IRichObject> object;
    if (Choice.FromFile) {
        const TRichObjectKind* kind = Kinds.ForFile(Choice.FileName);
        if (kind == nullptr)
            throw ERichObjectError("No kind of object opens the file " + Choice.FileName);
        const std::string bytes = InsertedFileBytes(Choice.FileName);
        object = Kinds.Create(kind->ClassName);
        object->Load(bytes);
    } else {
        object = Kinds.Create(Choice.ClassName);
    }
    if (Choice.AsIcon) object->SetDrawAspect(DVASPECT_ICON);
    return object;
}

}  // namespace vex
