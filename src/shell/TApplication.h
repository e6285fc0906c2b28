#pragma once
// The application object: title, main window, quit request, the error trap
// around every handler, the modal run of a dialog and the yield of slow mode.
#include <QObject>
#include <QString>

#include <functional>
#include <string>

class TForm;

class TApplication : public QObject {
    Q_OBJECT
public:
    // Derives Title from the program file's name (QCoreApplication must exist).
    explicit TApplication(QObject* parent = nullptr);
    ~TApplication() override;

    // Caption of every error box: the program file's name without its folder,
    // cut before its first '.', every character after the first in lower case
    // ("ABC2.EXE" gives "Abc2").
    QString Title() const { return title_; }
    static QString TitleFromFileName(const QString& cheminProgramme);

    // The first window created; set once.
    TForm* MainForm() const { return mainForm_; }
    // Creates the form's window through `fabrique`, then runs its FormCreate
    // inside the error trap; the first one becomes MainForm.
    template <class F> F* CreateForm(F*& variable) {
        variable = new F();
        Enregistrer(variable);
        return variable;
    }

    // Quit request (closing the main window): sets the terminate flag; the loop
    // ends once the handler running now has returned to it.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Shows the main window and runs the event loop until the terminate flag is set.
    int Run();

    // Error trap: runs `gestionnaire`; an exception leaving it is reported
    // (message box, or the reporter seam) and swallowed. Never throws.
    void Protege(const std::function<void()>& gestionnaire) noexcept;
    // Message text with the '.' rule: a '.' appended when the text is not
    // empty and its last character's code is above that of '.'.
    static QString MessageAvecPoint(const QString& message);

    // Seam for tests: receives (Title, text) instead of the message box.
    using Reporter = std::function<void(const QString& titre, const QString& texte)>;
    void SetReporter(Reporter reporter);

    // Modal run of a dialog: returns its ModalResult (1 OK, 2 cancel). Throws
    // EInvalidOperation "Impossible de rendre modale une fenêtre visible" when
    // the dialog is already visible or in a modal run.
    int ShowModal(TForm& dialogue);

    // Yield: handles every pending event, then returns at once.
    void ProcessMessages();

    // The 10 ms pause of slow mode; a seam so tests need not wait.
    void Pause();
    void SetPause(std::function<void()> pause);

private:
    void Enregistrer(TForm* form);

    QString title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    Reporter reporter_;
    std::function<void()> pause_;
};

// The one application object of the run.
extern TApplication* Application;
