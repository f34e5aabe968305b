// What the input path costs between a key and what it shows. A shown form holds labels and a
// focused text field that shows the last characters typed into it, a line every 48. A key press
// and release are injected and the loop handles them as it handles real keys (routing, the
// controls' key step, translation to a character, KeyPress), then paints the form, which repaints
// the field. The peer draws the same change, the field with the new text, straight onto a bare
// canvas. Both run interleaved in one benchmark, best pass of each; the ratio is a counter and
// printed at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/besttime.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/label.h"
#include "platform/win/application.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"

namespace {

using namespace vex;

constexpr int kFieldWidth = 400;
constexpr int kFieldHeight = 200;
constexpr size_t kLineLength = 48;
constexpr size_t kShownLength = kLineLength * 11;

// The field's look, drawn the same by the control and by the bare peer.
void DrawTyped(TCanvas& Canvas, const std::string& Text) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(clWindow);
    Canvas.FillRect(Rect(0, 0, kFieldWidth, kFieldHeight));
    Canvas.Brush().SetStyle(bsClear);
    for (size_t at = 0, line = 0; at < Text.size(); at += kLineLength, ++line)
        Canvas.TextOut(4, 4 + static_cast<int>(line) * 16, Text.substr(at, kLineLength));
}

// Keeps what the keys typed, the oldest characters dropped past what it shows.
void Append(std::string& Text, char Key) {
    Text += Key;
    if (Text.size() > kShownLength) Text.erase(0, Text.size() - kShownLength);
}

class TTypedField : public TCustomControl {
public:
    explicit TTypedField(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
    std::string Text;
    int Paints = 0;

protected:
    void KeyPress(char& Key) override {
        Append(Text, Key);
        Invalidate();
        TCustomControl::KeyPress(Key);
    }
    void Paint() override {
        ++Paints;
        DrawTyped(Canvas(), Text);
    }
};

struct TTypingForm {
    TForm* Form = new TForm(nullptr);
    TTypedField* Field = new TTypedField(Form);

    TTypingForm() {
        Form->SetBounds(0, 0, kFieldWidth + 40, kFieldHeight + 80);
        for (int i = 0; i < 3; ++i) {
            auto* label = new TLabel(Form);
            label->SetCaption("Mailbox " + std::to_string(i + 1));
            label->SetBounds(8 + i * 120, 8, 110, 16);
            label->SetParent(Form);
        }
        Field->SetBounds(8, 32, kFieldWidth, kFieldHeight);
        Field->SetParent(Form);
        Form->Show();
        Field->SetFocus();
        Application().ProcessMessages();
    }
    ~TTypingForm() { delete Form; }
    TTypingForm(const TTypingForm&) = delete;
    TTypingForm& operator=(const TTypingForm&) = delete;

    // One key typed, and the form brought up to date on it.
    void Type(int32_t Key) const {
        InjectKey(Key, true);
        InjectKey(Key, false);
        Application().ProcessMessages();
    }
};

bench::TAgainstBare gTimes;

void BM_KeyToRepaintAgainstBarePaint(benchmark::State& State) {
    const TTypingForm typing;
    TBitmap bitmap;
    bitmap.SetSize(kFieldWidth, kFieldHeight);
    bitmap.Canvas().Font().Assign(&typing.Field->Font());
    // Full from the start, so that every pass draws the same amount.
    std::string bareText(kShownLength, 'x');
    typing.Field->Text = bareText;
    gTimes = bench::TAgainstBare();
    int typed = 0;
    for (auto _ : State) {
        const int letter = typed++ % 26;
        gTimes.Framework.Time([&] { typing.Type('A' + letter); });
        gTimes.Bare.Time([&] {
            Append(bareText, static_cast<char>('a' + letter));
            DrawTyped(bitmap.Canvas(), bareText);
            benchmark::DoNotOptimize(bitmap.ScanLine(0));
        });
    }
    if (typing.Field->Text != bareText || typing.Field->Paints < typed)
        State.SkipWithError("the field did not show every key typed");
    gTimes.Count(State);
}
BENCHMARK(BM_KeyToRepaintAgainstBarePaint)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf("A key to the repainted form: framework %.1f us, bare paint %.1f us; ratio %.2f\n",
                gTimes.Framework.Seconds() * 1e6, gTimes.Bare.Seconds() * 1e6, gTimes.Ratio());
    return 0;
}
