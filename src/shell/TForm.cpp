#include "shell/TForm.h"

#include "shell/Connecter.h"
#include "shell/TApplication.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QEventLoop>
#include <QShowEvent>

namespace {

// The toolkit would report a plain top-level widget as a client area
// ("filler"): the program's windows are a frame and a dialog.
QAccessibleInterface* FabriqueFenetre(const QString&, QObject* objet) {
    auto* fenetre = qobject_cast<TForm*>(objet);
    if (!fenetre) return nullptr;
    return new QAccessibleWidget(fenetre,
                                 fenetre->IsDialog() ? QAccessible::Dialog : QAccessible::Window);
}

} // namespace

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    static const bool accessible = (QAccessible::installFactory(&FabriqueFenetre), true);
    (void)accessible;
}

void TForm::SetModalResult(TModalResult value) {
    modalResult_ = value;
    // The modal loop ends once the event that set the value has been handled.
    if (value != mrNone && modalLoop_ != nullptr) modalLoop_->exit(0);
}

void TForm::BindResult(QAbstractButton* button, TModalResult result) {
    Connecter(button, &QAbstractButton::clicked, this, [this, result] { SetModalResult(result); });
}

void TForm::closeEvent(QCloseEvent* event) {
    if (Application != nullptr && Application->MainForm() == this) {
        // The window stays on screen until the loop ends with the program.
        event->ignore();
        Application->RequestQuit();
        return;
    }
    if (inModalRun_) {
        // The modal loop hides the dialog once it sees the result.
        event->ignore();
        SetModalResult(mrCancel);
        return;
    }
    event->accept();
}

void TForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window restored from the task bar is not shown anew.
    if (!event->spontaneous()) Protege([this] { FormShow(); });
}
