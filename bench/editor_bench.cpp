// The paragraph editor's two costs that grow with the text. Typing: two shown, word-wrapped
// editors, one holding 100 KB and one 10 MB of text, take the same 10,000 keystrokes in the middle
// of their text (letters, a blank every eighth key), each followed by its painting; the 100 KB
// editor is the peer, and the ratio of the times per keystroke should stay under 2. Each
// keystroke should repaint only the display lines it changed: the lines painted are counted
// against the lines the edit touched. Reading: a 10 MB file of 200,000 lines is opened in a
// text file editor and read back line by line with GetLine; the peer reads the same file with
// std::getline, and the ratio should stay at 5 or below.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/besttime.h"
#include "components/entry/OvcTextFileEditor.h"
#include "platform/core/files.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"

namespace {

using namespace vex;

constexpr int kKeys = 10000;
constexpr uint16_t ccChar = 249;

// Paragraphs of about 200 characters, which wrap into several lines each.
std::string Paragraph(int Number) {
    std::string s = "paragraph " + std::to_string(Number) + ":";
    while (s.size() < 200)
        s += " words of a known sender's list";
    return s;
}

struct TEditorForm {
    TForm* Form = new TForm(nullptr);
    TOvcCustomEditor* Editor;
    int64_t Painted = 0;
    int64_t Changed = 0;
    int Wider = 0;
    int Typed = 0;

    explicit TEditorForm(size_t Bytes) {
        new TOvcController(Form);
        Editor = new TOvcCustomEditor(Form);
        Form->SetBounds(0, 0, 700, 500);
        Editor->SetBounds(0, 0, 680, 480);
        Editor->SetParent(Form);
        Editor->SetWordWrap(true);
        Editor->SetWrapColumn(60);
        size_t size = 0;
        for (int i = 0; size < Bytes; ++i) {
            const std::string p = Paragraph(i);
            Editor->AppendPara(p);
            size += p.size() + 2;
        }
        Form->Show();
        Editor->SetFocus();
        const int32_t middle = Editor->GetLineCount() / 2;
        Editor->SetTopLine(middle - 5);
        Editor->SetCaretPosition(middle, 10);
        Application().ProcessMessages();
    }
    ~TEditorForm() { delete Form; }
    TEditorForm(const TEditorForm&) = delete;
    TEditorForm& operator=(const TEditorForm&) = delete;

    void TypeKeys(int Count) {
        for (int i = 0; i < Count; ++i, ++Typed) {
            const char key = Typed % 8 == 7 ? ' ' : static_cast<char>('a' + Typed % 26);
            const int64_t before = Editor->PaintedLineCount();
            Editor->ExecuteCommand(ccChar, key);
            const TParaList& list = Editor->ParaList();
            const int32_t to = list.ChangedToLine() == INT32_MAX
                                   ? Editor->GetTopLine() + Editor->VisibleLines()
                                   : list.ChangedToLine();
            const int32_t lines = std::max(1, to - list.ChangedFromLine() + 1);
            Application().ProcessMessages();
            const int64_t painted = Editor->PaintedLineCount() - before;
            Painted += painted;
            Changed += lines;
            if (painted > lines) ++Wider;
        }
    }
};

bench::TAgainstBare gTyping;
int gWider = 0;
double gPaintedPerKey = 0;
double gChangedPerKey = 0;

void BM_TypingInto10MBAgainst100KB(benchmark::State& State) {
    TEditorForm large(10 << 20);
    TEditorForm small(100 << 10);
    for (auto _ : State) {
        gTyping.Framework.Time([&] { large.TypeKeys(kKeys); });
        gTyping.Bare.Time([&] { small.TypeKeys(kKeys); });
    }
    gTyping.Count(State);
    gWider = large.Wider + small.Wider;
    gPaintedPerKey =
        static_cast<double>(large.Painted + small.Painted) / (large.Typed + small.Typed);
    gChangedPerKey =
        static_cast<double>(large.Changed + small.Changed) / (large.Typed + small.Typed);
    State.counters["wider_repaints"] = gWider;
}
BENCHMARK(BM_TypingInto10MBAgainst100KB)->Unit(benchmark::kMillisecond)->Iterations(2);

std::string LinesFile() {
    static const std::string file = [] {
        const std::string name =
            (std::filesystem::temp_directory_path() / "vex-editor-bench-lines.txt").string();
        std::string text;
        text.reserve(10 << 20);
        for (int i = 0; i < 200000; ++i) {
            std::string line = "line " + std::to_string(i) + " of the known senders:";
            while (line.size() < 50)
                line += " junk";
            text += line + "\r\n";
        }
        WriteFileAtomic(name, text);
        return name;
    }();
    return file;
}

bench::TAgainstBare gReading;
size_t gLinesRead = 0;

// A viewer of its own for each pass, as a window that opens the file: freeing the text of an
// earlier pass is not part of opening this one.
void BM_OpenAndGetLineAgainstGetline(benchmark::State& State) {
    const std::string file = LinesFile();
    for (auto _ : State) {
        TForm* form = new TForm(nullptr);
        new TOvcController(form);
        auto* viewer = new TOvcTextFileEditor(form);
        viewer->SetBounds(0, 0, 400, 300);
        viewer->SetParent(form);
        form->Show();
        size_t ours = 0, theirs = 0;
        gReading.Framework.Time([&] {
            viewer->LoadFromFile(file);
            std::string line;
            const int32_t count = viewer->GetLineCount();
            for (int32_t i = 1; i <= count; ++i) {
                viewer->GetLine(i, line);
                ours += line.size();
            }
        });
        gReading.Bare.Time([&] {
            std::ifstream in(file, std::ios::binary);
            std::string line;
            while (std::getline(in, line))
                theirs += line.size() - (line.empty() ? 0 : 1);
        });
        if (ours != theirs) State.SkipWithError("the texts read differ");
        gLinesRead = static_cast<size_t>(viewer->GetLineCount());
        delete form;
    }
    gReading.Count(State);
}
BENCHMARK(BM_OpenAndGetLineAgainstGetline)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "a keystroke into a wrapped editor of 10 MB %.1f us, of 100 KB %.1f us; ratio %.2f\n",
        gTyping.Framework.Seconds() * 1e6 / kKeys, gTyping.Bare.Seconds() * 1e6 / kKeys,
        gTyping.Ratio());
    std::printf(
        "lines painted per keystroke %.2f, lines the edit touched %.2f; keystrokes that "
        "repainted more: %d\n",
        gPaintedPerKey, gChangedPerKey, gWider);
    std::printf(
        "opening 10 MB and GetLine over %zu lines %.1f ms, std::getline %.1f ms; ratio %.2f\n",
        gLinesRead, gReading.Framework.Seconds() * 1e3, gReading.Bare.Seconds() * 1e3,
        gReading.Ratio());
    return 0;
}
