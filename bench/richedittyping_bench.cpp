// Typing into a rich-text control must cost the same whatever the document holds. Two shown
// controls whose paragraphs wrap, one holding 100 KB and one 10 MB, take the same keystrokes in
// the middle of their text (letters and a blank every eighth key; every sixtieth key either a
// paragraph end or, in the run of characters alone, the caret goes on to the next paragraph so
// that no paragraph grows without end), each followed by its painting: the edit, one paragraph laid
// out again and its lines painted. The 100 KB control is the peer: the ratio of the times per
// keystroke is printed, and it should stay under 2. The paragraphs laid out per keystroke are
// counted too.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/besttime.h"
#include "platform/rich/richedit.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"

namespace {

using namespace vex;

constexpr int kKeysPerPass = 1000;

std::string TextOf(size_t Bytes) {
    std::string text;
    text.reserve(Bytes + 128);
    for (int paragraph = 0; text.size() < Bytes; ++paragraph)
        text += "Paragraph " + std::to_string(paragraph) +
                " of a release note that wraps over several lines of the control, as notes "
                "downloaded by the filter do.\r\n";
    return text;
}

struct TRichForm {
    TForm* Form = new TForm(nullptr);
    TRichEdit* Edit = new TRichEdit(Form);
    bool Paragraphs;
    int Typed = 0;

    TRichForm(size_t Bytes, bool WithParagraphs) : Paragraphs(WithParagraphs) {
        Form->SetBounds(0, 0, 420, 400);
        Edit->SetBounds(0, 0, 400, 380);
        Edit->SetScrollBars(ssVertical);
        Edit->SetParent(Form);
        Edit->SetMaxLength(INT32_MAX);
        Edit->SetText(TextOf(Bytes));
        Form->Show();
        Edit->SetFocus();
        Edit->SetSelStart(Edit->Engine().TextLength() / 2);
        Application().ProcessMessages();
    }
    ~TRichForm() { delete Form; }
    TRichForm(const TRichForm&) = delete;
    TRichForm& operator=(const TRichForm&) = delete;

    void TypeKeys() {
        for (int i = 0; i < kKeysPerPass; ++i, ++Typed) {
            if (Typed % 60 == 59 && !Paragraphs)
                NextParagraph();
            else
                Edit->Perform(WM_CHAR, static_cast<uint8_t>(Key()), 0);
            Application().ProcessMessages();
        }
    }
    char Key() const {
        if (Typed % 60 == 59) return '\r';
        return Typed % 8 == 7 ? ' ' : static_cast<char>('a' + Typed % 26);
    }
    // The caret into the middle of the paragraph after its own (the first after the last).
    void NextParagraph() {
        const TRichDocument& document = Edit->Engine().Document();
        int32_t offset = 0;
        const int32_t paragraph = document.Locate(Edit->SelStart(), offset);
        const int32_t next = (paragraph + 1) % document.ParagraphCount();
        Edit->SetSelStart(document.ParagraphStart(next) + document.Paragraph(next).Length() / 2);
    }
};

// The times of the 10 MB control against the 100 KB one, typing characters alone and with
// paragraph ends.
bench::TAgainstBare gTimes[2];
double gLaidOutPerKey[2] = {0, 0};

void TypeIntoBoth(benchmark::State& State, bool WithParagraphs) {
    TRichForm large(10 << 20, WithParagraphs);
    TRichForm small(100 << 10, WithParagraphs);
    bench::TAgainstBare& times = gTimes[WithParagraphs ? 1 : 0];
    times = bench::TAgainstBare();
    const int64_t laidOut = large.Edit->Layout().ParagraphsLaidOut();
    for (auto _ : State) {
        times.Framework.Time([&] { large.TypeKeys(); });
        times.Bare.Time([&] { small.TypeKeys(); });
    }
    times.Count(State);
    double& perKey = gLaidOutPerKey[WithParagraphs ? 1 : 0];
    perKey = static_cast<double>(large.Edit->Layout().ParagraphsLaidOut() - laidOut) / large.Typed;
    State.counters["laid_out_per_key"] = perKey;
}

void BM_TypingInto10MBAgainst100KB(benchmark::State& State) {
    TypeIntoBoth(State, false);
}
BENCHMARK(BM_TypingInto10MBAgainst100KB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_TypingParagraphsInto10MBAgainst100KB(benchmark::State& State) {
    TypeIntoBoth(State, true);
}
BENCHMARK(BM_TypingParagraphsInto10MBAgainst100KB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    for (int paragraphs = 0; paragraphs < 2; ++paragraphs)
        std::printf(
            "%s: a keystroke into a rich text of 10 MB %.1f us, of 100 KB %.1f us; "
            "ratio %.2f; paragraphs laid out per keystroke %.2f\n",
            paragraphs != 0 ? "with paragraph ends" : "characters",
            gTimes[paragraphs].Framework.Seconds() * 1e6 / kKeysPerPass,
            gTimes[paragraphs].Bare.Seconds() * 1e6 / kKeysPerPass, gTimes[paragraphs].Ratio(),
            gLaidOutPerKey[paragraphs]);
    return 0;
}
