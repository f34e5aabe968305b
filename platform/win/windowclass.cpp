#include "platform/win/windowclass.h"

#include <map>

#include "platform/core/stringutils.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowstore.h"

namespace vex {

namespace {

struct TClassTable {
    std::map<std::string, std::shared_ptr<TWindowClassEntry>> ByName;  // upper-case names
    ATOM NextAtom = 0xC000;
};

TClassTable& Classes() {
    static TClassTable table;
    return table;
}

}  // namespace

std::shared_ptr<TWindowClassEntry> FindWindowClass(const std::string& ClassName) {
    TClassTable& table = Classes();
    auto it = table.ByName.find(AnsiUpperCase(ClassName));
    return it == table.ByName.end() ? nullptr : it->second;
}

ATOM RegisterClass(const WNDCLASS& Class) {
    if (Class.lpszClassName.empty()) throw EWindowError("A window class needs a name");
    if (!Class.lpfnWndProc)
        throw EWindowError("Window class \"" + Class.lpszClassName + "\" has no procedure");
    TClassTable& table = Classes();
    const std::string key = AnsiUpperCase(Class.lpszClassName);
    if (table.ByName.count(key) != 0)
        throw EWindowError("Window class \"" + Class.lpszClassName + "\" is already registered");
    if (table.NextAtom == 0xFFFF) throw EWindowError("No more window classes can be registered");
    auto entry = std::make_shared<TWindowClassEntry>();
    entry->Class = Class;
    entry->Proc = std::make_shared<const WNDPROC>(Class.lpfnWndProc);
    entry->Atom = table.NextAtom++;
    table.ByName.emplace(key, entry);
    return entry->Atom;
}

bool UnregisterClass(const std::string& ClassName) {
    TClassTable& table = Classes();
    auto it = table.ByName.find(AnsiUpperCase(ClassName));
    if (it == table.ByName.end() || it->second->Windows != 0) return false;
    table.ByName.erase(it);
    return true;
}

bool GetClassInfo(const std::string& ClassName, WNDCLASS& Class) {
    const std::shared_ptr<TWindowClassEntry> entry = FindWindowClass(ClassName);
    if (entry == nullptr) return false;
    Class = entry->Class;
    return true;
}

std::string GetClassName(HWND Wnd) {
    const TWnd* w = TWindowStore::Instance().Find(Wnd);
    return w == nullptr || w->Class == nullptr ? std::string() : w->Class->Class.lpszClassName;
}

}  // namespace vex
