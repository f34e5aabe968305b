#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/printerdevice.h"

namespace vex {

// A finished job as a device received it.
struct TRecordedJob {
    TPrintJob Job;
    std::vector<TPrintedPage> Pages;
};

// A printer that keeps what it is sent instead of putting it on paper: each finished job with its
// pages of drawing calls, for tests to read. It can be told to fail as a real device does, and
// takes any resolution and unprintable margin.
class TRecordingPrinter : public TPrinterDevice {
public:
    explicit TRecordingPrinter(std::string Name = "Recorder", int32_t PixelsPerInch = 600,
                               int32_t UnprintableMargin = 0);

    std::string Name() const override { return FName; }
    int32_t PixelsPerInch() const override { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t Value) { FPixelsPerInch = Value; }
    int32_t UnprintableMargin() const override { return FUnprintableMargin; }
    void SetUnprintableMargin(int32_t Value) { FUnprintableMargin = Value; }

    // The AddPage of page Number (from 1) of every later job raises EPrinter; 0 for none.
    void SetFailAtPage(int32_t Number) { FFailAtPage = Number; }
    // Finish raises EPrinter, keeping nothing.
    void SetFailFinish(bool Value) { FFailFinish = Value; }

    std::unique_ptr<TPrintDocument> Start(const TPrintJob& Job) override;

    const std::vector<TRecordedJob>& Jobs() const { return FJobs; }
    // Jobs started and not yet finished or cancelled.
    int32_t OpenJobs() const { return FOpenJobs; }
    int32_t CancelledJobs() const { return FCancelledJobs; }

private:
    friend class TRecordingDocument;

    std::string FName;
    int32_t FPixelsPerInch;
    int32_t FUnprintableMargin;
    int32_t FFailAtPage = 0;
    bool FFailFinish = false;
    std::vector<TRecordedJob> FJobs;
    int32_t FOpenJobs = 0;
    int32_t FCancelledJobs = 0;
};

}  // namespace vex
