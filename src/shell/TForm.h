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
    void SetModalResult(TModalResult value);
    // A button carrying a result: its click sets this window's ModalResult to
    // `result`. Connect it before the button's own click handler, so the
    // result is set first.
    void BindResult(QAbstractButton* button, TModalResult result);
    // Whether the window is inside a modal run (TApplication::ShowModal).
    bool InModalRun() const { return inModalRun_; }

    // Raised by the shell, each inside the error trap: FormCreate once, right
    // after the window and its controls exist; FormActivate when the window
    // becomes the focused-window record (see TApplication); FormShow when it
    // is shown.
    virtual void FormCreate() {}
    virtual void FormActivate() {}
    virtual void FormShow() {}

    // What a screen reader is told the window is: a frame (the main window),
    // or a dialog once SetDialog(true) has been called.
    bool IsDialog() const { return dialog_; }

protected:
    void SetDialog(bool dialog) { dialog_ = dialog; }
    // The close box (and QWidget::close): on the main window a quit request,
    // the window stays; on a dialog in a modal run the result mrCancel; otherwise the
    // window hides.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class TApplication;
    TModalResult modalResult_ = mrNone;
    bool inModalRun_ = false;
    bool dialog_ = false;
    QEventLoop* modalLoop_ = nullptr;
};
