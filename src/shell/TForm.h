#pragma once
// A window of the program: a top-level widget with a modal result and the
// events the shell raises on it (creation, show, activation).
#include <QWidget>

class QAbstractButton;
class QEventLoop;

// The result of a dialog window.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    // Setting a result other than mrNone during a modal run closes the
    // dialog and ends the run with that result.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult valeur);
    // A button carrying a result: its click sets this window's ModalResult to
    // `resultat`. Connect it before the button's own click handler, so the
    // result is set first.
    void LierResultat(QAbstractButton* bouton, TModalResult resultat);
    // Whether the window is inside a modal run (TApplication::ShowModal).
    bool EnRunModal() const { return enRunModal_; }

    // Raised by the shell, each inside the error trap: FormCreate once, right
    // after the window and its controls exist; FormActivate when the window
    // becomes the focused-window record (see TApplication); FormShow when it
    // is shown.
    virtual void FormCreate() {}
    virtual void FormActivate() {}
    virtual void FormShow() {}

    // What a screen reader is told the window is: a frame (the main window),
    // or a dialog once SetDialogue(true) has been called.
    bool Dialogue() const { return dialogue_; }

protected:
    void SetDialogue(bool dialogue) { dialogue_ = dialogue; }
    // The close box (and QWidget::close): on the main window a quit request,
    // the window stays; on a dialog in a modal run the result mrCancel; otherwise the
    // window hides.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class TApplication;
    TModalResult modalResult_ = mrNone;
    bool enRunModal_ = false;
    bool dialogue_ = false;
    QEventLoop* boucleModale_ = nullptr;
};
