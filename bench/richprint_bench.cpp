// Printing rich text to PDF against LibreOffice's headless conversion of the same files, in the
// same run. A 10 MB document read, laid out and paginated to PDF by the control, against
// `soffice --headless --convert-to pdf` with a fresh profile (made by an untimed first run): the
// ratio of their time to ours is printed, and ours should be at least 5 times faster. Then for
// each file of the RTF corpus, on letter paper with an inch of margin and in the DejaVu families
// (written into a copy of the file for both), the page counts of both, which should agree
// within 10%.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/besttime.h"
#include "bench/rtfdocument.h"
#include "platform/core/files.h"
#include "platform/rich/richpdf_testsupport.h"
#include "platform/shell/programoutput.h"

namespace {

namespace fs = std::filesystem;
using namespace vex;

constexpr auto kConversionTimeOut = std::chrono::minutes(10);

std::string Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/richprint-bench-XXXXXX";
        return std::string(::mkdtemp(pattern) ? pattern : "/tmp");
    }();
    return folder;
}

// LibreOffice's PDF of Rtf (a file), in Folder()/lo; false when it could not make one.
bool ConvertWithLibreOffice(const std::string& Rtf) {
    const std::string profile = "file://" + Folder() + "/profile";
    const std::string out = Folder() + "/lo";
    const auto done = ProgramOutput({"soffice", "-env:UserInstallation=" + profile, "--headless",
                                     "--convert-to", "pdf", "--outdir", out, Rtf},
                                    kConversionTimeOut, 1 << 20);
    return done && fs::exists(out + "/" + fs::path(Rtf).stem().string() + ".pdf");
}

std::string LibreOfficePdf(const std::string& Rtf) {
    return Folder() + "/lo/" + fs::path(Rtf).stem().string() + ".pdf";
}

int PageCount(const std::string& Pdf) {
    const auto info = ProgramOutput({"pdfinfo", Pdf}, std::chrono::seconds(60), 1 << 20);
    const size_t at = info ? info->find("Pages:") : std::string::npos;
    if (at == std::string::npos) return -1;
    const size_t digits = info->find_first_of("0123456789", at);
    return digits == std::string::npos ? -1 : std::atoi(info->c_str() + digits);
}

// Rtf without its page size and margins (\paperw, \paperh, \margl..., \marglsxn...).
std::string WithoutPageSetup(const std::string& Rtf) {
    static const char* const kWords[] = {"paperw", "paperh", "margl", "margr", "margt", "margb"};
    std::string kept;
    for (size_t at = 0; at < Rtf.size();) {
        size_t end = at;
        if (Rtf[at] == '\\')
            for (const char* word : kWords)
                if (Rtf.compare(at + 1, std::strlen(word), word) == 0) {
                    end = at + 1 + std::strlen(word);
                    if (Rtf.compare(end, 3, "sxn") == 0) end += 3;
                    if (end < Rtf.size() && Rtf[end] == '-') ++end;
                    const size_t number = Rtf.find_first_not_of("0123456789", end);
                    end = number == std::string::npos ? Rtf.size() : number;
                    if (end < Rtf.size() && Rtf[end] == ' ') ++end;
                    break;
                }
        if (end == at)
            kept += Rtf[at++];
        else
            at = end;
    }
    return kept;
}

// A face of a font table (the group's inside) named by the DejaVu family of its kind: its
// control words and groups of its own (other names, a panose number) stay, the text of its name
// goes.
std::string DejaVuFace(const std::string& Face) {
    std::string kept;
    int depth = 0;
    for (size_t at = 0; at < Face.size(); ++at) {
        const char c = Face[at];
        if (c == '{' || c == '}' || depth > 0) {
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            kept += c;
        } else if (c == '\\' && at + 1 < Face.size() &&
                   std::isalpha(static_cast<unsigned char>(Face[at + 1]))) {
            const size_t end =
                Face.find_first_not_of("abcdefghijklmnopqrstuvwxyz-0123456789", at + 1);
            kept += Face.substr(at, (end == std::string::npos ? Face.size() : end) - at);
            at = (end == std::string::npos ? Face.size() : end) - 1;
        }
    }
    const char* family = kept.find("\\froman") != std::string::npos    ? "DejaVu Serif"
                         : kept.find("\\fmodern") != std::string::npos ? "DejaVu Sans Mono"
                                                                       : "DejaVu Sans";
    return kept + " " + family + ";";
}

