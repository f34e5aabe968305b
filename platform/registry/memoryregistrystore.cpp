#include "platform/registry/memoryregistrystore.h"

namespace vex {

TRegKeyNode& TMemoryRegistryStore::Hive(HKEY Root) {
    const char* name = RootKeyName(Root);
    if (name == nullptr) throw ERegistryException("Unknown registry root key");
    auto& hive = FHives[Root];
    if (!hive) hive = std::make_unique<TRegKeyNode>(name);
    return *hive;
}

}  // namespace vex
