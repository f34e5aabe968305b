// Typing into a rich-text control must cost the same whatever the document holds. Two shown,
// word-wrapped controls, one holding 100 KB and one 10 MB of RTF, take 10,000 keystrokes one at
// a time in the middle of their text (letters, a blank every eighth key, a paragraph break every
// sixtieth), each followed by its painting: the edit, the relayout of its paragraph and the
// repaint of its lines. The 100 KB control is the peer: the ratio of the times per keystroke is
// printed, and it should stay under 2. How many paragraphs each keystroke laid out is counted.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <limits>
#include <string>

#include "bench/besttime.h"
#include "bench/rtfdocument.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richeditmessages.h"
#include "platform/rich/richlayout.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"

namespace {

using namespace vex;

constexpr int kKeysPerPass = 10000;

struct TRichForm {
    TForm* Form = new TForm(nullptr);
    TRichEdit* Edit = new TRichEdit(Form);
    int Typed = 0;
    int32_t Loaded = 0;

    explicit TRichForm(size_t Bytes) {
        Form->SetBounds(0, 0, 640, 480);
        Edit->SetBounds(0, 0, 620, 460);
        Edit->SetScrollBars(ssVertical);
        Edit->SetWordWrap(true);
        // The user's typing is held to 32K characters by default; these documents are larger.
        Edit->SetMaxLength(std::numeric_limits<int32_t>::max());
        Edit->SetParent(Form);
        Edit->StreamIn(bench::MakeRtf(Bytes), SF_RTF);
        Form->Show();
        Edit->SetFocus();
        Edit->SetSelStart(Edit->Engine().TextLength() / 2);
        Application().ProcessMessages();
        Loaded = Edit->Engine().TextLength();
    }
    ~TRichForm() { delete Form; }
    TRichForm(const TRichForm&) = delete;
    TRichForm& operator=(const TRichForm&) = delete;

    void TypeKeys() {
        for (int i = 0; i < kKeysPerPass; ++i, ++Typed) {
            const char key = Typed % 60 == 59 ? '\r' : Typed % 8 == 7 ? ' ' : 'a' + Typed % 26;
            Edit->Perform(WM_CHAR, static_cast<uint8_t>(key), 0);
            Application().ProcessMessages();
        }
    }
    int64_t LaidOut() const { return Edit->Layout().ParagraphsLaidOut(); }
    // Every key typed went in (a paragraph break is two characters).
    bool AllTyped() const { return Edit->Engine().TextLength() >= Loaded + Typed; }
};

bench::TAgainstBare gTimes;
double gLaidOutPerKey[2] = {0, 0};  // 10 MB, 100 KB

void BM_TypingInto10MBAgainst100KB(benchmark::State& State) {
    TRichForm large(10 << 20);
    TRichForm small(100 << 10);
    const int64_t laidOut[2] = {large.LaidOut(), small.LaidOut()};
    for (auto _ : State) {
        gTimes.Framework.Time([&] { large.TypeKeys(); });
        gTimes.Bare.Time([&] { small.TypeKeys(); });
    }
    if (!large.AllTyped() || !small.AllTyped()) State.SkipWithError("the keys were not typed");
    gTimes.Count(State);
    gLaidOutPerKey[0] = double(large.LaidOut() - laidOut[0]) / large.Typed;
    gLaidOutPerKey[1] = double(small.LaidOut() - laidOut[1]) / small.Typed;
    State.counters["laid_out_per_key"] = gLaidOutPerKey[0];
}
BENCHMARK(BM_TypingInto10MBAgainst100KB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "a keystroke into a rich-text control of 10 MB %.1f us, of 100 KB %.1f us; "
        "ratio %.2f\n",
        gTimes.Framework.Seconds() * 1e6 / kKeysPerPass, gTimes.Bare.Seconds() * 1e6 / kKeysPerPass,
        gTimes.Ratio());
    std::printf("paragraphs laid out a keystroke: %.2f at 10 MB, %.2f at 100 KB\n",
                gLaidOutPerKey[0], gLaidOutPerKey[1]);
    return 0;
}
