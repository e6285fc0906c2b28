#pragma once
// The real printing system, through Qt's print support (CUPS on Linux): the
// default destination, its default settings, and a QPrinter in high-resolution
// mode on the destination's default paper that stands for both the information
// and the device context. Its metrics are those of the printable area (full
// page off), so page coordinates start at the printable area's top left corner.
// Every call is bounded in time: a server that takes the connection but does
// not answer within a few seconds fails it with NoAnswerMessage, a document
// it stops taking is refused (EndDocument false).
#include "platform/TPrinterBackEnd.h"

#include <memory>

class QPrinter;

class TQtPrinterBackEnd : public TPrinterBackEnd {
public:
    TQtPrinterBackEnd();
    ~TQtPrinterBackEnd() override;

    std::string DefaultPrinterName() override;
    std::vector<std::string> InstalledPrinters() override;
    std::optional<TDeviceSettings> DefaultSettings(const std::string& device) override;
    std::optional<TPrinterMetrics> OpenContext(const TDeviceSettings& settings,
                                               bool forJob) override;
    void CloseContext() override;
    QPaintDevice* StartDocument(const std::string& title) override;
    void BeforeHandOver() override;
    bool EndDocument() override;

private:
    std::unique_ptr<QPrinter> printer_;
};
