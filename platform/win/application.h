#pragma once

#include <functional>
#include <string>

#include "platform/core/component.h"
#include "platform/core/exceptions.h"
#include "platform/win/messages.h"

namespace vex {

// The application object: it runs the main thread's message loop and is where exceptions that
// escape an event handler end up. Showing one means a stop-icon message box with the
// application's title (see messagebox.h for where that box goes).
class TApplication : public TComponent {
    VEX_CLASS(TApplication, TComponent)

public:
    explicit TApplication(TComponent* AOwner);

    // The program's file name without its extension, unless set; the application window's text.
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value);

    // The application window: hidden, made before any form, and there until the end.
    HWND Handle();
    // Runs once, the moment the application window is made, before anything can show it: a
    // layer that keeps the application off the taskbar parks the window there.
    std::function<void(HWND Wnd)> OnHandleCreated;

    // What every loop does with a message it took, WM_QUIT aside: OnMessage may handle it, then
    // the pre-dispatch filter may, and what is left is translated (a key types its character)
    // and dispatched. Each loop of the program (the application's, modal runs, local loops) goes
    // through here, so that keys and hints behave the same in all of them.
    void HandleTakenMessage(MSG& Msg);
    // The control framework's step before translation (hints, keys for controls, dialog keys),
    // installed once by that layer, which this one cannot name; true: the message was used up.
    using TPreDispatchFilter = bool (*)(MSG& Msg);
    void SetPreDispatchFilter(TPreDispatchFilter Filter) { FPreDispatch = Filter; }

    // Dispatches every message already waiting, then returns; a WM_QUIT among them ends the run.
    void ProcessMessages();
    // Dispatches one message, or when none is waiting runs OnIdle and sleeps until one comes.
    void HandleMessage();
    // Handles messages until Terminated; exceptions from handlers go to HandleException.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // To be called inside a catch block: an EAbort is dropped silently; any other exception goes
    // to OnException when that is assigned, else to ShowException.
    void HandleException(TObject* Sender);
    // The message, with a full stop added when it ends in a character above ".", in a stop box.
    void ShowException(const std::string& Message);

    // Done is true on entry; a handler that leaves it false is called again before sleeping.
    std::function<void(TObject* Sender, bool& Done)> OnIdle;
    std::function<void(TObject* Sender, const std::exception& E)> OnException;
    // Sees each message a loop takes before anything else; Handled (false on entry) set true
    // keeps it from the rest of the way.
    std::function<void(MSG& Msg, bool& Handled)> OnMessage;

private:
    bool ProcessMessage();
    void Idle();

    std::string FTitle;
    bool FTerminated = false;
    HWND FHandle = 0;
    TPreDispatchFilter FPreDispatch = nullptr;
};

// The process's application object.
TApplication& Application();

}  // namespace vex
