#include "platform/registry/regtypes.h"

namespace vex {

const char* RootKeyName(HKEY Root) {
    switch (Root) {
        case HKEY_CLASSES_ROOT:
            return "HKEY_CLASSES_ROOT";
        case HKEY_CURRENT_USER:
            return "HKEY_CURRENT_USER";
        case HKEY_LOCAL_MACHINE:
            return "HKEY_LOCAL_MACHINE";
        case HKEY_USERS:
            return "HKEY_USERS";
        case HKEY_CURRENT_CONFIG:
            return "HKEY_CURRENT_CONFIG";
        default:
            return nullptr;
    }
}

}  // namespace vex
