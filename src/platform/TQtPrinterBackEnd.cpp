#include "platform/TQtPrinterBackEnd.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>

#include "core/Exceptions.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <chrono>

namespace {

// A print server that hangs (stopped, stuck on a dead network printer) keeps
// its socket open and never answers: left alone, libcups would wait a minute
// per request, and Qt's print support makes several per call, on the window's
// thread. Every call is bounded instead: the server is first asked a plain
// request of our own with a short patience, and the connection the calls then
// use gives up after a few seconds of silence.
using Horloge = std::chrono::steady_clock;
constexpr double PatienceSonde = 1.5;                        // seconds, the plain request
constexpr double Periode = 0.25;                             // seconds between looks at a silence
constexpr auto SilenceMax = std::chrono::milliseconds(1000); // within a call

struct TSilence {
    bool expire = false;
    Horloge::time_point dernierAppel{};
    Horloge::time_point debut{};
};

TSilence& Silence() {
    static TSilence silence;
    return silence;
}

// Called by libcups after each Periode without data on the connection; 0
// makes the request fail. Calls further apart than two periods had data
// between them: a slow but living server is not given up.
int Patienter(http_t* /*http*/, void* /*donnees*/) {
    TSilence& s = Silence();
    if (s.expire) return 0;
    const auto maintenant = Horloge::now();
    const auto periode =
        std::chrono::duration_cast<Horloge::duration>(std::chrono::duration<double>(Periode));
    if (maintenant - s.dernierAppel > 2 * periode) s.debut = maintenant - periode;
    s.dernierAppel = maintenant;
    if (maintenant - s.debut < SilenceMax) return 1;
    s.expire = true;
    return 0;
}

int Abandonner(http_t* /*http*/, void* /*donnees*/) {
    return 0;
}

// The calling thread's own connection, the one every call of Qt's print
// support goes through. libcups offers it under this exported name only; where
// it is missing the calls keep libcups's own limits.
void BornerConnexion() {
    using Fonction = http_t* (*)();
    static const auto connexion = reinterpret_cast<Fonction>(::dlsym(RTLD_DEFAULT, "_cupsConnect"));
    Silence() = {};
    if (connexion == nullptr) return;
    if (http_t* http = connexion()) httpSetTimeout(http, Periode, Patienter, nullptr);
}

// A plain request on a connection of our own: false when the server takes
// the connection but does not answer in time. A server that cannot be reached
// at all counts as answering: the calls then fail at once by themselves.
bool ServeurRepond() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                1000, nullptr);
    if (http == nullptr) return true;
    httpSetTimeout(http, PatienceSonde, Abandonner, nullptr);
    httpClearFields(http);
    bool repondu = false;
    if (httpGet(http, "/") == 0) {
        http_status_t etat = HTTP_STATUS_CONTINUE;
        while (etat == HTTP_STATUS_CONTINUE)
            etat = httpUpdate(http);
        repondu = etat != HTTP_STATUS_ERROR;
    }
    httpClose(http);
    return repondu;
}

[[noreturn]] void SansReponse() {
    throw EPrinter(TPrinterBackEnd::NoAnswerMessage);
}

// Before calls into the printing system.
void Borner() {
    if (!ServeurRepond()) SansReponse();
    BornerConnexion();
}

// After them: a call that gave up returns as if there were nothing.
void VerifierReponse() {
    if (Silence().expire) SansReponse();
}

} // namespace

TQtPrinterBackEnd::TQtPrinterBackEnd() = default;

TQtPrinterBackEnd::~TQtPrinterBackEnd() = default;

std::string TQtPrinterBackEnd::DefaultPrinterName() {
    Borner();
    const QPrinterInfo defaut = QPrinterInfo::defaultPrinter();
    VerifierReponse();
    if (defaut.isNull()) return {};
    return defaut.printerName().toStdString();
}

std::vector<std::string> TQtPrinterBackEnd::InstalledPrinters() {
    Borner();
    const QStringList installees = QPrinterInfo::availablePrinterNames();
    VerifierReponse();
    std::vector<std::string> noms;
    for (const QString& nom : installees)
        noms.push_back(nom.toStdString());
    return noms;
}

std::optional<TDeviceSettings> TQtPrinterBackEnd::DefaultSettings(const std::string& device) {
    Borner();
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(device));
    VerifierReponse();
    if (info.isNull()) return std::nullopt;
    // A fresh QPrinter on the destination carries its default settings.
    QPrinter printer(info, QPrinter::HighResolution);
    VerifierReponse();
    if (!printer.isValid()) return std::nullopt;
    const TOrientation orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                                         ? TOrientation::Landscape
                                         : TOrientation::Portrait;
    return TDeviceSettings{device, orientation};
}

std::optional<TPrinterMetrics> TQtPrinterBackEnd::OpenContext(const TDeviceSettings& settings,
                                                              bool /*forJob*/) {
    CloseContext();
    Borner();
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(settings.Device));
    VerifierReponse();
    if (info.isNull()) return std::nullopt;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    VerifierReponse();
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

void TQtPrinterBackEnd::BeforeHandOver() {
    // The connection as it is now: the server may have closed the one of the
    // document's start while the page was drawn.
    BornerConnexion();
}

bool TQtPrinterBackEnd::EndDocument() {
    // The painter has ended: Qt has handed the document to CUPS, without
    // looking at the answer. The answer to its last request is this thread's
    // last error: a job not created, or its document not taken, was not queued.
    return printer_ && printer_->printerState() != QPrinter::Error && !Silence().expire &&
           cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}
