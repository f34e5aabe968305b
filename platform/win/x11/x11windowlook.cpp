#include "platform/win/x11/x11windowlook.h"

#include <X11/Xatom.h>

#include <string>
#include <vector>

#include "platform/win/x11/x11connection.h"
#include "platform/win/x11/x11text.h"

namespace vex {

namespace {

constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
// The Motif hints' flag saying the decorations field counts; a decorations field of 0 is none.
constexpr unsigned long kMotifHintsDecorations = 1ul << 1;

void WriteText(Display* Dpy, Window Target, Atom Property, Atom Type, const std::string& Text) {
    XChangeProperty(Dpy, Target, Property, Type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(Text.data()),
                    static_cast<int>(Text.size()));
}

void WriteAtoms(Display* Dpy, Window Target, Atom Property, const std::vector<Atom>& Atoms) {
    if (Atoms.empty()) {
        XDeleteProperty(Dpy, Target, Property);
        return;
    }
    // Format-32 data goes through Xlib as longs.
    std::vector<unsigned long> values(Atoms.begin(), Atoms.end());
    XChangeProperty(Dpy, Target, Property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

void WriteStates(const TX11Connection& C, Window Target, const TX11Look* Previous,
                 const TX11Look& Next, bool Mapped) {
    const TX11Atoms& atoms = C.Atoms();
    if (Mapped && C.WindowManagerRunning()) {
        const auto request = [&](Atom State, bool On) {
            C.AskWindowManager(Target, atoms.NetWmState,
                               {On ? kStateAdd : kStateRemove, static_cast<long>(State), 0,
                                TX11Connection::SourceApplication, 0});
        };
        if (Previous == nullptr || Previous->OnTop != Next.OnTop)
            request(atoms.NetWmStateAbove, Next.OnTop);
        if (Previous == nullptr || Previous->Utility != Next.Utility)
            request(atoms.NetWmStateSkipTaskbar, Next.Utility);
        return;
    }
    std::vector<Atom> states;
    if (Next.OnTop) states.push_back(atoms.NetWmStateAbove);
    if (Next.Utility) states.push_back(atoms.NetWmStateSkipTaskbar);
    WriteAtoms(C.Dpy(), Target, atoms.NetWmState, states);
}

void WriteDecorations(const TX11Connection& C, Window Target, bool Framed) {
    if (Framed) {
        XDeleteProperty(C.Dpy(), Target, C.Atoms().MotifWmHints);
        return;
    }
    // flags, functions, decorations, input mode, status
    const unsigned long hints[5] = {kMotifHintsDecorations, 0, 0, 0, 0};
    XChangeProperty(C.Dpy(), Target, C.Atoms().MotifWmHints, C.Atoms().MotifWmHints, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(hints), 5);
}

}  // namespace

void WriteWindowLook(const TX11Connection& Connection, Window Target, const TX11Look* Previous,
                     const TX11Look& Next, bool Mapped) {
    Display* dpy = Connection.Dpy();
    const TX11Atoms& atoms = Connection.Atoms();
    if (Previous == nullptr || Previous->Title != Next.Title) {
        WriteText(dpy, Target, atoms.NetWmName, atoms.Utf8String, Win1252ToUtf8(Next.Title));
        WriteText(dpy, Target, XA_WM_NAME, XA_STRING, Win1252ToLatin1(Next.Title));
    }
    if (Previous == nullptr || Previous->TransientFor != Next.TransientFor) {
        if (Next.TransientFor != 0)
            XSetTransientForHint(dpy, Target, Next.TransientFor);
        else
            XDeleteProperty(dpy, Target, XA_WM_TRANSIENT_FOR);
    }
    if (Previous == nullptr || Previous->Utility != Next.Utility)
        WriteAtoms(dpy, Target, atoms.NetWmWindowType,
                   {Next.Utility ? atoms.NetWmWindowTypeUtility : atoms.NetWmWindowTypeNormal});
    if (Previous == nullptr || Previous->OnTop != Next.OnTop || Previous->Utility != Next.Utility)
        WriteStates(Connection, Target, Previous, Next, Mapped);
    if (Previous == nullptr || Previous->Framed != Next.Framed)
        WriteDecorations(Connection, Target, Next.Framed);
}

}  // namespace vex
