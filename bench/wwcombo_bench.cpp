// Dropping down a data-aware combo box of 100,000 items against the same drop-down with 100
// items, in the same run: the list shows eight rows either way, so it should measure and paint
// only those. A pass drops the list down with the middle item chosen, paints it and
// closes it up; the list is filled at the first drop-down (timed on its own) and reused while
// the items stay as they are. Each side is the best of its passes; the ratios are counters and
// printed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/besttime.h"
#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbcombolist.h"
#include "platform/ui/form.h"
#include "platform/win/updateregion.h"
#include "platform/win/window.h"

namespace {

using namespace vex;

constexpr int kMany = 100000;
constexpr int kFew = 100;

// A shown form with a focused combo box of Count items, the middle one chosen.
struct TComboForm {
    explicit TComboForm(int Count) {
        Form->SetBounds(0, 0, 300, 300);
        Combo->SetBounds(8, 8, 200, 21);
        Combo->SetParent(Form);
        Combo->SetReadOnly(false);
        Combo->Items().BeginUpdate();
        for (int i = 0; i < Count; ++i)
            Combo->Items().Add("Item " + std::to_string(i));
        Combo->Items().EndUpdate();
        Combo->SetItemIndex(Count / 2);
        Form->Show();
        Combo->SetFocus();
        Pump();
    }
    ~TComboForm() { delete Form; }
    static void Pump() {
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
            DispatchMessage(msg);
    }
    // Drops the list down, paints it and closes it up; false when it did not show the choice.
    bool DropDownOnce() {
        Combo->DropDown();
        UpdateWindow(Combo->PopupList()->Handle());
        const bool shown = Combo->PopupList()->ItemIndex() >= 0;
        Combo->CloseUp(false);
        return shown;
    }

    TForm* Form = new TForm(nullptr);
    TwwDBComboBox* Combo = new TwwDBComboBox(Form);
};

bench::TAgainstBare gFirst, gAgain;

void BM_DropDown(benchmark::State& State) {
    for (auto _ : State) {
        TComboForm many(kMany), few(kFew);
        bool shown = true;
        gFirst.Framework.Time([&] { shown &= many.DropDownOnce(); });
        gFirst.Bare.Time([&] { shown &= few.DropDownOnce(); });
        for (int pass = 0; pass < 20; ++pass) {
            gAgain.Framework.Time([&] { shown &= many.DropDownOnce(); });
            gAgain.Bare.Time([&] { shown &= few.DropDownOnce(); });
        }
        if (!shown) State.SkipWithError("a drop-down did not show the chosen item");
    }
    gAgain.Count(State);
}
BENCHMARK(BM_DropDown)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "combo box drop-down, 100,000 items against 100: %.2fx (first drop-down, filling the "
        "list: %.2fx)\n",
        gAgain.Ratio(), gFirst.Ratio());
    return 0;
}
