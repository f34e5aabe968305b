#pragma once

// What poppler-utils read in a PDF we wrote: its pages, its text, its fonts and its pictures.
// Each helper runs a tool with an argument vector and a time-out; a test that needs them calls
// RequirePoppler() first, which skips it with a message when they are not installed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/files.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/pngcodec.h"
#include "platform/shell/programoutput.h"
#include "tests/support/tempdir.h"

namespace vex::test {

inline std::optional<std::string> RunPoppler(const std::vector<std::string>& Arguments) {
    return ProgramOutput(Arguments, std::chrono::seconds(60), 64 << 20);
}

inline bool OnPath(const std::string& Program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && ::access((folder + "/" + Program).c_str(), X_OK) == 0) return true;
    return false;
}

inline bool PopplerInstalled() {
    for (const char* tool : {"pdfinfo", "pdftotext", "pdffonts", "pdftoppm"})
        if (!OnPath(tool)) return false;
    return true;
}

#define RequirePoppler()                                                                     \
    do {                                                                                     \
        if (!::vex::test::PopplerInstalled())                                                \
            GTEST_SKIP() << "poppler-utils is not installed (pdfinfo, pdftotext, pdffonts, " \
                            "pdftoppm); scripts/install-deps installs it";                   \
    } while (0)

struct TPdfInfo {
    int32_t Pages = 0;
    // In points, as pdfinfo prints them.
    double Width = 0;
    double Height = 0;
};

inline TPdfInfo PdfInfo(const std::string& File) {
    TPdfInfo info;
    const auto answer = RunPoppler({"pdfinfo", File});
    if (!answer) return info;
    std::istringstream lines(*answer);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Pages:", 0) == 0) info.Pages = std::stoi(line.substr(6));
        if (line.rfind("Page size:", 0) == 0)
            std::sscanf(line.c_str() + 10, "%lf x %lf", &info.Width, &info.Height);
    }
    return info;
}

inline std::string PdfText(const std::string& File) {
    return RunPoppler({"pdftotext", "-layout", File, "-"}).value_or("");
}

struct TPdfFont {
    std::string Name;
    bool Embedded = false;
};

// pdffonts' table, its columns found from the dashes under the heading.
inline std::vector<TPdfFont> PdfFonts(const std::string& File) {
    std::vector<TPdfFont> fonts;
    const auto answer = RunPoppler({"pdffonts", File});
    if (!answer) return fonts;
    std::istringstream lines(*answer);
    std::string heading, dashes, line;
    std::getline(lines, heading);
    std::getline(lines, dashes);
    // The columns: name, type, encoding, emb, ...; emb starts after the third gap.
    size_t emb = 0;
    for (int gap = 0; gap < 3 && emb != std::string::npos; ++gap) {
        emb = dashes.find(' ', emb);
        if (emb != std::string::npos) ++emb;
    }
    while (std::getline(lines, line)) {
        if (line.empty() || emb == std::string::npos || line.size() < emb + 3) continue;
        fonts.push_back({line.substr(0, line.find(' ')), line.compare(emb, 3, "yes") == 0});
    }
    return fonts;
}

// Page Page (from 1) as pdftoppm draws it at PixelsPerInch.
inline TPixelImage PdfPagePicture(const std::string& File, int32_t Page, int32_t PixelsPerInch) {
    TempDir dir;
    const std::string prefix = dir.File("page");
    const std::string page = std::to_string(Page);
    if (!RunPoppler({"pdftoppm", "-r", std::to_string(PixelsPerInch), "-f", page, "-l", page,
                     "-png", "-singlefile", File, prefix}))
        return {};
    return DecodePng(ReadFileToString(prefix + ".png"));
}

// A bitmap's pixels (a sheet RenderPage made) in the form the reader's pictures come in.
inline TPixelImage PictureOf(const TBitmap& Bitmap) {
    TPixelImage picture{Bitmap.Width(), Bitmap.Height(), {}};
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        picture.Pixels.insert(picture.Pixels.end(), Bitmap.ScanLine(y),
                              Bitmap.ScanLine(y) + Bitmap.Width());
    return picture;
}

// Ink is anything clearly darker than the paper; an anti-aliased hairline still counts.
inline bool IsInk(uint32_t Pixel) {
    const uint32_t r = (Pixel >> 16) & 0xFF, g = (Pixel >> 8) & 0xFF, b = Pixel & 0xFF;
    return std::min({r, g, b}) < 235;
}

struct TInkBox {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Right <= Left; }
};

inline TInkBox InkBox(const TPixelImage& Image) {
    TInkBox box{Image.Width, Image.Height, 0, 0};
    for (int32_t y = 0; y < Image.Height; ++y)
        for (int32_t x = 0; x < Image.Width; ++x)
            if (IsInk(Image.Pixels[static_cast<size_t>(y) * Image.Width + x])) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.Right > 0 ? box : TInkBox{};
}

// Rows (Across) or columns inked along at least Share of the ink box's length: the rule lines,
// which text, never that long a run, does not reach.
inline std::vector<int32_t> RuleLines(const TPixelImage& Image, bool Across, double Share = 0.6) {
    const TInkBox box = InkBox(Image);
    std::vector<int32_t> lines;
    if (box.Empty()) return lines;
    const int32_t from = Across ? box.Top : box.Left, to = Across ? box.Bottom : box.Right;
    const int32_t length = Across ? box.Right - box.Left : box.Bottom - box.Top;
    for (int32_t i = from; i < to; ++i) {
        int32_t ink = 0;
        for (int32_t j = 0; j < (Across ? Image.Width : Image.Height); ++j) {
            const int32_t x = Across ? j : i, y = Across ? i : j;
            ink += IsInk(Image.Pixels[static_cast<size_t>(y) * Image.Width + x]);
        }
        if (ink >= Share * length) lines.push_back(i);
    }
    return lines;
}

// Every line of A has one of B within Tolerance, and the other way round.
inline ::testing::AssertionResult SameLines(const std::vector<int32_t>& A,
                                            const std::vector<int32_t>& B, int32_t Tolerance) {
    const auto near = [&](const std::vector<int32_t>& In, int32_t V) {
        return std::any_of(In.begin(), In.end(),
                           [&](int32_t W) { return std::abs(W - V) <= Tolerance; });
    };
    for (int32_t a : A)
        if (!near(B, a)) return ::testing::AssertionFailure() << "line " << a << " has no match";
    for (int32_t b : B)
        if (!near(A, b)) return ::testing::AssertionFailure() << "line " << b << " is extra";
    if (A.empty() != B.empty()) return ::testing::AssertionFailure() << "one side has no lines";
    return ::testing::AssertionSuccess();
}

}  // namespace vex::test
