// Hive files that another program, a crash or a careless hand may have changed: loading one
// either gives its keys and values or raises ERegistryException, every key loaded reads through
// TRegistry as stored, and what loaded writes back as a file that loads to the same hive.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/stringlist.h"
#include "platform/registry/fileregistrystore.h"
#include "platform/registry/hivefile.h"
#include "platform/registry/registry.h"
#include "tests/support/tempdir.h"

namespace {

using namespace vex;

// Reads every value of the open key as its type, then does the same below each subkey that a
// path can name (a name holding "\" cannot be opened by path, only listed).
void ReadKeyAndBelow(TRegistry& Reg, const std::string& Path) {
    if (!Reg.OpenKeyReadOnly("\\" + Path)) __builtin_trap();
    TStringList names;
    Reg.GetValueNames(names);
    for (int32_t i = 0; i < names.Count(); ++i) {
        const std::string name = names[i];
        if (Reg.GetDataType(name) == rdString)
            Reg.ReadString(name);
        else
            Reg.ReadInteger(name);
    }
    Reg.GetKeyNames(names);
    for (int32_t i = 0; i < names.Count(); ++i) {
        const std::string name = names[i];
        if (name.find('\\') == std::string::npos)
            ReadKeyAndBelow(Reg, Path.empty() ? name : Path + "\\" + name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const test::TempDir folder;
    test::WriteWholeFile(folder.File("HKEY_CURRENT_USER.hive"),
                         std::string(reinterpret_cast<const char*>(Data), Size));
    const auto store = std::make_shared<TFileRegistryStore>(folder.Path());
    const TRegistryStoreOverride installed(store);
    TRegKeyNode* hive = nullptr;
    try {
        hive = &store->Hive(HKEY_CURRENT_USER);
    } catch (const ERegistryException&) {
        return 0;
    }
    TRegistry reg;
    ReadKeyAndBelow(reg, "");

    const std::string written = FormatHive(*hive);
    if (FormatHive(*ParseHive(written, hive->Name(), "rewritten")) != written) __builtin_trap();
    return 0;
}
