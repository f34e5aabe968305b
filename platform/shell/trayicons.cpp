#include "platform/shell/trayicons.h"

#include "platform/win/window.h"

namespace vex {

namespace {

void CheckImage(const TTrayIconImage& Image) {
    if (Image.Width < 0 || Image.Height < 0 || Image.Width > TTrayIcons::kLargestSide ||
        Image.Height > TTrayIcons::kLargestSide)
        throw ETrayIconError("A tray icon of " + std::to_string(Image.Width) + " x " +
                             std::to_string(Image.Height) + " pixels is beyond any tray's size");
    if (Image.Pixels.size() != static_cast<size_t>(Image.Width) * static_cast<size_t>(Image.Height))
        throw ETrayIconError("A tray icon of " + std::to_string(Image.Width) + " x " +
                             std::to_string(Image.Height) + " pixels came with " +
                             std::to_string(Image.Pixels.size()) + " of them");
}

// Copies the members the flags name from Data into Icon.
void Merge(NOTIFYICONDATA& Icon, const NOTIFYICONDATA& Data) {
    Icon.Flags |= Data.Flags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if ((Data.Flags & NIF_MESSAGE) != 0) Icon.CallbackMessage = Data.CallbackMessage;
    if ((Data.Flags & NIF_ICON) != 0) Icon.Icon = Data.Icon;
    if ((Data.Flags & NIF_TIP) != 0) Icon.Tip = Data.Tip.substr(0, kTrayTipLength);
}

}  // namespace

bool TTrayIcons::Apply(DWORD Message, const NOTIFYICONDATA& Data) {
    // A delete uses no picture, so none may keep an icon from going.
    if (Message != NIM_DELETE && (Data.Flags & NIF_ICON) != 0) CheckImage(Data.Icon);
    const auto key = std::make_pair(Data.Wnd, Data.ID);
    const auto it = FIcons.find(key);
    switch (Message) {
        case NIM_ADD: {
            if (it != FIcons.end() || !IsWindow(Data.Wnd)) return false;
            NOTIFYICONDATA icon;
            icon.Wnd = Data.Wnd;
            icon.ID = Data.ID;
            Merge(icon, Data);
            FIcons.emplace(key, std::move(icon));
            return true;
        }
        case NIM_MODIFY:
            if (it == FIcons.end()) return false;
            Merge(it->second, Data);
            return true;
        case NIM_DELETE:
            if (it == FIcons.end()) return false;
            FIcons.erase(it);
            return true;
        default:
            return false;
    }
}

const NOTIFYICONDATA* TTrayIcons::Find(HWND Wnd, UINT ID) const {
    const auto it = FIcons.find(std::make_pair(Wnd, ID));
    return it == FIcons.end() ? nullptr : &it->second;
}

bool TTrayIcons::Report(HWND Wnd, UINT ID, UINT MouseMessage) const {
    const NOTIFYICONDATA* icon = Find(Wnd, ID);
    if (icon == nullptr || (icon->Flags & NIF_MESSAGE) == 0) return false;
    return PostMessage(Wnd, icon->CallbackMessage, ID, static_cast<LPARAM>(MouseMessage));
}

}  // namespace vex
