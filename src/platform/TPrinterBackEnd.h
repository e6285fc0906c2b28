#pragma once
// What the printer object needs of the printing system: the default printer,
// its device settings, a context with its metrics, and one-page documents.
// The real back end goes through Qt's print support (CUPS); tests install a
// virtual printer (TVirtualPrinterBackEnd) through TPrinter::SetBackEnd.
#include <optional>
#include <string>
#include <vector>

class QPaintDevice;

enum class TOrientation { Portrait, Landscape };

// A printer's device settings, as a context or a job is made with them.
struct TDeviceSettings {
    std::string Device; // exact device name of the printer
    TOrientation Orientation = TOrientation::Portrait;
    friend bool operator==(const TDeviceSettings&, const TDeviceSettings&) = default;
};

// The metrics of a printer context. Lengths are those of the printable area.
struct TPrinterMetrics {
    int LogPixelsX = 0; // pixels per inch across (LOGPIXELSX)
    int LogPixelsY = 0; // pixels per inch down (LOGPIXELSY)
    int HorzRes = 0;    // printable width in device pixels (HORZRES)
    int VertRes = 0;    // printable height in device pixels (VERTRES)
    int HorzSize = 0;   // printable width in whole millimetres (HORZSIZE)
    int VertSize = 0;   // printable height in whole millimetres (VERTSIZE)
    friend bool operator==(const TPrinterMetrics&, const TPrinterMetrics&) = default;
};

// Every call below may throw EPrinter with NoAnswerMessage when the printing
// system does not answer in time (a hung server): the window is never frozen.
class TPrinterBackEnd {
public:
    static constexpr const char* NoAnswerMessage = "Imprimante sélectionnée incorrecte";

    virtual ~TPrinterBackEnd() = default;

    // Device name of the system's default printer; empty when there is none.
    virtual std::string DefaultPrinterName() = 0;
    // Device names of the installed printers.
    virtual std::vector<std::string> InstalledPrinters() = 0;
    // The printer's default device settings; nullopt when it has none (its
    // orientation cannot be set then).
    virtual std::optional<TDeviceSettings> DefaultSettings(const std::string& device) = 0;

    // Opens a context for these settings, replacing any open one, and returns
    // its metrics; nullopt when it cannot be created. `forJob` false: an
    // information context (queries, reference device); true: a device context
    // on which a document can be started.
    virtual std::optional<TPrinterMetrics> OpenContext(const TDeviceSettings& settings,
                                                       bool forJob) = 0;
    // Releases the open context, if any.
    virtual void CloseContext() = 0;

    // Starts a document of one page on the open device context, named `title`
    // (empty: no name), and returns the page: origin at the top left corner of
    // the printable area, one unit per device pixel. The caller paints on it
    // with one QPainter, begun after this call and ended before
    // EndDocument. nullptr when no document can be started.
    virtual QPaintDevice* StartDocument(const std::string& title) = 0;
    // Called just before the caller's painter ends, which hands the document
    // to the printing system (Qt's print engine sends it then).
    virtual void BeforeHandOver() {}
    // Finishes the page and the document and hands it to the printing system.
    // false when the printing system refused it, lost it, or did not answer in
    // time (never throws).
    virtual bool EndDocument() = 0;
};
