// What sorting 1,000,000 rows of five columns by a header click costs against std::stable_sort
// of a row-index vector with the same comparison, in the same run: on a text column where a
// tenth of the rows tie and the next column decides, and on a number column, whose peer
// converts both texts on every comparison as the grid does. Both sides ask OnGetFormat before
// every cell comparison. Each side is the best of its passes; the ratios are counters and are
// printed at the end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "components/misc/AdvGrid.h"
#include "components/misc/AdvGridCompare.h"
#include "platform/ui/form.h"
#include "platform/win/window.h"

namespace vex {

// Clicks a header cell the way the grid's mouse handling does after a release.
class TAdvGridSortTester {
public:
    static void ClickHeader(TAdvStringGrid& Grid, int32_t ACol) {
        const TRect cell = Grid.CellRect(ACol, 0);
        Grid.HeaderClickSort(cell.Left + 2, cell.Top + 2);
    }
};

namespace {

constexpr int32_t kRows = 1'000'000;
constexpr int32_t kCols = 5;

using TColumns = std::vector<std::vector<std::string>>;

std::string RandomWord(std::mt19937& Rng, size_t Length) {
    std::string word(Length, ' ');
    for (char& c : word)
        c = static_cast<char>('a' + Rng() % 26);
    return word;
}

// Rule-like rows: a text of which a tenth repeats an earlier row's, a second text that orders
// the repeats, a yes/no option, a hit counter and a note.
TColumns TextRows() {
    std::mt19937 rng(1);
    TColumns cols(kCols);
    for (int32_t r = 0; r < kRows; ++r) {
        const bool repeat = r > 0 && rng() % 10 == 0;
        cols[0].push_back(repeat ? cols[0][rng() % cols[0].size()] : RandomWord(rng, 12));
        cols[1].push_back(RandomWord(rng, 8));
        cols[2].push_back(rng() % 2 ? "Yes" : "No");
        cols[3].push_back(std::to_string(rng() % 100000));
        cols[4].push_back(RandomWord(rng, 20));
    }
    return cols;
}

// The same with a price-like number first.
TColumns NumberRows() {
    TColumns cols = TextRows();
    std::mt19937 rng(2);
    for (std::string& text : cols[0])
        text = std::to_string(rng() % 100'000'000) + "." + std::to_string(rng() % 100);
    return cols;
}

struct TGridForm {
    TGridForm() {
        Form->SetBounds(0, 0, 400, 300);
        Grid->SetBounds(0, 0, 380, 280);
        Grid->SetParent(Form);
        Grid->SetFixedCols(0);
        Grid->SetColCount(kCols);
        Grid->SetRowCount(kRows + 1);
        Grid->SetSortShow(true);
        Form->Show();
        MSG msg;
        while (PeekMessage(msg, 0, 0, 0, PM_REMOVE))
            DispatchMessage(msg);
    }
    ~TGridForm() { delete Form; }
    void Fill(const TColumns& Cols) const {
        for (int32_t c = 0; c < kCols; ++c)
            for (int32_t r = 0; r < kRows; ++r)
                Grid->SetCells(c, r + 1, Cols[static_cast<size_t>(c)][static_cast<size_t>(r)]);
        // Another column was sorted last, so the click sorts ascending.
        Grid->SetSortColumn(kCols - 1);
    }

    TForm* Form = new TForm(nullptr);
    TAdvStringGrid* Grid = new TAdvStringGrid(Form);
};

// The grid's row comparison (ties to the next column, never to the last) over row indexes.
void StableSortRows(TAdvStringGrid& Grid, std::vector<int32_t>& Rows) {
    std::string prefix, suffix;
    auto cell = [&](int32_t ACol, int32_t A, int32_t B) {
        TSortStyle style = ssText;
        prefix.clear();
        suffix.clear();
        Grid.OnGetFormat(&Grid, ACol, style, prefix, suffix);
        return CompareCellTexts(style, Grid.Cells(ACol, A), Grid.Cells(ACol, B), prefix, suffix);
    };
    std::stable_sort(Rows.begin(), Rows.end(), [&](int32_t A, int32_t B) {
        for (int32_t c = 0;; ++c) {
            const int32_t result = cell(c, A, B);
            if (result != 0 || c >= kCols - 2) return result < 0;
        }
    });
}

void SortAgainstStableSort(benchmark::State& State, const TColumns& Cols, TSortStyle Style,
                           bench::TAgainstBare& Times) {
    TGridForm form;
    form.Grid->OnGetFormat = [Style](TObject*, int32_t ACol, TSortStyle& AStyle, std::string&,
                                     std::string&) { AStyle = ACol == 0 ? Style : ssText; };
    std::vector<int32_t> rows(kRows);
    for (auto _ : State) {
        State.PauseTiming();
        form.Fill(Cols);
        std::iota(rows.begin(), rows.end(), 1);
        State.ResumeTiming();
        // The peer first: it reads the grid's rows unsorted and leaves them so.
        Times.Bare.Time([&] { StableSortRows(*form.Grid, rows); });
        Times.Framework.Time([&] { TAdvGridSortTester::ClickHeader(*form.Grid, 0); });
    }
    // Both orders agree on the sort column (ties may be ordered apart only by the last one).
    for (int32_t r = 0; r < kRows; ++r)
        if (form.Grid->Cells(0, r + 1) != Cols[0][static_cast<size_t>(rows[r]) - 1]) {
            State.SkipWithError("the grid and the peer sorted differently");
            break;
        }
    Times.Count(State);
}

bench::TAgainstBare gText;
bench::TAgainstBare gNumber;

void BM_TextColumnWithTies(benchmark::State& State) {
    static const TColumns cols = TextRows();
    SortAgainstStableSort(State, cols, ssText, gText);
}
BENCHMARK(BM_TextColumnWithTies)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NumberColumn(benchmark::State& State) {
    static const TColumns cols = NumberRows();
    SortAgainstStableSort(State, cols, ssNumber, gNumber);
}
BENCHMARK(BM_NumberColumn)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vex

int main(int argc, char** argv) {
    vex::bench::RunOffScreen(argc, argv);
    std::printf(
        "Sorting 1,000,000 rows of five columns by a header click, against std::stable_sort of "
        "row indexes with the same comparison: text column with 10%% ties %.2fx, number column "
        "%.2fx\n",
        vex::gText.Ratio(), vex::gNumber.Ratio());
    return 0;
}
