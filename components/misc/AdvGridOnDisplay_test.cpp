// One user's way through a rule grid, read from a script, played twice: injected with no
// display, and by xdotool on an Xvfb display with the clipboard shared with xclip there. Both
// runs must leave the same cells and the same events.
//
// GoogleTest comes before Xlib, whose None and Bool macros would rename its identifiers, and the
// display's support (which brings Xlib) after every header of ours.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "components/misc/AdvGrid.h"
#include "platform/gfx/fixedfont.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"
#include "platform/win/clipboard.h"
#include "platform/win/focus.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/toplevel.h"
#include "tests/support/childprocess.h"
#include "tests/support/tempdir.h"

#include "platform/ui/x11/ondisplay_testsupport.h"

namespace vex {
namespace {

using namespace std::chrono_literals;
using TRecord = std::vector<std::string>;

// One line of the script: what it does, its arguments, the notes its events add.
struct TStep {
    std::string Kind;
    std::vector<std::string> Args;
    size_t Notes = 0;

    int32_t Arg(size_t Index) const { return std::stoi(Args.at(Index)); }
};

const std::vector<TStep>& Script() {
    static const std::vector<TStep> script = [] {
        std::ifstream in(std::string(VEX_TEST_DIR) + "/testdata/advgrid/input/script.txt");
        std::vector<TStep> steps;
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line.substr(0, line.find('#')));
            std::vector<std::string> w;
            for (std::string word; words >> word;)
                w.push_back(word);
            if (!w.empty())
                steps.push_back({w.front(), {w.begin() + 1, w.end() - 1}, std::stoul(w.back())});
        }
        return steps;
    }();
    return script;
}

std::vector<std::string> ExpectedRecord() {
    std::ifstream in(std::string(VEX_TEST_DIR) + "/testdata/advgrid/input/expected.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.starts_with("#")) lines.push_back(line);
    return lines;
}

// The script writes a TAB as \t.
std::string Unescaped(const std::string& Text) {
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\\' && i + 1 < Text.size() && Text[i + 1] == 't') {
            out += '\t';
            ++i;
        } else {
            out += Text[i];
        }
    }
    return out;
}

// TABs and line breaks made visible in a record line.
std::string Escaped(const std::string& Text) {
    std::string out;
    for (char ch : Text)
        out += ch == '\t' ? "\\t" : ch == '\r' ? "\\r" : ch == '\n' ? "\\n" : std::string(1, ch);
    return out;
}

// The virtual keys of xdotool's key names, Ctrl first where "ctrl+" holds it.
std::vector<int32_t> VirtualKeys(const std::vector<std::string>& Names) {
    std::vector<int32_t> keys;
    for (std::string name : Names) {
        if (name.starts_with("ctrl+")) {
            keys.push_back(VK_CONTROL);
            name = name.substr(5);
        }
        if (name == "F2")
            keys.push_back(VK_F2);
        else if (name == "Return")
            keys.push_back(VK_RETURN);
        else if (name == "Tab")
            keys.push_back(VK_TAB);
        else if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
            keys.push_back(std::toupper(static_cast<unsigned char>(name[0])));
        else
            ADD_FAILURE() << "no virtual key for " << name;
    }
    return keys;
}

