#include "platform/ui/cupsprinter.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/shell/programoutput.h"
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

class TCupsDocument : public TPrintDocument {
public:
    TCupsDocument(std::string Queue, const TPrintJob& Job)
        : FQueue(std::move(Queue)), FJob(Job), FFolder(std::make_unique<TJobFolder>()) {
        FPages = std::make_unique<TPdfPages>(FFolder->File(), Job.Title);
    }

    void AddPage(TPrintedPage Page) override {
        if (!FPages) throw EPrinter("The print job for " + FQueue + " is no longer open");
        FPages->Add(Page, FJob.Format);
    }

    void Finish() override {
        if (!FPages) throw EPrinter("The print job for " + FQueue + " is no longer open");
        // The file goes on every path out of here, handed over or not.
        const std::unique_ptr<TJobFolder> folder = std::move(FFolder);
        const std::unique_ptr<TPdfPages> pages = std::move(FPages);
        pages->Commit();
        const auto answer = ProgramOutput(LpArguments(FQueue, FJob, folder->File()),
                                          TCupsPrinter::LpTimeOut, LpAnswerLimit);
        if (!answer)
            throw EPrinter("The printer " + FQueue +
                           " did not take the job (lp failed or did not answer)");
    }

    void Cancel() noexcept override {
        FPages.reset();
        FFolder.reset();
    }

private:
    std::string FQueue;
    TPrintJob FJob;
    // Declared before the pages, so that the pages' file goes before its folder.
    std::unique_ptr<TJobFolder> FFolder;
    std::unique_ptr<TPdfPages> FPages;
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
    return std::make_unique<TCupsDocument>(FQueue, Job);
}

}  // namespace vex
