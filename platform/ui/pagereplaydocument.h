#pragma once

#include <memory>
#include <string>
#include <utility>

#include "platform/ui/printerdevice.h"

namespace vex {

// A print document whose pages go into Pages (Add(Page, Format) and Commit(), a file writer
// that removes what it has not committed when it goes): each page as it comes, on the job's
// sheet; committed by Finish, dropped by Cancel. After either it takes nothing more.
template <typename TPages>
class TPagesDocument : public TPrintDocument {
public:
    TPagesDocument(const TPageFormat& Format, std::unique_ptr<TPages> Pages, std::string What)
        : FFormat(Format), FPages(std::move(Pages)), FWhat(std::move(What)) {}

    void AddPage(TPrintedPage Page) override { Open().Add(Page, FFormat); }
    void Finish() override {
        Open();
        // Done with whatever the commit does: a failed one has removed its output.
        const std::unique_ptr<TPages> pages = std::move(FPages);
        pages->Commit();
    }
    void Cancel() noexcept override { FPages.reset(); }

private:
    TPages& Open() {
        if (!FPages) throw EPrinter("The " + FWhat + " is no longer open");
        return *FPages;
    }

    TPageFormat FFormat;
    std::unique_ptr<TPages> FPages;
    std::string FWhat;
};

}  // namespace vex
