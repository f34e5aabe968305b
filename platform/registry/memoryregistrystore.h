#pragma once

#include <map>
#include <memory>

#include "platform/registry/registrystore.h"

namespace vex {

// A registry that lasts as long as the store object: for tests, and for programs that must not
// touch the user's settings.
class TMemoryRegistryStore : public TRegistryStore {
public:
    TRegKeyNode& Hive(HKEY Root) override;
    void Commit(HKEY) override {}

private:
    std::map<HKEY, std::unique_ptr<TRegKeyNode>> FHives;
};

}  // namespace vex
