#include "support/TVirtualPrinterBackEnd.h"

#include <QLine>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <utility>

namespace {

TColor VersTColor(const QColor& c) {
    return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

} // namespace

// The paint engine of the virtual page: records lines and rectangles, in page
// pixels, into the open document; everything else counts as unsupported.
class TEnregistreur : public QPaintEngine {
public:
    explicit TEnregistreur(TVirtualPrinterBackEnd::TDocument** document)
        : QPaintEngine(QPaintEngine::AllFeatures), document_(document) {}

    bool begin(QPaintDevice*) override {
        stylo_ = QPen();
        pinceau_ = QBrush();
        transformation_ = QTransform();
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& etat) override {
        if (etat.state() & QPaintEngine::DirtyPen) stylo_ = etat.pen();
        if (etat.state() & QPaintEngine::DirtyBrush) pinceau_ = etat.brush();
        if (etat.state() & QPaintEngine::DirtyTransform) transformation_ = etat.transform();
    }

    void drawLines(const QLine* lignes, int n) override {
        for (int i = 0; i < n; ++i)
            Ligne(QLineF(lignes[i]));
    }
    void drawLines(const QLineF* lignes, int n) override {
        for (int i = 0; i < n; ++i)
            Ligne(lignes[i]);
    }
    void drawRects(const QRect* rects, int n) override {
        for (int i = 0; i < n; ++i)
            Rectangle(QRectF(rects[i]));
    }
    void drawRects(const QRectF* rects, int n) override {
        for (int i = 0; i < n; ++i)
            Rectangle(rects[i]);
    }
    void drawPath(const QPainterPath&) override { NonPrisEnCharge(); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { NonPrisEnCharge(); }
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override { NonPrisEnCharge(); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { NonPrisEnCharge(); }
    void drawTextItem(const QPointF&, const QTextItem&) override { NonPrisEnCharge(); }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        NonPrisEnCharge();
    }

private:
    void Ligne(const QLineF& ligne) {
        if (*document_ == nullptr) return;
        TVirtualPrinterBackEnd::TSegment s;
        s.From = transformation_.map(ligne.p1());
        s.To = transformation_.map(ligne.p2());
        s.Color = VersTColor(stylo_.color());
        s.PenWidth = stylo_.width();
        s.Cosmetic = stylo_.isCosmetic();
        s.Solid = stylo_.style() == Qt::SolidLine;
        (*document_)->Segments.push_back(s);
    }
    void Rectangle(const QRectF& r) {
        if (*document_ == nullptr) return;
        TVirtualPrinterBackEnd::TRectangle rect;
        rect.Rect = transformation_.mapRect(r).toRect();
        rect.Pen = VersTColor(stylo_.color());
        rect.Filled = pinceau_.style() != Qt::NoBrush;
        rect.Brush = VersTColor(pinceau_.color());
        (*document_)->Rectangles.push_back(rect);
    }
    void NonPrisEnCharge() {
        if (*document_ != nullptr) ++(*document_)->UnsupportedOperations;
    }

    TVirtualPrinterBackEnd::TDocument** document_;
    QPen stylo_;
    QBrush pinceau_;
    QTransform transformation_;
};

// The virtual page: a paint device with the metrics of the open context.
class TVirtualPrinterBackEnd::TPage : public QPaintDevice {
public:
    TPage() : engine_(&document_) {}
    ~TPage() override = default;

    QPaintEngine* paintEngine() const override { return &engine_; }

    TPrinterMetrics Metrics;
    TVirtualPrinterBackEnd::TDocument* document_ = nullptr;

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return Metrics.HorzRes;
        case PdmHeight:
            return Metrics.VertRes;
        case PdmWidthMM:
            return Metrics.HorzSize;
        case PdmHeightMM:
            return Metrics.VertSize;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return Metrics.LogPixelsX;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return Metrics.LogPixelsY;
        case PdmNumColors:
            return 0x1000000;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(m);
        }
    }

private:
    mutable TEnregistreur engine_;
};

TVirtualPrinterBackEnd::TVirtualPrinterBackEnd() : page_(std::make_unique<TPage>()) {}

TVirtualPrinterBackEnd::~TVirtualPrinterBackEnd() = default;

void TVirtualPrinterBackEnd::SetDefaultPrinter(const std::string& name) {
    defaultName_ = name;
}
void TVirtualPrinterBackEnd::SetInstalled(bool installed) {
    installed_ = installed;
}
void TVirtualPrinterBackEnd::SetHasSettings(bool hasSettings) {
    hasSettings_ = hasSettings;
}
void TVirtualPrinterBackEnd::SetMetrics(const TPrinterMetrics& metrics) {
    metrics_ = metrics;
}
void TVirtualPrinterBackEnd::SetContextFails(bool fails) {
    contextFails_ = fails;
}
void TVirtualPrinterBackEnd::SetStartFails(bool fails) {
    startFails_ = fails;
}
void TVirtualPrinterBackEnd::SetEndFails(bool fails) {
    endFails_ = fails;
}

void TVirtualPrinterBackEnd::ClearRecord() {
    page_->document_ = nullptr;
    documents_.clear();
    documentOpen_ = false;
    icOpened_ = 0;
    dcOpened_ = 0;
    lookups_ = 0;
}

TPrinterMetrics TVirtualPrinterBackEnd::MetricsFor(TOrientation orientation) const {
    if (orientation == TOrientation::Portrait) return metrics_;
    return {metrics_.LogPixelsY, metrics_.LogPixelsX, metrics_.VertRes,
            metrics_.HorzRes,    metrics_.VertSize,   metrics_.HorzSize};
}

std::string TVirtualPrinterBackEnd::DefaultPrinterName() {
    ++lookups_;
    return defaultName_;
}

std::vector<std::string> TVirtualPrinterBackEnd::InstalledPrinters() {
    std::vector<std::string> noms{"Autre imprimante"};
    if (installed_ && !defaultName_.empty()) noms.push_back(defaultName_);
    return noms;
}

std::optional<TDeviceSettings> TVirtualPrinterBackEnd::DefaultSettings(const std::string& device) {
    if (!hasSettings_) return std::nullopt;
    // The virtual printer's own default is landscape, so that setting portrait matters.
    return TDeviceSettings{device, TOrientation::Landscape};
}

std::optional<TPrinterMetrics> TVirtualPrinterBackEnd::OpenContext(const TDeviceSettings& settings,
                                                                   bool forJob) {
    CloseContext();
    if (contextFails_) return std::nullopt;
    contextOpen_ = true;
    jobContext_ = forJob;
    contextSettings_ = settings;
    ++(forJob ? dcOpened_ : icOpened_);
    page_->Metrics = MetricsFor(settings.Orientation);
    return page_->Metrics;
}

void TVirtualPrinterBackEnd::CloseContext() {
    contextOpen_ = false;
    jobContext_ = false;
}

QPaintDevice* TVirtualPrinterBackEnd::StartDocument(const std::string& title) {
    if (startFails_ || !contextOpen_ || !jobContext_ || documentOpen_) return nullptr;
    TDocument document;
    document.Title = title;
    document.Settings = contextSettings_;
    documents_.push_back(std::move(document));
    documentOpen_ = true;
    page_->document_ = &documents_.back();
    return page_.get();
}

bool TVirtualPrinterBackEnd::EndDocument() {
    if (!documentOpen_) return false;
    documents_.back().Finished = true;
    documentOpen_ = false;
    page_->document_ = nullptr;
    return !endFails_;
}
