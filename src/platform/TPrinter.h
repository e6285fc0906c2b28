#pragma once
// The printer object: one per run, created at its first use (Printer()). It
// chooses the system's default printer at the first need and keeps it for the
// run, holds that printer's device settings (whose orientation every sheet
// preparation sets to portrait), a handle (none, information context, device
// context), the state of the print job and the page canvas.
//
// Failures are EPrinter with these messages:
//   "Aucune imprimante par défaut sélectionnée"  no default printer, or it is
//       not among the installed printers (asked again at every need)
//   "Imprimante sélectionnée incorrecte"  a context cannot be created, no
//       document can be started on it, or the printing system does not
//       answer in time (the printer stays unchosen, the handle unchanged or
//       none)
//   "Impression en cours"  a job is begun, or the orientation set, during a job
//   "L'imprimante n'imprime pas pour l'instant"  a job is ended, or the page
//       drawn on, with no job open
//   "Opération non supportée par l'imprimante sélectionnée"  the printer has
//       no device settings, so its orientation cannot be set
//   "Le document n'a pas pu être transmis à l'imprimante"  the printing
//       system refused a finished document, lost it, or stopped answering
//       while it was handed over (the job is closed all the same)
#include "engine/PreparerFeuille.h"
#include "platform/TPrinterBackEnd.h"

#include <functional>
#include <memory>
#include <string>

class TPrinterCanvas;

enum class TPrinterHandle { None, InformationContext, DeviceContext };

class TPrinter : public ISheetPrinter {
public:
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The run's printer object, created with the installed back end (the real
    // one over Qt's print support unless a test installed another).
    static TPrinter& Instance();
    // Test seam: installs `backEnd` (nullptr: the real one again) and releases
    // the current printer object, so the next Instance() starts afresh.
    static void SetBackEnd(std::shared_ptr<TPrinterBackEnd> backEnd);
    // Releases the printer object (ending an open job first); the next
    // Instance() creates a new one. Called at exit; tests call it to reset.
    static void Release();

    // --- Sheet preparation ---
    // Orientation portrait; drops the handle.
    void SetPortrait() override;
    // LOGPIXELSX / LOGPIXELSY; create the information context if there is no handle.
    int ResolutionX() override;
    int ResolutionY() override;

    // Sets the orientation of the device settings and drops the handle.
    // Fails during a job, without a default printer, or without settings.
    void SetOrientation(TOrientation orientation);
    // The orientation of the device settings (choosing the printer if needed).
    TOrientation Orientation();

    // The handle's metrics. With no handle, chooses the printer if needed and
    // creates the information context: the reference device of a picture.
    TPrinterMetrics Metrics();
    TPrinterHandle Handle() const { return handle_; }
    // Device name of the chosen printer; empty until one is chosen.
    const std::string& PrinterName() const { return settings_.Device; }

    // --- Print job: one document of one page ---
    // Device context (replacing an information context), document and page
    // started, page canvas attached. Printing() true, PageNumber() 1.
    void BeginDoc();
    // Calls the abort callback (events are processed while the document is
    // handed over), then finishes the page and the document. Printing() false,
    // PageNumber() 0; the device context stays.
    void EndDoc();
    bool Printing() const override { return printing_; }
    int PageNumber() const { return pageNumber_; }
    // The documents' name: never set by the program, so empty.
    const std::string& Title() const { return title_; }

    // The page canvas, the same object for the printer's whole life.
    TPrinterCanvas& Canvas();

    // Called while a document is handed to the printing system. By default it
    // processes the pending window events (Application->ProcessMessages()).
    void SetAbortCallback(std::function<void()> callback);

private:
    explicit TPrinter(std::shared_ptr<TPrinterBackEnd> backEnd);

    // Chooses the system's default printer unless one is chosen.
    void ChoosePrinter();
    // Ensures a handle: the information context when there is none.
    void RequireContext();
    void DropContext();
    // Finishes the open document (canvas detached, document handed over, job
    // state idle); false when the printing system refused the document.
    bool FinishDocument();
    [[noreturn]] static void Fail(const char* message);

    std::shared_ptr<TPrinterBackEnd> backEnd_;
    bool chosen_ = false;
    bool hasSettings_ = false;
    TDeviceSettings settings_;
    TPrinterHandle handle_ = TPrinterHandle::None;
    TPrinterMetrics metrics_;
    bool printing_ = false;
    int pageNumber_ = 0;
    std::string title_;
    std::unique_ptr<TPrinterCanvas> canvas_;
    std::function<void()> abortCallback_;
};

// The run's printer object (TPrinter::Instance()).
TPrinter& Printer();
