// What the open dialog costs on a folder of 10,000 files, against reading the same folder bare
// (std::filesystem::directory_iterator, names sorted by their bytes), in the same run:
// - the dialog's listing (every entry looked at, sorted as a person looks for names);
// - the whole open dialog: made, listing and filtering the files into its lists, shown and
//   painted, and closed by Escape.
// Each side is the best of its passes; the ratios are counters and printed at the end.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/folderlisting.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/modaldriver.h"

namespace {

using namespace vex;

constexpr int kFiles = 10000;

// A temporary folder of kFiles rich-text files, made in no order, and a few subfolders.
class TMailFolder {
public:
    TMailFolder() {
        char path[] = "/tmp/vex-bench-XXXXXX";
        FPath = mkdtemp(path);
        std::vector<int> numbers(kFiles);
        for (int i = 0; i < kFiles; ++i)
            numbers[static_cast<size_t>(i)] = i;
        std::shuffle(numbers.begin(), numbers.end(), std::mt19937(10000));
        for (int n : numbers) {
            char name[32];
            std::snprintf(name, sizeof name, "/Mail %05d.rtf", n);
            std::FILE* file = std::fopen((FPath + name).c_str(), "w");
            if (file != nullptr) std::fclose(file);
        }
        for (const char* folder : {"/Archive", "/Inbox", "/Sent"})
            std::filesystem::create_directory(FPath + folder);
    }
    ~TMailFolder() { std::filesystem::remove_all(FPath); }
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

// The peer: the folder's regular files by name, sorted by their bytes.
std::vector<std::string> BareListing(const std::string& Path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bench::TAgainstBare gListing, gDialog;

void BM_Listing(benchmark::State& State) {
    const TMailFolder folder;
    for (auto _ : State) {
        size_t ours = 0, bare = 0;
        gListing.Framework.Time([&] { ours = ReadFolderListing(folder.Path()).Files.size(); });
        gListing.Bare.Time([&] { bare = BareListing(folder.Path()).size(); });
        if (ours != kFiles || bare != kFiles) State.SkipWithError("files were lost");
    }
    gListing.Count(State);
}
BENCHMARK(BM_Listing)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_OpenDialog(benchmark::State& State) {
    const TMailFolder folder;
    TOpenDialog dialog(nullptr);
    dialog.SetFilter("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT");
    dialog.SetInitialDir(folder.Path());
    for (auto _ : State) {
        gDialog.Framework.Time([&] {
            // The script's action comes once the dialog has nothing left to do: shown, painted.
            TModalScript script;
            script.Then([] {
                InjectKey(VK_ESCAPE, true);
                InjectKey(VK_ESCAPE, false);
            });
            if (dialog.Execute()) State.SkipWithError("Escape did not cancel");
        });
        gDialog.Bare.Time([&] { benchmark::DoNotOptimize(BareListing(folder.Path())); });
    }
    gDialog.Count(State);
}
BENCHMARK(BM_OpenDialog)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "A folder of %d files against std::filesystem::directory_iterator with a byte sort: "
        "the dialog's listing %.2fx (%.1f ms), the open dialog shown and closed %.2fx "
        "(%.1f ms)\n",
        kFiles, gListing.Ratio(), gListing.Framework.Seconds() * 1e3, gDialog.Ratio(),
        gDialog.Framework.Seconds() * 1e3);
    return 0;
}
