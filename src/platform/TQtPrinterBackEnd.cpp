#include "platform/TQtPrinterBackEnd.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>

TQtPrinterBackEnd::TQtPrinterBackEnd() = default;

TQtPrinterBackEnd::~TQtPrinterBackEnd() = default;

std::string TQtPrinterBackEnd::DefaultPrinterName() {
    const QPrinterInfo defaut = QPrinterInfo::defaultPrinter();
    if (defaut.isNull()) return {};
    return defaut.printerName().toStdString();
}

std::vector<std::string> TQtPrinterBackEnd::InstalledPrinters() {
    std::vector<std::string> noms;
    for (const QString& nom : QPrinterInfo::availablePrinterNames())
        noms.push_back(nom.toStdString());
    return noms;
}

std::optional<TDeviceSettings> TQtPrinterBackEnd::DefaultSettings(const std::string& device) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(device));
    if (info.isNull()) return std::nullopt;
    // A fresh QPrinter on the destination carries its default settings.
    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid()) return std::nullopt;
    const TOrientation orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                                         ? TOrientation::Landscape
                                         : TOrientation::Portrait;
    return TDeviceSettings{device, orientation};
}

std::optional<TPrinterMetrics> TQtPrinterBackEnd::OpenContext(const TDeviceSettings& settings,
                                                              bool /*forJob*/) {
    CloseContext();
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(settings.Device));
    if (info.isNull()) return std::nullopt;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid()) return std::nullopt;
    printer->setOutputFormat(QPrinter::NativeFormat);
    printer->setFullPage(false);
    // A new QPrinter keeps Qt's own paper when the printer offers it: start
    // from the printer's default paper (and its printable area), as the
    // printer's default settings would.
    const QPageSize papier = info.defaultPageSize();
    if (papier.isValid()) printer->setPageSize(papier);
    printer->setPageOrientation(settings.Orientation == TOrientation::Landscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
    // QPrinter's device metrics are those of the printable area when full page
    // is off; its millimetres are whole ones.
    TPrinterMetrics m;
    m.LogPixelsX = printer->logicalDpiX();
    m.LogPixelsY = printer->logicalDpiY();
    m.HorzRes = printer->width();
    m.VertRes = printer->height();
    m.HorzSize = printer->widthMM();
    m.VertSize = printer->heightMM();
    if (m.LogPixelsX <= 0 || m.LogPixelsY <= 0 || m.HorzRes <= 0 || m.VertRes <= 0)
        return std::nullopt;
    printer_ = std::move(printer);
    return m;
}

void TQtPrinterBackEnd::CloseContext() {
    printer_.reset();
}

QPaintDevice* TQtPrinterBackEnd::StartDocument(const std::string& title) {
    if (!printer_) return nullptr;
    printer_->setDocName(QString::fromStdString(title));
    // The document starts when the page canvas's painter begins on the printer.
    return printer_.get();
}

bool TQtPrinterBackEnd::EndDocument() {
    // The painter has ended: Qt has handed the document to CUPS.
    return printer_ && printer_->printerState() != QPrinter::Error;
}
