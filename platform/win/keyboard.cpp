#include "platform/win/keyboard.h"

#include <atomic>
#include <mutex>

#include "platform/core/exceptions.h"
#include "platform/core/stringutils.h"

namespace vex {
namespace {

constexpr uint8_t KeyDown = 0x80;
constexpr uint8_t KeyToggled = 0x01;

// A whole-table write must not interleave with a key press, so writers share a lock; readers
// of a single key only need the byte to be atomic.
struct TKeyTable {
    std::array<std::atomic<uint8_t>, 256> Keys{};
    std::mutex WriteLock;
};

TKeyTable& Table() {
    static TKeyTable table;
    return table;
}

TKeyTable& AsyncTable() {
    static TKeyTable table;
    return table;
}

int16_t ReadKey(TKeyTable& Table, int32_t VirtualKey) {
    if (VirtualKey < 0 || VirtualKey > 255) return 0;
    const uint8_t state = Table.Keys[VirtualKey].load();
    int16_t result = (state & KeyToggled) ? 1 : 0;
    if (state & KeyDown) result = static_cast<int16_t>(result | 0x8000);
    return result;
}

// Returns whether the key was down before.
bool WriteKey(TKeyTable& Table, int32_t VirtualKey, bool Down) {
    if (VirtualKey < 0 || VirtualKey > 255)
        throw ERangeError("Virtual key " + IntToStr(VirtualKey) + " is out of range");
    std::lock_guard lock(Table.WriteLock);
    std::atomic<uint8_t>& key = Table.Keys[VirtualKey];
    uint8_t state = key.load();
    const bool wasDown = (state & KeyDown) != 0;
    if (Down && !wasDown) state ^= KeyToggled;
    state = Down ? (state | KeyDown) : (state & ~KeyDown);
    key.store(state);
    return wasDown;
}

}  // namespace

int16_t GetKeyState(int32_t VirtualKey) {
    return ReadKey(Table(), VirtualKey);
}

void GetKeyboardState(TKeyboardState& State) {
    TKeyTable& table = Table();
    std::lock_guard lock(table.WriteLock);
    for (size_t i = 0; i < State.size(); ++i)
        State[i] = table.Keys[i].load();
}

void SetKeyboardState(const TKeyboardState& State) {
    TKeyTable& table = Table();
    std::lock_guard lock(table.WriteLock);
    for (size_t i = 0; i < State.size(); ++i)
        table.Keys[i].store(State[i]);
}

void SetKeyState(int32_t VirtualKey, bool Down) {
    WriteKey(Table(), VirtualKey, Down);
}

int16_t GetAsyncKeyState(int32_t VirtualKey) {
    return ReadKey(AsyncTable(), VirtualKey);
}

bool SetAsyncKeyState(int32_t VirtualKey, bool Down) {
    return WriteKey(AsyncTable(), VirtualKey, Down);
}

int32_t GenericKey(int32_t VirtualKey) {
    if (VirtualKey == VK_LSHIFT || VirtualKey == VK_RSHIFT) return VK_SHIFT;
    if (VirtualKey == VK_LCONTROL || VirtualKey == VK_RCONTROL) return VK_CONTROL;
    if (VirtualKey == VK_LMENU || VirtualKey == VK_RMENU) return VK_MENU;
    return VirtualKey;
}

}  // namespace vex
