#include "platform/ui/recordingprinter.h"

#include <utility>

namespace vex {

// The job's pages stay here until Finish, so a cancelled job leaves nothing in the device.
class TRecordingDocument : public TPrintDocument {
public:
    TRecordingDocument(TRecordingPrinter& Device, const TPrintJob& Job) : FDevice(Device) {
        FJob.Job = Job;
        ++FDevice.FOpenJobs;
    }
    ~TRecordingDocument() override {
        if (FOpen) Cancel();
    }

    void AddPage(TPrintedPage Page) override {
        const int32_t number = static_cast<int32_t>(FJob.Pages.size()) + 1;
        if (number == FDevice.FFailAtPage)
            throw EPrinter("The recording printer failed at page " + std::to_string(number));
        FJob.Pages.push_back(std::move(Page));
    }

    void Finish() override {
        if (FDevice.FFailFinish) throw EPrinter("The recording printer failed to finish the job");
        FDevice.FJobs.push_back(std::move(FJob));
        Close();
    }

    void Cancel() noexcept override {
        if (!FOpen) return;
        ++FDevice.FCancelledJobs;
        Close();
    }

private:
    void Close() {
        FOpen = false;
        --FDevice.FOpenJobs;
    }

    TRecordingPrinter& FDevice;
    TRecordedJob FJob;
    bool FOpen = true;
};

TRecordingPrinter::TRecordingPrinter(std::string Name, int32_t PixelsPerInch,
                                     int32_t UnprintableMargin)
    : FName(std::move(Name)),
      FPixelsPerInch(PixelsPerInch),
      FUnprintableMargin(UnprintableMargin) {}

std::unique_ptr<TPrintDocument> TRecordingPrinter::Start(const TPrintJob& Job) {
    return std::make_unique<TRecordingDocument>(*this, Job);
}

}  // namespace vex
