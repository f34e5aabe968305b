#include "platform/core/resources.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <mutex>
#include <utility>

namespace vex {

namespace {

unsigned char AsciiUpper(char C) {
    const auto c = static_cast<unsigned char>(C);
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Orders like the tool's byte-wise comparison of upper-cased names.
int CompareNoCase(std::string_view A, std::string_view B) {
    const size_t common = std::min(A.size(), B.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char a = AsciiUpper(A[i]);
        const unsigned char b = AsciiUpper(B[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

int CompareTypeAndName(const TResourceFile& File, std::string_view Type, std::string_view Name) {
    const int byType = CompareNoCase(File.Type, Type);
    return byType != 0 ? byType : CompareNoCase(File.Name, Name);
}

const TResourceString* FindString(const TResourceModule& Module, uint16_t Id) {
    const auto found =
        std::lower_bound(Module.Strings.begin(), Module.Strings.end(), Id,
                         [](const TResourceString& S, uint16_t Key) { return S.Id < Key; });
    return found != Module.Strings.end() && found->Id == Id ? &*found : nullptr;
}

const TResourceFile* FindFile(const TResourceModule& Module, std::string_view Type,
                              std::string_view Name) {
    const auto found = std::lower_bound(
        Module.Files.begin(), Module.Files.end(), 0,
        [&](const TResourceFile& F, int) { return CompareTypeAndName(F, Type, Name) < 0; });
    return found != Module.Files.end() && CompareTypeAndName(*found, Type, Name) == 0 ? &*found
                                                                                      : nullptr;
}

// Modules in registration order. The lock matters only for shared libraries loaded or unloaded
// while other threads look strings up; static registration is single-threaded.
class TResourceRegistry {
public:
    void Add(const TResourceModule& Module) {
        std::lock_guard lock(FLock);
        FModules.push_back(&Module);
    }

    void Remove(const TResourceModule& Module) {
        std::lock_guard lock(FLock);
        std::erase(FModules, &Module);
    }

    template <typename Visit>
    void ForEach(Visit&& Visitor) {
        std::lock_guard lock(FLock);
        for (const TResourceModule* module : FModules) {
            if (!Visitor(*module)) return;
        }
    }

private:
    std::mutex FLock;
    std::vector<const TResourceModule*> FModules;
};

// Constructed by the first registrar, so it outlives every registrar and no generated module
// depends on the order in which static objects of different files are built.
TResourceRegistry& Registry() {
    static TResourceRegistry registry;
    return registry;
}

std::string JoinNames(const std::vector<std::string>& Names) {
    std::string out;
    for (size_t i = 0; i < Names.size(); ++i) {
        if (i > 0) out += i + 1 == Names.size() ? " and " : ", ";
        out += Names[i];
    }
    return out;
}

}  // namespace

std::string LoadStr(int32_t Ident) {
    if (Ident < 0 || Ident > UINT16_MAX) return {};
    std::string result;
    Registry().ForEach([&](const TResourceModule& Module) {
        const TResourceString* found = FindString(Module, static_cast<uint16_t>(Ident));
        if (found == nullptr) return true;
        const auto bytes = Module.StringData.subspan(found->Offset, found->Length);
        result.assign(bytes.begin(), bytes.end());
        return false;
    });
    return result;
}

std::optional<std::span<const uint8_t>> FindResource(std::string_view Type, std::string_view Name) {
    std::optional<std::span<const uint8_t>> result;
    Registry().ForEach([&](const TResourceModule& Module) {
        const TResourceFile* found = FindFile(Module, Type, Name);
        if (found != nullptr) result = found->Data;
        return found == nullptr;
    });
    return result;
}

std::vector<std::string> ResourceConflicts() {
    std::map<uint16_t, std::vector<std::string>> strings;
    // Keyed by upper-case type and name; the value keeps the spelling first seen.
    std::map<std::pair<std::string, std::string>, std::pair<std::string, std::vector<std::string>>>
        files;
    Registry().ForEach([&](const TResourceModule& Module) {
        for (const TResourceString& s : Module.Strings)
            strings[s.Id].push_back(std::string(Module.Name));
        for (const TResourceFile& f : Module.Files) {
            std::pair<std::string, std::string> key;
            std::transform(f.Type.begin(), f.Type.end(), std::back_inserter(key.first), AsciiUpper);
            std::transform(f.Name.begin(), f.Name.end(), std::back_inserter(key.second),
                           AsciiUpper);
            auto& entry = files[key];
            if (entry.second.empty()) entry.first = std::string(f.Type) + "/" + std::string(f.Name);
            entry.second.push_back(std::string(Module.Name));
        }
        return true;
    });

    std::vector<std::string> conflicts;
    for (const auto& [id, modules] : strings) {
        if (modules.size() > 1) {
            conflicts.push_back("string " + std::to_string(id) + " is defined by " +
                                JoinNames(modules));
        }
    }
    for (const auto& [key, entry] : files) {
        if (entry.second.size() > 1) {
            conflicts.push_back("resource " + entry.first + " is defined by " +
                                JoinNames(entry.second));
        }
    }
    return conflicts;
}

TResourceRegistrar::TResourceRegistrar(const TResourceModule& Module) : FModule(Module) {
    Registry().Add(FModule);
}

TResourceRegistrar::~TResourceRegistrar() {
    Registry().Remove(FModule);
}

}  // namespace vex
