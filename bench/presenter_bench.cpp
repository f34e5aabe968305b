// Frames per second of a 1280 x 1024 window put on an Xvfb display through the X11 presenter,
// against a bare XShmPutImage loop of the same picture on the same server, the most any
// presenter could reach. Each frame of the bare loop is a put and an XSync. Each frame through
// the presenter is what the window tree does for one: it waits until the display has read the
// window's pixel store, as it does before painting into it, and presents the whole window from
// it; the last frame is waited for once the loop ends.
//
// Then what an idle shown window costs: a 2-second wait in the message loop with the window on
// screen, against one bare poll() of the display's descriptor for as long.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "bench/cpushare.h"
#include "platform/core/clock.h"
#include "platform/win/messageloop.h"
#include "platform/win/x11/x11presenter.h"
#include "tests/support/xvfbserver.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;

// Stripes and text-like specks, as a painted form would look.
std::vector<uint32_t> Picture() {
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels[static_cast<size_t>(y) * kWidth + x] = (x * 31 + y * 17) % 11 == 0 ? 0
                                                          : (x / 8) % 2               ? 0xFF8040
                                                                                      : 0x2060C0;
    return pixels;
}

const vex::test::XvfbServer& Server() {
    static const vex::test::XvfbServer server(true, kWidth, kHeight);
    return server;
}

constexpr int kIdleMilliseconds = 2000;

double gPresenterFps = 0;
double gBareFps = 0;
double gLoopCpuShare = 0;
double gPollCpuShare = 0;

using vex::bench::ThreadCpuSeconds;
using vex::bench::WallSeconds;

// A presenter on the bench's display whose sink answers an expose with Rows, as they are then.
std::unique_ptr<vex::TPresenter> PresenterShowing(const vex::TPixelRows& Rows) {
    vex::TPresenterSink sink;
    sink.Pixels = [&Rows](vex::HWND) { return Rows; };
    return vex::MakeX11Presenter(Server().DisplayName(), sink);
}

// Shows window 1 of Size with Rows on it, and lets its first map and expose pass.
void ShowWindow(vex::TPresenter& Presenter, const vex::TPixelRows& Rows, const vex::TRect& Size) {
    Presenter.Show(1, Size, vex::TWindowLook{"Bench"});
    Presenter.Present(1, Rows, Size);
    vex::ProcessMessagesUntil([] { return false; }, vex::Clock().TickMilliseconds() + 200);
}

void BM_FramesThroughThePresenter(benchmark::State& State) {
    const std::vector<uint32_t> picture = Picture();
    const vex::TRect whole = vex::Rect(0, 0, kWidth, kHeight);
    vex::TPixelRows rows{nullptr, kWidth, kHeight, kWidth};
    const std::unique_ptr<vex::TPresenter> presenter = PresenterShowing(rows);
    const std::unique_ptr<vex::TPixelStore> store = presenter->MakePixelStore(kWidth, kHeight);
    std::memcpy(store->Pixels(), picture.data(), picture.size() * sizeof(uint32_t));
    rows.Pixels = store->Pixels();
    ShowWindow(*presenter, rows, whole);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : State) {
        store->AwaitRead();
        presenter->Present(1, rows, whole);
    }
    store->AwaitRead();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    gPresenterFps = static_cast<double>(State.iterations()) / seconds;
    State.counters["fps"] = gPresenterFps;
}

void BM_FramesThroughABareShmPutImageLoop(benchmark::State& State) {
    const std::vector<uint32_t> pixels = Picture();
    Display* dpy = XOpenDisplay(Server().DisplayName().c_str());
    if (dpy == nullptr || !XShmQueryExtension(dpy)) throw std::runtime_error("no MIT-SHM display");
    const int screen = DefaultScreen(dpy);
    const Window window =
        XCreateSimpleWindow(dpy, RootWindow(dpy, screen), 0, 0, kWidth, kHeight, 0, 0, 0);
    XMapWindow(dpy, window);
    const GC gc = XCreateGC(dpy, window, 0, nullptr);
    XShmSegmentInfo segment{};
    XImage* image = XShmCreateImage(dpy, DefaultVisual(dpy, screen), 24, ZPixmap, nullptr, &segment,
                                    kWidth, kHeight);
    segment.shmid =
        shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * kHeight, IPC_CREAT | 0600);
    segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    segment.readOnly = True;
    XShmAttach(dpy, &segment);
    XSync(dpy, False);
    shmctl(segment.shmid, IPC_RMID, nullptr);
    std::memcpy(image->data, pixels.data(), pixels.size() * sizeof(uint32_t));

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : State) {
        XShmPutImage(dpy, window, gc, image, 0, 0, 0, 0, kWidth, kHeight, False);
        XSync(dpy, False);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    gBareFps = static_cast<double>(State.iterations()) / seconds;
    State.counters["fps"] = gBareFps;

    XShmDetach(dpy, &segment);
    shmdt(segment.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
    XFreeGC(dpy, gc);
    XCloseDisplay(dpy);
}

void BM_IdleWaitWithAShownWindow(benchmark::State& State) {
    const std::vector<uint32_t> pixels = Picture();
    const vex::TPixelRows rows{pixels.data(), kWidth, kHeight, kWidth};
    const std::unique_ptr<vex::TPresenter> presenter = PresenterShowing(rows);
    ShowWindow(*presenter, rows, vex::Rect(0, 0, 640, 480));
    for (auto _ : State) {
        const double cpu = ThreadCpuSeconds(), wall = WallSeconds();
        vex::ProcessMessagesUntil([] { return false; },
                                  vex::Clock().TickMilliseconds() + kIdleMilliseconds);
        gLoopCpuShare = (ThreadCpuSeconds() - cpu) / (WallSeconds() - wall);
    }
    State.counters["cpu_share_percent"] = gLoopCpuShare * 100;
}

void BM_IdleWaitByOneBarePoll(benchmark::State& State) {
    Display* dpy = XOpenDisplay(Server().DisplayName().c_str());
    if (dpy == nullptr) throw std::runtime_error("cannot open the display");
    for (auto _ : State) {
        const double cpu = ThreadCpuSeconds(), wall = WallSeconds();
        pollfd p{ConnectionNumber(dpy), POLLIN, 0};
        ::poll(&p, 1, kIdleMilliseconds);
        gPollCpuShare = (ThreadCpuSeconds() - cpu) / (WallSeconds() - wall);
    }
    State.counters["cpu_share_percent"] = gPollCpuShare * 100;
    XCloseDisplay(dpy);
}

BENCHMARK(BM_FramesThroughThePresenter)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FramesThroughABareShmPutImageLoop)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IdleWaitWithAShownWindow)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IdleWaitByOneBarePoll)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double ratio = gBareFps > 0 ? gPresenterFps / gBareFps : 0.0;
    std::printf("%d x %d frames: presenter %.0f fps, bare XShmPutImage %.0f fps; ratio %.2f\n",
                kWidth, kHeight, gPresenterFps, gBareFps, ratio);
    std::printf(
        "idle 2 s wait with a shown window: message loop %.3f%% of a core, bare poll "
        "%.3f%%\n",
        gLoopCpuShare * 100, gPollCpuShare * 100);
    return 0;
}