// A rule grid of five columns: a fixed row of titles and five rules, sorted by a header click,
// edited in place, with the clipboard's keys.
class TScene {
public:
    TScene() {
        Grid = new TAdvStringGrid(FForm);
        FForm->SetCaption("Advanced grid script");
        FForm->SetBounds(40, 50, 360, 260);
        FForm->Font().SetName(FixedFontName);
        FForm->Font().SetHeight(-12);
        Grid->SetBounds(8, 8, 330, 200);
        Grid->SetParent(FForm);
        Grid->SetDefaultColWidth(60);
        Grid->SetDefaultRowHeight(18);
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetOptions(Grid->Options() + TGridOptions{goEditing, goTabs, goColSizing});
        Grid->SetSortShow(true);
        Grid->Navigation().AllowClipboardShortCuts = true;
        const char* rows[6][5] = {
            {"", "Rule", "Text", "Case", "Hits"},  {"1", "Equals", "win", "No", "4"},
            {"2", "Contains", "free", "No", "12"}, {"3", "Starts with", "re:", "Yes", "0"},
            {"4", "Ends with", ".ru", "No", "7"},  {"5", "All numeric", "", "No", "1"}};
        for (int32_t r = 0; r < 6; ++r)
            for (int32_t c = 0; c < 5; ++c)
                Grid->SetCells(c, r, rows[r][c]);
        Grid->OnClickCell = [this](TObject*, int32_t ARow, int32_t ACol) {
            Record.push_back("click " + std::to_string(ARow) + "," + std::to_string(ACol));
        };
        Grid->OnCellValidate = [this](TObject*, int32_t ACol, int32_t ARow, std::string& Value,
                                      bool&) {
            Record.push_back("validate " + std::to_string(ACol) + "," + std::to_string(ARow) + "=" +
                             Value);
        };
        Grid->OnClickSort = [this](TObject*, int32_t ACol) {
            Record.push_back("sort " + std::to_string(ACol));
        };
        FForm->Show();
        SetActiveWindow(FForm->Handle());
        Grid->SetFocus();
    }
    ~TScene() { delete FForm; }
    TScene(const TScene&) = delete;
    TScene& operator=(const TScene&) = delete;

    // A screen point inside a cell, or on the right border of a column's title.
    TPoint Cell(int32_t Col, int32_t Row) {
        return Grid->ClientToScreen(Point(Left(Col) + 20, 19 * Row + 9));
    }
    TPoint Border(int32_t Col, int32_t Shift) {
        return Grid->ClientToScreen(Point(Left(Col + 1) - 1 + Shift, 9));
    }
    // Where the cursor is, how wide column 2 is, and every data cell.
    std::string State() {
        std::string state = "cell " + std::to_string(Grid->Col()) + ":" +
                            std::to_string(Grid->Row()) + " width2 " +
                            std::to_string(Grid->ColWidths(2));
        for (int32_t r = 1; r < Grid->RowCount(); ++r) {
            state += r == 1 ? " " : "|";
            for (int32_t c = 1; c < Grid->ColCount(); ++c)
                state += (c > 1 ? "," : "") + Grid->Cells(c, r);
        }
        return state;
    }

    TRecord Record;
    TAdvStringGrid* Grid = nullptr;

private:
    int32_t Left(int32_t Col) {
        int32_t left = 0;
        for (int32_t c = 0; c < Col; ++c)
            left += Grid->ColWidths(c) + 1;
        return left;
    }

    TForm* FForm = new TForm(nullptr);
};

TRecord RunScript(TScene& Scene, const std::function<void(TScene&, const TStep&)>& Deliver,
                  const std::function<void(TScene&, size_t)>& Settle) {
    return test::RunRecordedScript<TScene, TStep>(Scene, Script(), Deliver, Settle);
}

void InjectDrag(TPoint From, TPoint To) {
    InjectMouseMove(From);
    InjectMouseButton(mbLeft, true);
    Application().ProcessMessages();
    InjectMouseMove(To);
    Application().ProcessMessages();
    InjectMouseButton(mbLeft, false);
}

std::string ClipboardText() {
    const TOpenClipboard clipboard(0);
    const std::string* text = clipboard.Open() ? GetClipboardData(CF_TEXT) : nullptr;
    return text != nullptr ? *text : "(none)";
}

