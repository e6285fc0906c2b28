#include "shell/TApplication.h"

#include "core/Exceptions.h"
#include "shell/Affichage.h"
#include "shell/TForm.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <csignal>
#include <new>

TApplication* Application = nullptr;

namespace {

// The quit request travels through the event queue like the platform's own.
QEvent::Type TypeDemandeQuitter() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void LibererSouris() {
    if (QWidget* capture = QWidget::mouseGrabber()) capture->releaseMouse();
}

} // namespace

TApplication::TApplication(QObject* parent) : QObject(parent) {
    title_ = ProgramTitle(QCoreApplication::applicationFilePath());
    Application = this;
    // Under a file-size limit (quotas, sandboxes) a write past it must fail
    // and be reported like a full disk, not end the program and lose the
    // drawing: SIGXFSZ would kill it by default.
    std::signal(SIGXFSZ, SIG_IGN);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // Closing a window never ends the run by itself: only the quit request.
        app->setQuitOnLastWindowClosed(false);
        connect(app, &QApplication::focusChanged, this, &TApplication::FocusChanged);
        app->installEventFilter(this);
    }
}

TApplication::~TApplication() {
    if (Application == this) Application = nullptr;
}

QString TApplication::ProgramTitle(const QString& programPath) {
    QString nom = QFileInfo(programPath).fileName();
    const qsizetype point = nom.indexOf(u'.');
    if (point >= 0) nom.truncate(point);
    if (nom.size() > 1) nom = nom.left(1) + nom.mid(1).toLower();
    return nom;
}

void TApplication::Register(TForm* form) {
    if (mainForm_ == nullptr) mainForm_ = form;
    Protect([form] { form->FormCreate(); });
}

void TApplication::RequestQuit() {
    QCoreApplication::postEvent(this, new QEvent(TypeDemandeQuitter()));
}

void TApplication::Terminate() {
    terminated_ = true;
    // Each loop ends once control is back in it: a handler running now (a
    // slow trace) finishes first.
    if (loop_ != nullptr) loop_->exit(0);
    for (TForm* dialog : modalForms_)
        dialog->SetModalResult(mrCancel);
}

bool TApplication::event(QEvent* e) {
    if (e->type() == TypeDemandeQuitter()) {
        Terminate();
        return true;
    }
    return QObject::event(e);
}

bool TApplication::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* touche = static_cast<QKeyEvent*>(e);
    const Qt::KeyboardModifiers modificateurs =
        touche->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!(modificateurs & Qt::AltModifier) ||
        (modificateurs & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    if (touche->text().isEmpty() || !touche->text().front().isPrint()) return false;
    // Qt has tried the accelerators already. With Shift, try them again
    // without it: a key press sent by the program goes through them first.
    if (modificateurs & Qt::ShiftModifier) {
        QKeyEvent sansMaj(QEvent::KeyPress, touche->key(), touche->modifiers() & ~Qt::ShiftModifier,
                          touche->text().toLower(), touche->isAutoRepeat(),
                          static_cast<quint16>(touche->count()));
        QCoreApplication::sendEvent(watched, &sansMaj);
    }
    return true;
}

int TApplication::Run() {
    if (terminated_) return 0;
    if (mainForm_ != nullptr) mainForm_->show();
    QEventLoop boucle;
    loop_ = &boucle;
    if (!terminated_) boucle.exec();
    loop_ = nullptr;
    return 0;
}

QString TApplication::MessageWithPeriod(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
    return message;
}

void TApplication::SetReporter(TReporter reporter) {
    reporter_ = std::move(reporter);
}

void TApplication::Protect(const std::function<void()>& handler) noexcept {
    QString text;
    try {
        handler();
        return;
    } catch (const Exception& e) {
        text = QString::fromStdString(e.Message());
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("Mémoire insuffisante");
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Erreur inconnue");
    }
    Report(MessageWithPeriod(text));
}

