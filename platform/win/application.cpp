#include "platform/win/application.h"

#include <filesystem>

#include "platform/win/messagebox.h"
#include "platform/win/translatemessage.h"
#include "platform/win/window.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

std::string ProgramTitle() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.stem().string();
}

}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FTitle(ProgramTitle()) {}

void TApplication::SetTitle(const std::string& Value) {
    FTitle = Value;
    if (FHandle != 0) SetWindowText(FHandle, Value);
}

HWND TApplication::Handle() {
    if (FHandle == 0) {
        // Kept until the process ends, with the window tree, which static destruction may
        // already have taken down by the time this object goes.
        FHandle = AllocateHWnd(
            [this](TMessage& M) { M.Result = DefWindowProc(FHandle, M.Msg, M.WParam, M.LParam); });
        SetWindowText(FHandle, FTitle);
        if (OnHandleCreated) OnHandleCreated(FHandle);
    }
    return FHandle;
}

void TApplication::HandleTakenMessage(MSG& Msg) {
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    if (handled || (FPreDispatch != nullptr && FPreDispatch(Msg))) return;
    TranslateMessage(Msg);
    DispatchMessage(Msg);
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessage(msg, 0, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT)
        FTerminated = true;
    else
        HandleTakenMessage(msg);
    return true;
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) Idle();
}

void TApplication::Idle() {
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (done) WaitMessage();
}

void TApplication::Run() {
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::HandleException(TObject* Sender) {
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e.Message());
    } catch (const std::exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e.what());
    } catch (...) {
        ShowException("Unknown exception");
    }
}

void TApplication::ShowException(const std::string& Message) {
    std::string text = Message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBox(0, text, FTitle, MB_OK | MB_ICONSTOP);
}

TApplication& Application() {
    static TApplication application(nullptr);
    return application;
}

}  // namespace vex
