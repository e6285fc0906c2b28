#include "platform/TPrinter.h"

#include "core/Exceptions.h"
#include "platform/TPrinterCanvas.h"
#include "platform/TQtPrinterBackEnd.h"
#include "shell/TApplication.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

constexpr const char* AucuneImprimante = "Aucune imprimante par défaut sélectionnée";
constexpr const char* ImprimanteIncorrecte = TPrinterBackEnd::NoAnswerMessage;
constexpr const char* ImpressionEnCours = "Impression en cours";
constexpr const char* NImprimePas = "L'imprimante n'imprime pas pour l'instant";
constexpr const char* NonSupportee = "Opération non supportée par l'imprimante sélectionnée";
constexpr const char* EnvoiRefuse = "Le document n'a pas pu être transmis à l'imprimante";

std::shared_ptr<TPrinterBackEnd>& BackEndInstalle() {
    static std::shared_ptr<TPrinterBackEnd> backEnd;
    return backEnd;
}

std::unique_ptr<TPrinter>& Unique() {
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

void ReleaseAtExit() {
    TPrinter::Release();
}

} // namespace

TPrinter& Printer() {
    return TPrinter::Instance();
}

TPrinter& TPrinter::Instance() {
    auto& unique = Unique();
    if (!unique) {
        auto backEnd = BackEndInstalle();
        if (!backEnd) backEnd = std::make_shared<TQtPrinterBackEnd>();
        unique.reset(new TPrinter(std::move(backEnd)));
        // Released with the application, while Qt's print support still exists.
        static bool routineInstallee = false;
        if (!routineInstallee && QCoreApplication::instance() != nullptr) {
            qAddPostRoutine(ReleaseAtExit);
            routineInstallee = true;
        }
    }
    return *unique;
}

void TPrinter::SetBackEnd(std::shared_ptr<TPrinterBackEnd> backEnd) {
    Release();
    BackEndInstalle() = std::move(backEnd);
}

void TPrinter::Release() {
    // Moved out first, so that nothing reached from the destructor sees a
    // half-destroyed object through Instance().
    std::unique_ptr<TPrinter> previous = std::move(Unique());
}

TPrinter::TPrinter(std::shared_ptr<TPrinterBackEnd> backEnd)
    : backEnd_(std::move(backEnd)), abortCallback_([] {
          if (Application != nullptr) Application->ProcessMessages();
      }) {}

TPrinter::~TPrinter() {
    // A job still open at exit is finished, so no document stays half-made.
    try {
        FinishDocument();
    } catch (...) {
        // At exit there is no one left to tell.
    }
    canvas_.reset();
    if (handle_ != TPrinterHandle::None) backEnd_->CloseContext();
}

void TPrinter::Fail(const char* message) {
    throw EPrinter(message);
}

void TPrinter::ChoosePrinter() {
    if (chosen_) return;
    const std::string name = backEnd_->DefaultPrinterName();
    if (name.empty()) Fail(AucuneImprimante);
    const auto installed = backEnd_->InstalledPrinters();
    if (std::find(installed.begin(), installed.end(), name) == installed.end())
        Fail(AucuneImprimante);
    const auto settings = backEnd_->DefaultSettings(name);
    hasSettings_ = settings.has_value();
    settings_ = settings.value_or(TDeviceSettings{name, TOrientation::Portrait});
    chosen_ = true;
}

void TPrinter::DropContext() {
    if (handle_ != TPrinterHandle::None) backEnd_->CloseContext();
    handle_ = TPrinterHandle::None;
}

void TPrinter::RequireContext() {
    if (handle_ != TPrinterHandle::None) return;
    ChoosePrinter();
    const auto metrics = backEnd_->OpenContext(settings_, false);
    if (!metrics) Fail(ImprimanteIncorrecte);
    metrics_ = *metrics;
    handle_ = TPrinterHandle::InformationContext;
}

void TPrinter::SetPortrait() {
    SetOrientation(TOrientation::Portrait);
}

void TPrinter::SetOrientation(TOrientation orientation) {
    if (printing_) Fail(ImpressionEnCours);
    ChoosePrinter();
    DropContext();
    if (!hasSettings_) Fail(NonSupportee);
    settings_.Orientation = orientation;
}

TOrientation TPrinter::Orientation() {
    ChoosePrinter();
    return settings_.Orientation;
}

int TPrinter::ResolutionX() {
    return Metrics().LogPixelsX;
}
int TPrinter::ResolutionY() {
    return Metrics().LogPixelsY;
}

TPrinterMetrics TPrinter::Metrics() {
    RequireContext();
    return metrics_;
}

TPrinterCanvas& TPrinter::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TPrinterCanvas>(*this);
    return *canvas_;
}

void TPrinter::SetAbortCallback(std::function<void()> callback) {
    abortCallback_ = std::move(callback);
}

void TPrinter::BeginDoc() {
    if (printing_) Fail(ImpressionEnCours);
    if (handle_ != TPrinterHandle::DeviceContext) {
        ChoosePrinter();
        DropContext();
        const auto metrics = backEnd_->OpenContext(settings_, true);
        if (!metrics) Fail(ImprimanteIncorrecte);
        metrics_ = *metrics;
        handle_ = TPrinterHandle::DeviceContext;
    }
    TPrinterCanvas& canvas = Canvas();
    // A document that cannot start is reported, not drawn into the void.
    QPaintDevice* page = backEnd_->StartDocument(title_);
    if (page == nullptr) Fail(ImprimanteIncorrecte);
    if (!canvas.Attach(page)) {
        backEnd_->EndDocument();
        Fail(ImprimanteIncorrecte);
    }
    printing_ = true;
    pageNumber_ = 1;
}

void TPrinter::EndDoc() {
    if (!printing_) Fail(NImprimePas);
    // The hand-over: pending events run here, as the printing system's abort
    // callback would run them; the job is never cancelled. However the
    // callback ends, the document is finished.
    try {
        if (abortCallback_) abortCallback_();
    } catch (...) {
        FinishDocument();
        throw;
    }
    if (!FinishDocument()) Fail(EnvoiRefuse);
}

bool TPrinter::FinishDocument() {
    if (!printing_) return true; // already finished by a command run from the callback
    backEnd_->BeforeHandOver();
    if (canvas_) canvas_->Detach();
    const bool sent = backEnd_->EndDocument();
    printing_ = false;
    pageNumber_ = 0;
    return sent;
}
