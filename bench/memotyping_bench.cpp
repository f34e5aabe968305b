// Typing into a memo must cost the same whatever the memo holds. Two shown memos, one holding
// 100 KB and one 1 MB of 50-character lines (kept whole, so that a line is one row), take the same
// keystrokes in the middle of their text (letters, a blank every eighth key, a line break every
// sixtieth), each followed by its painting. The 100 KB memo is the peer: the ratio of the times per
// keystroke is printed, and it should stay under 2. Each keystroke that changes one line
// must invalidate that line's row alone; the keystrokes that invalidated more are counted. The
// same runs again on narrower memos whose lines wrap.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/besttime.h"
#include "platform/ui/form.h"
#include "platform/ui/memo.h"
#include "platform/win/application.h"
#include "platform/win/updateregion.h"

namespace {

using namespace vex;

constexpr int kKeysPerPass = 1000;

std::string TextOf(size_t Bytes) {
    std::string text;
    text.reserve(Bytes + 64);
    for (int line = 0; text.size() < Bytes; ++line)
        text += "line " + std::to_string(line) + " of a memo that holds a lot of plain text\r\n";
    return text;
}

struct TMemoForm {
    TForm* Form = new TForm(nullptr);
    TMemo* Memo = new TMemo(Form);
    int Typed = 0;
    int WiderRepaints = 0;
    int32_t RowHeight = 0;

    TMemoForm(size_t Bytes, bool Wrap) {
        Form->SetBounds(0, 0, 1040, 400);
        Memo->SetBounds(0, 0, Wrap ? 200 : 1020, 380);
        Memo->SetScrollBars(ssVertical);
        Memo->SetWordWrap(Wrap);
        Memo->SetParent(Form);
        Memo->SetText(TextOf(Bytes));
        Form->Show();
        Memo->SetFocus();
        Memo->SetSelStart(Memo->TextBuffer().TextLength() / 2);
        Application().ProcessMessages();
        RowHeight = Memo->Canvas().TextHeight("Ag");
    }
    ~TMemoForm() { delete Form; }
    TMemoForm(const TMemoForm&) = delete;
    TMemoForm& operator=(const TMemoForm&) = delete;

    void TypeKeys() {
        for (int i = 0; i < kKeysPerPass; ++i, ++Typed) {
            const char key = Typed % 60 == 59 ? '\r' : Typed % 8 == 7 ? ' ' : 'a' + Typed % 26;
            Memo->Perform(WM_CHAR, static_cast<uint8_t>(key), 0);
            TRect update;
            if (key != '\r' && GetUpdateRect(Memo->Handle(), update) &&
                update.Bottom - update.Top > RowHeight)
                ++WiderRepaints;
            Application().ProcessMessages();
        }
    }
};

// The times of the 1 MB memo against the 100 KB one, with lines kept whole and wrapped.
bench::TAgainstBare gTimes[2];
int gWiderRepaints = 0;

void TypeIntoBoth(benchmark::State& State, bool Wrap) {
    TMemoForm large(1 << 20, Wrap);
    TMemoForm small(100 << 10, Wrap);
    bench::TAgainstBare& times = gTimes[Wrap ? 1 : 0];
    times = bench::TAgainstBare();
    for (auto _ : State) {
        times.Framework.Time([&] { large.TypeKeys(); });
        times.Bare.Time([&] { small.TypeKeys(); });
    }
    times.Count(State);
    if (!Wrap) {
        gWiderRepaints = large.WiderRepaints + small.WiderRepaints;
        State.counters["wider_repaints"] = gWiderRepaints;
    }
}

void BM_TypingInto1MBAgainst100KB(benchmark::State& State) {
    TypeIntoBoth(State, false);
}
BENCHMARK(BM_TypingInto1MBAgainst100KB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_WrappedTypingInto1MBAgainst100KB(benchmark::State& State) {
    TypeIntoBoth(State, true);
}
BENCHMARK(BM_WrappedTypingInto1MBAgainst100KB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    for (int wrap = 0; wrap < 2; ++wrap)
        std::printf("%s: a keystroke into a memo of 1 MB %.1f us, of 100 KB %.1f us; ratio %.2f\n",
                    wrap != 0 ? "wrapped lines" : "whole lines",
                    gTimes[wrap].Framework.Seconds() * 1e6 / kKeysPerPass,
                    gTimes[wrap].Bare.Seconds() * 1e6 / kKeysPerPass, gTimes[wrap].Ratio());
    std::printf("keystrokes that repainted more than their line: %d\n", gWiderRepaints);
    return 0;
}
