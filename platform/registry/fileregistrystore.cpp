#include "platform/registry/fileregistrystore.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/core/files.h"
#include "platform/core/stringutils.h"
#include "platform/registry/hivefile.h"

namespace vex {

namespace {

const char* CheckedRootName(HKEY Root) {
    const char* name = RootKeyName(Root);
    if (name == nullptr) throw ERegistryException("Unknown registry root key");
    return name;
}

}  // namespace

TFileRegistryStore::TFileRegistryStore(std::string Folder) : FFolder(std::move(Folder)) {}

std::string TFileRegistryStore::DefaultFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') return "";
        base = IncludeTrailingPathDelimiter(home) + ".config";
    }
    return IncludeTrailingPathDelimiter(base) + "vexbane/registry";
}

std::string TFileRegistryStore::HiveFileName(HKEY Root) const {
    return IncludeTrailingPathDelimiter(FFolder) + CheckedRootName(Root) + ".hive";
}

TRegKeyNode& TFileRegistryStore::Hive(HKEY Root) {
    const char* rootName = CheckedRootName(Root);
    auto& hive = FHives[Root];
    if (!hive) hive = ReadHive(Root, rootName);
    return *hive;
}

std::unique_ptr<TRegKeyNode> TFileRegistryStore::ReadHive(HKEY Root,
                                                          const std::string& RootName) const {
    if (FFolder.empty())
        throw ERegistryException(
            "The registry has no folder: neither XDG_CONFIG_HOME nor HOME names one");
    const std::string fileName = HiveFileName(Root);
    std::error_code error;
    const auto status = std::filesystem::status(fileName, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::make_unique<TRegKeyNode>(RootName);
    if (error || status.type() != std::filesystem::file_type::regular)
        throw ERegistryException("Registry file " + fileName + " cannot be read");
    const auto size = std::filesystem::file_size(fileName, error);
    if (error) throw ERegistryException("Registry file " + fileName + " cannot be read");
    if (size > MaxRegHiveFileSize)
        throw ERegistryException("Registry file " + fileName + " is too large");
    std::string text;
    try {
        text = ReadFileToString(fileName);
    } catch (const Exception& e) {
        throw ERegistryException("Registry file " + fileName + " cannot be read: " + e.Message());
    }
    return ParseHive(text, RootName, fileName);
}

void TFileRegistryStore::Commit(HKEY Root) {
    const auto it = FHives.find(Root);
    if (it == FHives.end() || !it->second) return;
    const std::string fileName = HiveFileName(Root);
    try {
        const std::string text = FormatHive(*it->second);
        if (text.size() > MaxRegHiveFileSize)
            throw ERegistryException("the registry would grow beyond its size limit");
        if (!ForceDirectories(FFolder)) throw ERegistryException("its folder cannot be made");
        WriteFileAtomic(fileName, text);
    } catch (const Exception& e) {
        // Dropping the hive makes the next use read the file again, so memory never claims
        // more than the disk holds.
        FHives.erase(it);
        throw ERegistryException("Registry file " + fileName +
                                 " cannot be written: " + e.Message());
    }
}

}  // namespace vex
