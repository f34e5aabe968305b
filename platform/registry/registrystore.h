#pragma once

#include <memory>

#include "platform/registry/regkeynode.h"
#include "platform/registry/regtypes.h"

namespace vex {

// Where the hives of the registry live. TRegistry changes a hive's keys in memory and then
// commits the hive; a store decides what committing means. Stores are used from the
// user-interface thread only.
class TRegistryStore {
public:
    virtual ~TRegistryStore() = default;

    // The top key of a hive, read on first use. A hive that cannot be read raises
    // ERegistryException naming the reason, and stays unread, so nothing of it is overwritten.
    virtual TRegKeyNode& Hive(HKEY Root) = 0;
    // Makes the hive's changes lasting. On a failure the hive falls back to its last lasting
    // state (read again on next use) and ERegistryException is raised.
    virtual void Commit(HKEY Root) = 0;
};

// The store every TRegistry made from now on uses: the file store under the user's
// configuration folder unless another one was installed.
std::shared_ptr<TRegistryStore> RegistryStore();
// Installs Store for the whole process; null goes back to the default file store.
void SetRegistryStore(std::shared_ptr<TRegistryStore> Store);

// Installs a store for its lifetime and puts the previous one back, so that a test's registry
// stays its own.
class TRegistryStoreOverride {
public:
    explicit TRegistryStoreOverride(std::shared_ptr<TRegistryStore> Store);
    ~TRegistryStoreOverride();
    TRegistryStoreOverride(const TRegistryStoreOverride&) = delete;
    TRegistryStoreOverride& operator=(const TRegistryStoreOverride&) = delete;

private:
    std::shared_ptr<TRegistryStore> FPrevious;
};

}  // namespace vex
