#pragma once
// A printer that exists only in memory, for tests: chosen metrics (by default
// 600 pixels per inch, a printable area of 4800 x 6600 pixels and 203 x 279 mm),
// a default printer that can be taken away, failures on request, and a record
// of every document: the segments and rectangles drawn on its page.
#include "engine/TCanvas.h"
#include "platform/TPrinterBackEnd.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class TVirtualPrinterBackEnd : public TPrinterBackEnd {
public:
    // One line drawn on the page, in page units (pixel (x, y) is the square
    // from (x, y) to (x + 1, y + 1)), with the pen it was drawn with.
    struct TSegment {
        QPointF From;
        QPointF To;
        TColor Color = 0; // 0x00BBGGRR
        int PenWidth = 0; // as set on the pen (1 for the page canvas)
        bool Cosmetic = false;
        bool Solid = false;
        friend bool operator==(const TSegment&, const TSegment&) = default;
        // Readable in failure messages.
        friend void PrintTo(const TSegment& s, std::ostream* os) {
            *os << '(' << s.From.x() << ',' << s.From.y() << ")-(" << s.To.x() << ',' << s.To.y()
                << ") colour " << s.Color;
        }
    };
    // One rectangle drawn on the page (outline pen and fill), as QPainter got it.
    struct TRectangle {
        QRect Rect;
        TColor Pen = 0;
        bool Filled = false;
        TColor Brush = 0;
    };
    // One document: its name, the settings it was printed with, its page.
    struct TDocument {
        std::string Title;
        TDeviceSettings Settings;
        std::vector<TSegment> Segments;
        std::vector<TRectangle> Rectangles;
        int UnsupportedOperations = 0; // paths, images, text: never expected
        bool Finished = false;         // EndDocument was called
    };

    static constexpr const char* DefaultName = "Imprimante virtuelle";
    static TPrinterMetrics DefaultMetrics() { return {600, 600, 4800, 6600, 203, 279}; }

    TVirtualPrinterBackEnd();
    ~TVirtualPrinterBackEnd() override;

    // --- Configuration (any time) ---
    // Default printer's name; empty: the system has no default printer.
    void SetDefaultPrinter(const std::string& name);
    // Whether the default printer is among the installed printers.
    void SetInstalled(bool installed);
    // Whether the printer has device settings (an orientation to set).
    void SetHasSettings(bool hasSettings);
    // Metrics in portrait; landscape swaps the axes.
    void SetMetrics(const TPrinterMetrics& metrics);
    // Whether contexts (information, device) can be created.
    void SetContextFails(bool fails);
    // Whether StartDocument fails (returns nullptr).
    void SetStartFails(bool fails);
    // Whether EndDocument reports a refusal.
    void SetEndFails(bool fails);

    // --- Record ---
    const std::vector<TDocument>& Documents() const { return documents_; }
    // The document being printed (StartDocument called, EndDocument not yet).
    bool DocumentOpen() const { return documentOpen_; }
    // How many times each context kind was opened, and whether one is open.
    int InformationContextsOpened() const { return icOpened_; }
    int DeviceContextsOpened() const { return dcOpened_; }
    bool ContextOpen() const { return contextOpen_; }
    // Settings of the open (or last) context.
    const TDeviceSettings& ContextSettings() const { return contextSettings_; }
    // How many times the default printer was looked up.
    int DefaultLookups() const { return lookups_; }
    void ClearRecord();

    // --- TPrinterBackEnd ---
    std::string DefaultPrinterName() override;
    std::vector<std::string> InstalledPrinters() override;
    std::optional<TDeviceSettings> DefaultSettings(const std::string& device) override;
    std::optional<TPrinterMetrics> OpenContext(const TDeviceSettings& settings,
                                               bool forJob) override;
    void CloseContext() override;
    QPaintDevice* StartDocument(const std::string& title) override;
    bool EndDocument() override;

    class TPage; // the page's paint device (records into the open document)

private:
    TPrinterMetrics MetricsFor(TOrientation orientation) const;

    std::string defaultName_ = DefaultName;
    bool installed_ = true;
    bool hasSettings_ = true;
    TPrinterMetrics metrics_ = DefaultMetrics();
    bool contextFails_ = false;
    bool startFails_ = false;
    bool endFails_ = false;

    std::vector<TDocument> documents_;
    bool documentOpen_ = false;
    bool contextOpen_ = false;
    bool jobContext_ = false;
    int icOpened_ = 0;
    int dcOpened_ = 0;
    int lookups_ = 0;
    TDeviceSettings contextSettings_;
    std::unique_ptr<TPage> page_;
};
