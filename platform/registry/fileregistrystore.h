#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/registry/registrystore.h"

namespace vex {

// The registry kept on disk: one text file per hive in a folder (see hivefile.h for the
// format). A hive is read when first used and written whole, atomically, on every commit.
// A hive file that another process changes after this store has read it is not read again.
class TFileRegistryStore : public TRegistryStore {
public:
    // An empty Folder stands for a user without a configuration folder: every use of a hive
    // then raises ERegistryException.
    explicit TFileRegistryStore(std::string Folder);

    // $XDG_CONFIG_HOME (when it is an absolute path) or ~/.config, then vexbane/registry; empty
    // when neither that variable nor HOME gives a folder.
    static std::string DefaultFolder();

    const std::string& Folder() const { return FFolder; }
    std::string HiveFileName(HKEY Root) const;

    TRegKeyNode& Hive(HKEY Root) override;
    void Commit(HKEY Root) override;

private:
    std::unique_ptr<TRegKeyNode> ReadHive(HKEY Root, const std::string& RootName) const;

    std::string FFolder;
    std::map<HKEY, std::unique_ptr<TRegKeyNode>> FHives;
};

}  // namespace vex
