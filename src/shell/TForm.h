#pragma once
// A window of the program: a top-level widget with a modal result and the
// events the shell raises on it (creation, show, activation).
#include <QWidget>

class QAbstractButton;
class QEventLoop;

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    // 0 none, 1 OK, 2 cancel. Setting a non-zero value during a modal run
    // closes the dialog and ends the run with that value.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int valeur);
    // A button carrying a result: its click sets this window's ModalResult to
    // `resultat`. Connect it before the button's own click handler, so the
    // result is set first.
    void LierResultat(QAbstractButton* bouton, int resultat);
    // Whether the window is inside a modal run (TApplication::ShowModal).
    bool EnRunModal() const { return enRunModal_; }

    // Raised by the shell, each inside the error trap: FormCreate once, right
    // after the window and its controls exist; FormActivate when the window
    // becomes the focused-window record (see TApplication); FormShow when it
    // is shown.
    virtual void FormCreate() {}
    virtual void FormActivate() {}
    virtual void FormShow() {}

protected:
    // The close box (and QWidget::close): on the main window a quit request,
    // the window stays; on a dialog in a modal run the result 2; otherwise the
    // window hides.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class TApplication;
    int modalResult_ = 0;
    bool enRunModal_ = false;
    QEventLoop* boucleModale_ = nullptr;
};