// The copy both print of a corpus file: letter paper, an inch of margin, and every face of the
// font table in DejaVu.
std::string ForComparison(std::string Rtf) {
    Rtf = WithoutPageSetup(Rtf);
    const std::string fonts = "{\\fonttbl";
    size_t at = Rtf.find(fonts);
    if (at == std::string::npos) return Rtf;
    at += fonts.size();
    // The table's groups are its faces; the table ends at the brace that closes it.
    while (at < Rtf.size() && Rtf[at] != '}') {
        if (Rtf[at] != '{') {
            ++at;
            continue;
        }
        size_t end = at + 1;
        for (int depth = 1; end < Rtf.size() && depth > 0; ++end)
            depth += Rtf[end] == '{' ? 1 : Rtf[end] == '}' ? -1 : 0;
        const std::string face = DejaVuFace(Rtf.substr(at + 1, end - at - 2));
        Rtf.replace(at + 1, end - at - 2, face);
        at += face.size() + 2;
    }
    Rtf.insert(at + 1, "\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440 ");
    return Rtf;
}

bench::TAgainstBare gTenMegabytes;  // ours against LibreOffice's
bool gTenMegabytesTimed = false;
bool gLibreOffice = true;

void BM_PrintTenMegabytesAgainstLibreOffice(benchmark::State& State) {
    const std::string rtf = Folder() + "/ten.rtf";
    WriteFileAtomic(rtf, bench::MakeRtf(10 << 20));
    // The profile is made by a first conversion, which is not timed.
    gLibreOffice = ConvertWithLibreOffice(rtf);
    if (!gLibreOffice) {
        State.SkipWithError("soffice could not convert; scripts/bench installs it");
        return;
    }
    for (auto _ : State) {
        gTenMegabytes.Framework.Time(
            [&] { test::PrintRtfToPdf(ReadFileToString(rtf), Folder() + "/ten-ours.pdf"); });
        gTenMegabytes.Bare.Time([&] { ConvertWithLibreOffice(rtf); });
    }
    gTenMegabytes.Count(State);
    gTenMegabytesTimed = true;
    State.counters["pages_ours"] = PageCount(Folder() + "/ten-ours.pdf");
    State.counters["pages_theirs"] = PageCount(LibreOfficePdf(rtf));
}
BENCHMARK(BM_PrintTenMegabytesAgainstLibreOffice)->Unit(benchmark::kSecond)->Iterations(3);

// Each corpus file's page counts, ours and LibreOffice's.
void ComparePageCounts() {
    const std::string corpus = VEX_SOURCE_DIR "/tests/corpus/rtf";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpus))
        if (entry.path().extension() == ".rtf") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    int held = 0, compared = 0;
    for (const fs::path& file : files) {
        const std::string copy = Folder() + "/" + file.filename().string();
        WriteFileAtomic(copy, ForComparison(ReadFileToString(file.string())));
        const std::string ours = Folder() + "/" + file.stem().string() + "-ours.pdf";
        test::PrintRtfToPdf(ReadFileToString(copy), ours);
        const int mine = PageCount(ours);
        if (!ConvertWithLibreOffice(copy)) {
            std::printf("%-24s pages: ours %d; LibreOffice cannot load it\n",
                        file.filename().c_str(), mine);
            continue;
        }
        const int theirs = PageCount(LibreOfficePdf(copy));
        const bool within = std::abs(mine - theirs) * 10 <= theirs;
        held += within;
        ++compared;
        std::printf("%-24s pages: ours %d, LibreOffice %d: %s\n", file.filename().c_str(), mine,
                    theirs, within ? "within 10%" : "NOT within 10%");
    }
    std::printf("page counts within 10%%: %d of the %d files both print\n", held, compared);
}

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    if (gLibreOffice) {
        if (gTenMegabytesTimed)
            std::printf("10 MB of RTF to PDF: ours %.2f s, LibreOffice %.2f s; %.1f times faster\n",
                        gTenMegabytes.Framework.Seconds(), gTenMegabytes.Bare.Seconds(),
                        1 / gTenMegabytes.Ratio());
        ComparePageCounts();
    }
    fs::remove_all(Folder());
    return 0;
}
