#include "platform/win/modules.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

constexpr HMODULE kFileNotFound = 2;
constexpr HMODULE kFirstHandle = 0x1000;

struct TLoadedModule {
    std::shared_ptr<const TModuleDefinition> Definition;
    int References = 0;
};

struct TModuleRegistry {
    std::mutex Lock;
    std::unordered_map<std::string, std::shared_ptr<const TModuleDefinition>> Registered;
    std::unordered_map<HMODULE, TLoadedModule> Loaded;
    std::unordered_map<const TModuleDefinition*, HMODULE> HandleOf;
    HMODULE NextHandle = kFirstHandle;
    uint32_t ErrorMode = 0;
};

TModuleRegistry& Registry() {
    static TModuleRegistry registry;
    return registry;
}

std::shared_ptr<const TModuleDefinition> Find(HMODULE Module) {
    TModuleRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    auto it = r.Loaded.find(Module);
    return it == r.Loaded.end() ? nullptr : it->second.Definition;
}

}  // namespace

void RegisterModule(TModuleDefinition Definition) {
    TModuleRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    const std::string key = AnsiUpperCase(Definition.Name);
    r.Registered[key] = std::make_shared<const TModuleDefinition>(std::move(Definition));
}

void UnregisterModule(const std::string& Name) {
    TModuleRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    r.Registered.erase(AnsiUpperCase(Name));
}

HMODULE LoadLibrary(const std::string& Name) {
    TModuleRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    auto it = r.Registered.find(AnsiUpperCase(Name));
    if (it == r.Registered.end()) return kFileNotFound;
    // Loading a module again gives the same handle, as it did on the original.
    auto known = r.HandleOf.find(it->second.get());
    const HMODULE handle = known != r.HandleOf.end() ? known->second : r.NextHandle++;
    TLoadedModule& loaded = r.Loaded[handle];
    loaded.Definition = it->second;
    ++loaded.References;
    r.HandleOf[it->second.get()] = handle;
    return handle;
}

bool FreeLibrary(HMODULE Module) {
    TModuleRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    auto it = r.Loaded.find(Module);
    if (it == r.Loaded.end()) return false;
    if (--it->second.References == 0) {
        r.HandleOf.erase(it->second.Definition.get());
        r.Loaded.erase(it);
    }
    return true;
}

FARPROC GetProcAddress(HMODULE Module, const std::string& ProcName) {
    std::shared_ptr<const TModuleDefinition> definition = Find(Module);
    if (!definition) return nullptr;
    auto it = definition->Functions.find(ProcName);
    return it == definition->Functions.end() ? nullptr : it->second;
}

int LoadString(HMODULE Module, uint32_t Id, char* Buffer, int BufferMax) {
    std::shared_ptr<const TModuleDefinition> definition = Find(Module);
    if (!definition || !definition->Strings || Buffer == nullptr || BufferMax <= 0) return 0;
    const std::string text = definition->Strings(Id);
    const size_t n = std::min(text.size(), static_cast<size_t>(BufferMax - 1));
    std::memcpy(Buffer, text.data(), n);
    Buffer[n] = '\0';
    return static_cast<int>(n);
}

uint32_t SetErrorMode(uint32_t Mode) {
    TModuleRegistry& r = Registry();
    std::lock_guard<std::mutex> guard(r.Lock);
    const uint32_t previous = r.ErrorMode;
    r.ErrorMode = Mode;
    return previous;
}

}  // namespace vex
