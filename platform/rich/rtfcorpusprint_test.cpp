// Documents made by real writers, printed to PDF by the control, read back (pdftotext, in the
// order drawn) to the words unrtf finds in them: pagination loses, repeats and reorders nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rich/richpdf_testsupport.h"
#include "platform/rich/rtfcorpus_testsupport.h"
#include "platform/ui/poppler_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(RtfCorpusPrint, EveryFilePrintedToPdfReadsToTheWordsUnrtfFindsInOrder) {
    RequirePoppler();
    const test::TempDir folder;
    for (const std::string& file : test::RtfCorpusFiles()) {
        SCOPED_TRACE(file);
        const std::string pdf = folder.File(file + ".pdf");
        test::PrintRtfToPdf(test::ReadWholeFile(test::RtfCorpus + file), pdf);
        std::vector<std::string> ours =
            test::Words(test::RunPoppler({"pdftotext", "-raw", pdf, "-"}).value_or(""));
        std::vector<std::string> theirs = test::Words(test::UnrtfText(test::RtfCorpus + file));
        ASSERT_FALSE(theirs.empty()) << "unrtf gave nothing; is it installed?";
        test::RemoveKnownDifferences(file, ours, theirs);
        EXPECT_EQ(ours, theirs);
    }
}

}  // namespace
}  // namespace vex