TRecord RunInjected() {
    TScene scene;
    Application().ProcessMessages();
    scene.Record.clear();
    const TRecord record = RunScript(
        scene,
        [](TScene& S, const TStep& Step) {
            if (Step.Kind == "click") {
                test::ClickAt(S.Cell(Step.Arg(0), Step.Arg(1)));
            } else if (Step.Kind == "keys") {
                test::InjectKeys(VirtualKeys(Step.Args));
            } else if (Step.Kind == "border") {
                InjectDrag(S.Border(Step.Arg(0), 0), S.Border(Step.Arg(0), Step.Arg(1)));
            } else if (Step.Kind == "drag") {
                InjectDrag(S.Cell(Step.Arg(0), Step.Arg(1)), S.Cell(Step.Arg(2), Step.Arg(3)));
            } else if (Step.Kind == "copied") {
                S.Record.push_back("copied " + Escaped(ClipboardText()));
            } else if (Step.Kind == "outside") {
                const TOpenClipboard clipboard(0);
                EmptyClipboard();
                SetClipboardData(CF_TEXT, Unescaped(Step.Args.at(0)));
            }
            Application().ProcessMessages();
        },
        [](TScene&, size_t) { Application().ProcessMessages(); });
    test::ReleaseAllKeys();
    return record;
}

// True when Program is an executable file in a folder of PATH.
bool OnPath(const std::string& Program) {
    std::istringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/" + Program).c_str(), X_OK) == 0) return true;
    return false;
}

class AdvGridOnDisplay : public test::OnDisplayTest {
public:
    static void SetUpTestSuite() {
        for (const char* program : {"Xvfb", "xdotool", "xclip"})
            if (!OnPath(program)) GTEST_SKIP() << program << " is not installed";
    }

protected:
    // Has xclip take the clipboard with Text, and hold it until it loses it.
    void XclipIn(const std::string& Text) { test::XclipIn(FPeer, FFiles, FHolder, Text); }

    void XDrag(TPoint From, TPoint To) {
        test::RunXdotool(FServer.DisplayName(), test::XMoveTo(From) + " mousedown 1 " +
                                                    test::XMoveTo(Point(To.X - 5, To.Y)) + " " +
                                                    test::XMoveTo(To) + " mouseup 1");
    }

    TRecord RunTyped() {
        PresentOnDisplay();
        TScene scene;
        if (!WaitUntilShown("Advanced grid script")) return {};
        const std::string display = FServer.DisplayName();
        test::RunXdotool(display,
                         "search --sync --name \"Advanced grid script\" windowfocus --sync");
        test::PumpThroughApplicationFor(200ms);
        scene.Record.clear();
        return RunScript(
            scene,
            [&](TScene& S, const TStep& Step) {
                if (Step.Kind == "click") {
                    test::ClickOnDisplay(display, S.Cell(Step.Arg(0), Step.Arg(1)));
                } else if (Step.Kind == "keys") {
                    std::string names;
                    for (const std::string& name : Step.Args)
                        names += " " + name;
                    test::RunXdotool(display, "key --delay 30" + names);
                } else if (Step.Kind == "border") {
                    XDrag(S.Border(Step.Arg(0), 0), S.Border(Step.Arg(0), Step.Arg(1)));
                } else if (Step.Kind == "drag") {
                    XDrag(S.Cell(Step.Arg(0), Step.Arg(1)), S.Cell(Step.Arg(2), Step.Arg(3)));
                } else if (Step.Kind == "copied") {
                    S.Record.push_back("copied " + Escaped(test::XclipOut(FFiles)));
                } else if (Step.Kind == "outside") {
                    XclipIn(Unescaped(Step.Args.at(0)));
                }
            },
            [&](TScene& S, size_t Notes) {
                test::SettleUntil([&] { return S.Record.size() >= Notes; }, 150ms);
            });
    }

    test::TempDir FFiles;
    test::ChildProcess FHolder;
};

TEST_F(AdvGridOnDisplay, SortingEditingMovingSizingAndTheClipboardDoTheSameAsInjectedInput) {
    const TRecord injected = RunInjected();
    EXPECT_EQ(injected, ExpectedRecord());
    const TRecord typed = RunTyped();
    EXPECT_EQ(typed, injected);
}

}  // namespace
}  // namespace vex
