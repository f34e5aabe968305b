// What a list box of 100,000 items costs against a plain sorted std::vector<std::string> doing
// the same work, in the same run:
// - adding the items one by one to a sorted list box, against inserting each in its place in the
//   vector (the same collating order, letters in any case);
// - scrolling from the top to the end (End, and painting what then shows), against drawing the
//   vector's last page of strings on a bitmap of the same size with the same font;
// - LB_SELECTSTRING with 1,000 prefixes, against a binary search of the vector for each.
// Each side is the best of its passes; the ratios are counters and printed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "platform/core/codepage.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/listbox.h"
#include "platform/win/keyboard.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"

namespace {

using namespace vex;

constexpr int kItems = 100000;
constexpr int kPrefixes = 1000;

std::vector<std::string> Words() {
    std::mt19937 random(100000);
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::vector<std::string> words;
    words.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        std::string word;
        for (int k = 0; k < 10; ++k)
            word += letters[random() % letters.size()];
        words.push_back(word);
    }
    return words;
}

std::vector<std::string> Prefixes(const std::vector<std::string>& Words) {
    std::vector<std::string> prefixes;
    for (int i = 0; i < kPrefixes; ++i)
        prefixes.push_back(Words[(i * 7919) % Words.size()].substr(0, 3));
    return prefixes;
}

bool Before(const std::string& A, const std::string& B) {
    return AnsiCollate(A, B, true) < 0;
}

// A shown form holding the list box, as an application has it.
struct TListForm {
    TListForm() {
        Form->SetBounds(0, 0, 300, 400);
        List->SetBounds(8, 8, 200, 300);
        List->SetSorted(true);
        List->SetParent(Form);
        Form->Show();
        Pump();
    }
    ~TListForm() { delete Form; }
    static void Pump() {
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
            DispatchMessage(msg);
    }

    TForm* Form = new TForm(nullptr);
    TListBox* List = new TListBox(Form);
};

// The list box holding Words, added inside one update, and the peer's vector of them sorted.
struct TFilledListForm : TListForm {
    explicit TFilledListForm(const std::vector<std::string>& Words) : Sorted(Words) {
        List->Items().BeginUpdate();
        for (const std::string& word : Words)
            List->Items().Add(word);
        List->Items().EndUpdate();
        std::stable_sort(Sorted.begin(), Sorted.end(), Before);
    }
    std::vector<std::string> Sorted;
};

bench::TAgainstBare gAdding, gScrolling, gSelecting;

void BM_AddingSorted(benchmark::State& State) {
    const std::vector<std::string> words = Words();
    for (auto _ : State) {
        TListForm form;
        gAdding.Framework.Time([&] {
            for (const std::string& word : words)
                form.List->Items().Add(word);
        });
        if (form.List->Items().Count() != kItems) State.SkipWithError("items were lost");
        std::vector<std::string> sorted;
        gAdding.Bare.Time([&] {
            for (const std::string& word : words)
                sorted.insert(std::upper_bound(sorted.begin(), sorted.end(), word, Before), word);
        });
        if (sorted.front() != form.List->Items().Strings(0)) State.SkipWithError("orders differ");
    }
    gAdding.Count(State);
}
BENCHMARK(BM_AddingSorted)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ScrollingToTheEnd(benchmark::State& State) {
    const std::vector<std::string> words = Words();
    TFilledListForm form(words);
    const std::vector<std::string>& sorted = form.Sorted;
    const int32_t rows = form.List->ClientHeight() / form.List->ItemHeight();
    TBitmap bitmap;
    bitmap.SetSize(form.List->ClientWidth(), form.List->ClientHeight());
    bitmap.Canvas().Font().Assign(&form.List->Font());
    const HWND wnd = form.List->Handle();
    for (auto _ : State) {
        form.List->Perform(WM_KEYDOWN, VK_HOME, 0);
        UpdateWindow(wnd);
        gScrolling.Framework.Time([&] {
            form.List->Perform(WM_KEYDOWN, VK_END, 0);
            UpdateWindow(wnd);
        });
        if (form.List->ItemIndex() != kItems - 1) State.SkipWithError("not at the end");
        gScrolling.Bare.Time([&] {
            TCanvas& canvas = bitmap.Canvas();
            canvas.Brush().SetColor(clWindow);
            canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
            const int32_t h = form.List->ItemHeight();
            for (int32_t i = 0; i < rows; ++i) {
                const TRect row = Rect(0, i * h, bitmap.Width(), (i + 1) * h);
                canvas.TextRect(row, 2, row.Top, sorted[sorted.size() - rows + i]);
            }
        });
    }
    gScrolling.Count(State);
}
BENCHMARK(BM_ScrollingToTheEnd)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_SelectString(benchmark::State& State) {
    const std::vector<std::string> words = Words();
    const std::vector<std::string> prefixes = Prefixes(words);
    TFilledListForm form(words);
    const std::vector<std::string>& sorted = form.Sorted;
    for (auto _ : State) {
        int64_t found = 0;
        gSelecting.Framework.Time([&] {
            for (const std::string& prefix : prefixes)
                found += form.List->Perform(LB_SELECTSTRING, WPARAM(-1),
                                            reinterpret_cast<LPARAM>(prefix.c_str()));
        });
        int64_t bare = 0;
        int32_t selected = -1;
        gSelecting.Bare.Time([&] {
            for (const std::string& prefix : prefixes) {
                const auto at = std::partition_point(
                    sorted.begin(), sorted.end(),
                    [&](const std::string& S) { return AnsiCollatePrefix(S, prefix) < 0; });
                selected = at != sorted.end() && AnsiCollatePrefix(*at, prefix) == 0
                               ? static_cast<int32_t>(at - sorted.begin())
                               : -1;
                bare += selected;
            }
        });
        benchmark::DoNotOptimize(selected);
        if (found != bare) State.SkipWithError("the two searches found different items");
    }
    gSelecting.Count(State);
}
BENCHMARK(BM_SelectString)->Unit(benchmark::kMicrosecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "100,000 items against a sorted std::vector<std::string>: adding %.2fx, "
        "scrolling to the end %.2fx, LB_SELECTSTRING %.2fx\n",
        gAdding.Ratio(), gScrolling.Ratio(), gSelecting.Ratio());
    return 0;
}
