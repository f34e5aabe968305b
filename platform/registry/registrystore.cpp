#include "platform/registry/registrystore.h"

#include <mutex>
#include <utility>

#include "platform/registry/fileregistrystore.h"

namespace vex {

namespace {

std::mutex StoreLock;
std::shared_ptr<TRegistryStore> InstalledStore;  // null: the default, made when first asked for

}  // namespace

std::shared_ptr<TRegistryStore> RegistryStore() {
    std::lock_guard<std::mutex> lock(StoreLock);
    if (!InstalledStore)
        InstalledStore = std::make_shared<TFileRegistryStore>(TFileRegistryStore::DefaultFolder());
    return InstalledStore;
}

void SetRegistryStore(std::shared_ptr<TRegistryStore> Store) {
    std::lock_guard<std::mutex> lock(StoreLock);
    InstalledStore = std::move(Store);
}

TRegistryStoreOverride::TRegistryStoreOverride(std::shared_ptr<TRegistryStore> Store) {
    std::lock_guard<std::mutex> lock(StoreLock);
    FPrevious = std::exchange(InstalledStore, std::move(Store));
}

TRegistryStoreOverride::~TRegistryStoreOverride() {
    SetRegistryStore(std::move(FPrevious));
}

}  // namespace vex
