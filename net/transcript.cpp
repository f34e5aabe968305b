#include "net/transcript.h"

#include <cerrno>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/stringlist.h"

namespace vex {

void WriteTranscript(const TStrings& Lines, const std::string& FileName) {
    const std::string folder = ExtractFilePath(FileName);
    if (!folder.empty() && !ForceDirectories(folder))
        throw EInOutError("Cannot create folder " + folder, errno);
    try {
        Lines.SaveToFile(FileName);
    } catch (const EInOutError&) {
        throw;
    } catch (const Exception& e) {
        throw EInOutError(e.Message(), EIO);
    }
}

}  // namespace vex
