#include "platform/ui/cupsprinter.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/shell/programoutput.h"
#include "platform/ui/pagereplaydocument.h"
#include "platform/ui/pdfpages.h"
#include "platform/win/x11/x11text.h"

namespace vex {

namespace {

// lp's answer is a line naming the job; anything near this size is not lp.
constexpr size_t LpAnswerLimit = 64 * 1024;

// A folder only this job writes to, gone with the object, whatever it holds.
class TJobFolder {
public:
    TJobFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vexbane-print-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw EPrinter(std::string("Cannot make a folder for the print job: ") +
                           std::strerror(errno));
        FPath = pattern;
    }
    ~TJobFolder() {
        ::unlink(File().c_str());
        ::rmdir(FPath.c_str());
    }
    TJobFolder(const TJobFolder&) = delete;
    TJobFolder& operator=(const TJobFolder&) = delete;

    std::string File() const { return FPath + "/job.pdf"; }

private:
    std::string FPath;
};

// A job's pages as a PDF in a folder of its own, handed to lp once committed. The folder goes
// with the object, handed over or not.
class TQueuedPages {
public:
    TQueuedPages(std::string Queue, const TPrintJob& Job)
        : FQueue(std::move(Queue)), FJob(Job), FPdf(FFolder.File(), Job.Title) {}

    void Add(const TPrintedPage& Page, const TPageFormat& Format) { FPdf.Add(Page, Format); }
    void Commit() {
        FPdf.Commit();
        const auto answer = ProgramOutput(LpArguments(FQueue, FJob, FFolder.File()),
                                          TCupsPrinter::LpTimeOut, LpAnswerLimit);
        if (!answer)
            throw EPrinter("The printer " + FQueue +
                           " did not take the job (lp failed or did not answer)");
    }

private:
    std::string FQueue;
    TPrintJob FJob;
    // Declared before the PDF, so that the PDF's file goes before its folder.
    TJobFolder FFolder;
    TPdfPages FPdf;
};

}  // namespace

std::vector<std::string> LpArguments(const std::string& Queue, const TPrintJob& Job,
                                     const std::string& File) {
    std::vector<std::string> arguments = {
        "lp", "-d", Queue, "-n", std::to_string(Job.Copies), "-t", Win1252ToUtf8(Job.Title)};
    if (Job.Collate) {
        arguments.push_back("-o");
        arguments.push_back("collate=true");
    }
    arguments.push_back("--");
    arguments.push_back(File);
    return arguments;
}

std::unique_ptr<TPrintDocument> TCupsPrinter::Start(const TPrintJob& Job) {
    return std::make_unique<TPagesDocument<TQueuedPages>>(
        Job.Format, std::make_unique<TQueuedPages>(FQueue, Job), "print job for " + FQueue);
}

}  // namespace vex
