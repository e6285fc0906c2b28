#pragma once
// The application object: title, main window, quit request, the error trap
// around every handler, the modal run of a dialog and the yield of slow mode.
#include "shell/TForm.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QEventLoop;
class QWidget;

class TApplication : public QObject {
    Q_OBJECT
public:
    // Derives Title from the program file's name (QCoreApplication must exist).
    // Becomes the run's `Application`. Ignores SIGXFSZ for the process, so a
    // write beyond a file-size limit fails instead of killing the program.
    explicit TApplication(QObject* parent = nullptr);
    ~TApplication() override;

    // Caption of every error box: the program file's name without its folder,
    // cut before its first '.', every character after the first in lower case
    // ("ABC2.EXE" gives "Abc2").
    QString Title() const { return title_; }
    static QString ProgramTitle(const QString& programPath);

    // The first window created; set once.
    TForm* MainForm() const { return mainForm_; }
    // Creates the form's window, stores it in `variable`, then runs its
    // FormCreate inside the error trap; the first one becomes MainForm.
    template <class F> F* CreateForm(F*& variable) {
        variable = new F();
        Register(variable);
        return variable;
    }

    // Quit request (closing the main window): queued like any event; when it is
    // taken from the queue the terminate flag is set, and the loop of Run ends
    // once the handler running at that moment has returned to it.
    void RequestQuit();
    // Sets the terminate flag at once (the quit request taken from the queue).
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Shows the main window and runs the event loop until the terminate flag is
    // set. Returns 0.
    int Run();

    // Error trap: runs `handler`; an exception leaving it is reported
    // (message box, or the SetReporter seam) and swallowed. Never throws.
    void Protect(const std::function<void()>& handler) noexcept;
    // Message text with the '.' rule: a '.' appended when the text is not
    // empty and its last character's code is above that of '.'.
    static QString MessageWithPeriod(const QString& message);

    // Seam for tests: receives (Title, text) instead of the message box.
    using TReporter = std::function<void(const QString& title, const QString& text)>;
    void SetReporter(TReporter reporter);

    // Modal run of a dialog: returns its ModalResult (mrOk, mrCancel). Throws
    // EInvalidOperation "Impossible de rendre modale une fenêtre visible" when
    // the dialog is already visible, disabled or in a modal run. The other
    // windows take no input meanwhile; a quit request ends the run with
    // mrCancel. The focused-window record is saved and restored, so the window
    // below gets no new activation, and a window below that takes the focus
    // meanwhile (a compositor may give it) does not change the record.
    TModalResult ShowModal(TForm& dialog);
    // The dialog of the innermost modal run, or nullptr.
    TForm* ModalForm() const;

    // Yield: handles every pending event, then returns at once.
    void ProcessMessages();

    // The 10 ms pause of slow mode; a seam so tests need not wait.
    void Pause();
    void SetPause(std::function<void()> pause);

    // The window the error boxes and the dialogs in a modal run belong to: on
    // Wayland the innermost modal dialog, else the main window, once shown
    // (the compositor keeps a dialog above its parent only); elsewhere none,
    // the boxes being the application's own.
    QWidget* DialogOwner() const;

    // The focused-window record: the program's window that last took the
    // keyboard focus (dialogs of the platform and message boxes never count).
    TForm* ActiveForm() const;

protected:
    bool event(QEvent* e) override;
    // Alt+key and Alt+Shift+key are accelerators only: one that no "&" mark
    // takes is dropped, so it never types into a field. Alt+Shift+letter
    // tries the accelerators as Alt+letter. Ctrl+Alt (AltGr) still types.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Register(TForm* form);
    void FocusChanged(QWidget* previous, QWidget* current);
    void Report(const QString& text) noexcept;

    QString title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    TReporter reporter_;
    std::function<void()> pause_;
    QEventLoop* loop_ = nullptr;
    QPointer<TForm> active_;
    std::vector<TForm*> modalForms_;
};

// The one application object of the run.
extern TApplication* Application;

// Runs `handler` inside Application's error trap (or, before the
// application object exists, drops the error with a warning). Never throws.
void Protege(const std::function<void()>& handler) noexcept;