void TApplication::Report(const QString& text) noexcept {
    try {
        LibererSouris();
        if (reporter_) {
            reporter_(title_, text);
            return;
        }
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            qWarning("%s: %s", qUtf8Printable(title_), qUtf8Printable(text));
            return;
        }
        // Modal for the whole application: the program's windows take no input
        // until OK, then the one active before gets the focus back.
        QMessageBox boite(QMessageBox::Critical, title_, text, QMessageBox::Ok, DialogOwner());
        boite.setTextFormat(Qt::PlainText);
        boite.exec();
    } catch (...) {
        qWarning("%s: %s", qUtf8Printable(title_), qUtf8Printable(text));
    }
}

TModalResult TApplication::ShowModal(TForm& dialog) {
    if (dialog.isVisible() || !dialog.isEnabled() || dialog.inModalRun_)
        throw EInvalidOperation("Impossible de rendre modale une fenêtre visible");

    LibererSouris();
    const QPointer<QWidget> fenetreAvant = QApplication::activeWindow();
    const QPointer<TForm> enregistrementAvant = active_;
    active_ = &dialog;

    // The other windows take no input while the dialog runs.
    const Qt::WindowModality modaliteAvant = dialog.windowModality();
    dialog.setWindowModality(Qt::ApplicationModal);
    QEventLoop boucle;
    dialog.inModalRun_ = true;
    dialog.modalLoop_ = &boucle;
    modalForms_.push_back(&dialog);

    // On Wayland only a dialog with a parent window is kept above it by the
    // compositor; elsewhere the dialog stays the application's own.
    if (QWidget* proprietaire = DialogOwner(); proprietaire != nullptr && proprietaire != &dialog) {
        dialog.winId();
        if (QWindow* fenetre = dialog.windowHandle())
            fenetre->setTransientParent(proprietaire->windowHandle());
    }
    dialog.show(); // FormShow runs here
    Protect([&dialog] { dialog.FormActivate(); });
    dialog.modalResult_ = mrNone;
    if (terminated_) {
        // A quit request already taken: the run ends after its first events.
        boucle.processEvents(QEventLoop::AllEvents);
    } else {
        boucle.exec();
    }
    if (terminated_) dialog.modalResult_ = mrCancel;

    modalForms_.pop_back();
    dialog.modalLoop_ = nullptr;
    dialog.inModalRun_ = false;
    const bool dialogueActif = QApplication::activeWindow() == &dialog;
    // The record comes back before the focus does, so the window below gets
    // no new activation.
    active_ = enregistrementAvant;
    dialog.hide();
    dialog.setWindowModality(modaliteAvant);
    if (dialogueActif && fenetreAvant != nullptr && fenetreAvant->isVisible())
        fenetreAvant->activateWindow();
    return dialog.modalResult_;
}

QWidget* TApplication::DialogOwner() const {
    if (!SurWayland()) return nullptr;
    if (TForm* modale = ModalForm(); modale != nullptr && modale->isVisible()) return modale;
    if (mainForm_ != nullptr && mainForm_->isVisible()) return mainForm_;
    return nullptr;
}

TForm* TApplication::ActiveForm() const {
    return active_;
}

TForm* TApplication::ModalForm() const {
    return modalForms_.empty() ? nullptr : modalForms_.back();
}

void TApplication::FocusChanged(QWidget* /*previous*/, QWidget* current) {
    if (current == nullptr) return; // another application took the focus: the record stays
    auto* form = qobject_cast<TForm*>(current->window());
    if (form == nullptr || form == active_)
        return; // a platform dialog, a message box, or the same window
    // A window below a modal run takes no input: a compositor may still hand
    // it the keyboard focus (Wayland), which changes nothing here.
    if (!modalForms_.empty() && form != modalForms_.back()) return;
    active_ = form;
    // Raised from the queue, not from inside the focus change, so that a
    // message box it may show runs in a plain event dispatch.
    QMetaObject::invokeMethod(
        form, [form] { ::Protege([form] { form->FormActivate(); }); }, Qt::QueuedConnection);
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Pause() {
    if (pause_)
        pause_();
    else
        QThread::msleep(10);
}

void TApplication::SetPause(std::function<void()> pause) {
    pause_ = std::move(pause);
}

void Protege(const std::function<void()>& handler) noexcept {
    if (Application != nullptr) {
        Application->Protect(handler);
        return;
    }
    try {
        handler();
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    } catch (...) {
        qWarning("exception");
    }
}
