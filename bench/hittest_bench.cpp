// What routing mouse input costs. A shown top-level window holds a grid of 1,000 child windows;
// 100,000 injected mouse moves sweep across it, each taken from the queue (hit testing,
// WM_NCHITTEST, WM_SETCURSOR, hooks) and dispatched as WM_MOUSEMOVE to the child under it. The
// peer is the bare search for the deepest window at the same points (WindowFromPoint), run
// interleaved in the same benchmark; the hit tests per second of both and their ratio are
// counters and printed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "bench/besttime.h"
#include "platform/win/input.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace {

using namespace vex;

constexpr int kColumns = 40;
constexpr int kRows = 25;
constexpr int kCellWidth = 25;
constexpr int kCellHeight = 30;
constexpr int kMoves = 100000;
constexpr TPoint kOrigin{50, 40};

// The top-level window and its grid of children, each counting the moves it gets.
class TChildGrid {
public:
    TChildGrid() {
        WNDCLASS cell;
        if (!GetClassInfo("BenchCell", cell)) {
            cell.lpszClassName = "BenchCell";
            cell.lpfnWndProc = [](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
                if (Msg == WM_MOUSEMOVE) ++Moves();
                return DefWindowProc(Wnd, Msg, WParam, LParam);
            };
            RegisterClass(cell);
        }
        Main = CreateWindowEx(0, "BenchCell", "grid", WS_POPUP | WS_VISIBLE, kOrigin.X, kOrigin.Y,
                              kColumns * kCellWidth, kRows * kCellHeight, 0, 0, 0);
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column)
                CreateWindowEx(0, "BenchCell", "", WS_CHILD | WS_VISIBLE, column * kCellWidth + 1,
                               row * kCellHeight + 1, kCellWidth - 2, kCellHeight - 2, Main, 0, 0);
        Pump();
    }
    ~TChildGrid() { DestroyWindow(Main); }

    static uint64_t& Moves() {
        static uint64_t moves = 0;
        return moves;
    }
    static void Pump() {
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
            DispatchMessage(msg);
    }

    HWND Main;
};

// A sweep that crosses every cell, never landing twice running on one point.
std::vector<TPoint> SweepPoints() {
    std::vector<TPoint> points;
    points.reserve(kMoves);
    const int width = kColumns * kCellWidth;
    const int height = kRows * kCellHeight;
    for (int i = 0; i < kMoves; ++i)
        points.push_back(
            TPoint{kOrigin.X + (i * 7) % width, kOrigin.Y + (i * 13 + i / width) % height});
    return points;
}

bench::TAgainstBare gTimes;

void BM_RoutedMovesAgainstBareHitTests(benchmark::State& State) {
    const TChildGrid grid;
    const std::vector<TPoint> points = SweepPoints();
    gTimes = bench::TAgainstBare();
    for (auto _ : State) {
        TChildGrid::Moves() = 0;
        gTimes.Framework.Time([&] {
            for (const TPoint& p : points) {
                InjectMouseMove(p);
                TChildGrid::Pump();
            }
        });
        if (TChildGrid::Moves() != kMoves) State.SkipWithError("a move was not dispatched");
        gTimes.Bare.Time([&] {
            for (const TPoint& p : points)
                benchmark::DoNotOptimize(WindowFromPoint(p));
        });
    }
    State.counters["routed_per_s"] = kMoves / gTimes.Framework.Seconds();
    State.counters["bare_per_s"] = kMoves / gTimes.Bare.Seconds();
    State.counters["ratio"] = gTimes.Ratio();
}
BENCHMARK(BM_RoutedMovesAgainstBareHitTests)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "100,000 moves over 1,000 child windows: %.0f routed hit tests/s, %.0f bare hit tests/s; "
        "ratio %.2f\n",
        kMoves / gTimes.Framework.Seconds(), kMoves / gTimes.Bare.Seconds(), gTimes.Ratio());
    return 0;
}
