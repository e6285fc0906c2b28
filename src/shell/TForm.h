#pragma once
// A window of the program: a top-level widget with a modal result and the
// events the shell raises on it (creation, show, activation).
#include <QWidget>

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    // 0 none, 1 OK, 2 cancel. Setting a non-zero value during a modal run
    // closes the dialog and ends the run with that value.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int valeur);

    // Raised by the shell, each inside the error trap: FormCreate once, right
    // after the window and its controls exist; FormActivate when the window
    // becomes the focused-window record (see TApplication); FormShow when it
    // is shown.
    virtual void FormCreate() {}
    virtual void FormActivate() {}
    virtual void FormShow() {}

protected:
    // The close box: on the main window a quit request, on a dialog in a
    // modal run the result 2.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int modalResult_ = 0;
};
