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
    title_ = TitreDuProgramme(QCoreApplication::applicationFilePath());
    Application = this;
    // Under a file-size limit (quotas, sandboxes) a write past it must fail
    // and be reported like a full disk, not end the program and lose the
    // drawing: SIGXFSZ would kill it by default.
    std::signal(SIGXFSZ, SIG_IGN);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // Closing a window never ends the run by itself: only the quit request.
        app->setQuitOnLastWindowClosed(false);
        connect(app, &QApplication::focusChanged, this, &TApplication::ChangementDeFocus);
        app->installEventFilter(this);
    }
}

TApplication::~TApplication() {
    if (Application == this) Application = nullptr;
}

QString TApplication::TitreDuProgramme(const QString& cheminProgramme) {
    QString nom = QFileInfo(cheminProgramme).fileName();
    const qsizetype point = nom.indexOf(u'.');
    if (point >= 0) nom.truncate(point);
    if (nom.size() > 1) nom = nom.left(1) + nom.mid(1).toLower();
    return nom;
}

void TApplication::Enregistrer(TForm* form) {
    if (mainForm_ == nullptr) mainForm_ = form;
    Protege([form] { form->FormCreate(); });
}

void TApplication::DemanderQuitter() {
    QCoreApplication::postEvent(this, new QEvent(TypeDemandeQuitter()));
}

void TApplication::Terminate() {
    terminated_ = true;
    // Each loop ends once control is back in it: a handler running now (a
    // slow trace) finishes first.
    if (boucle_ != nullptr) boucle_->exit(0);
    for (TForm* dialogue : modales_)
        dialogue->SetModalResult(mrCancel);
}

bool TApplication::event(QEvent* e) {
    if (e->type() == TypeDemandeQuitter()) {
        Terminate();
        return true;
    }
    return QObject::event(e);
}

bool TApplication::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !objet->isWidgetType()) return false;
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
        QCoreApplication::sendEvent(objet, &sansMaj);
    }
    return true;
}

int TApplication::Run() {
    if (terminated_) return 0;
    if (mainForm_ != nullptr) mainForm_->show();
    QEventLoop boucle;
    boucle_ = &boucle;
    if (!terminated_) boucle.exec();
    boucle_ = nullptr;
    return 0;
}

QString TApplication::MessageAvecPoint(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
    return message;
}

void TApplication::SetSignaleur(TSignaleur signaleur) {
    signaleur_ = std::move(signaleur);
}

void TApplication::Protege(const std::function<void()>& gestionnaire) noexcept {
    QString texte;
    try {
        gestionnaire();
        return;
    } catch (const Exception& e) {
        texte = QString::fromStdString(e.Message());
    } catch (const std::bad_alloc&) {
        texte = QStringLiteral("Mémoire insuffisante");
    } catch (const std::exception& e) {
        texte = QString::fromUtf8(e.what());
    } catch (...) {
        texte = QStringLiteral("Erreur inconnue");
    }
    Signaler(MessageAvecPoint(texte));
}

void TApplication::Signaler(const QString& texte) noexcept {
    try {
        LibererSouris();
        if (signaleur_) {
            signaleur_(title_, texte);
            return;
        }
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            qWarning("%s: %s", qUtf8Printable(title_), qUtf8Printable(texte));
            return;
        }
        // Modal for the whole application: the program's windows take no input
        // until OK, then the one active before gets the focus back.
        QMessageBox boite(QMessageBox::Critical, title_, texte, QMessageBox::Ok,
                          ProprietaireDesDialogues());
        boite.setTextFormat(Qt::PlainText);
        boite.exec();
    } catch (...) {
        qWarning("%s: %s", qUtf8Printable(title_), qUtf8Printable(texte));
    }
}

TModalResult TApplication::ShowModal(TForm& dialogue) {
    if (dialogue.isVisible() || !dialogue.isEnabled() || dialogue.enRunModal_)
        throw EInvalidOperation("Impossible de rendre modale une fenêtre visible");

    LibererSouris();
    const QPointer<QWidget> fenetreAvant = QApplication::activeWindow();
    const QPointer<TForm> enregistrementAvant = active_;
    active_ = &dialogue;

    // The other windows take no input while the dialog runs.
    const Qt::WindowModality modaliteAvant = dialogue.windowModality();
    dialogue.setWindowModality(Qt::ApplicationModal);
    QEventLoop boucle;
    dialogue.enRunModal_ = true;
    dialogue.boucleModale_ = &boucle;
    modales_.push_back(&dialogue);

    // On Wayland only a dialog with a parent window is kept above it by the
    // compositor; elsewhere the dialog stays the application's own.
    if (QWidget* proprietaire = ProprietaireDesDialogues();
        proprietaire != nullptr && proprietaire != &dialogue) {
        dialogue.winId();
        if (QWindow* fenetre = dialogue.windowHandle())
            fenetre->setTransientParent(proprietaire->windowHandle());
    }
    dialogue.show(); // FormShow runs here
    Protege([&dialogue] { dialogue.FormActivate(); });
    dialogue.modalResult_ = mrNone;
    if (terminated_) {
        // A quit request already taken: the run ends after its first events.
        boucle.processEvents(QEventLoop::AllEvents);
    } else {
        boucle.exec();
    }
    if (terminated_) dialogue.modalResult_ = mrCancel;

    modales_.pop_back();
    dialogue.boucleModale_ = nullptr;
    dialogue.enRunModal_ = false;
    const bool dialogueActif = QApplication::activeWindow() == &dialogue;
    // The record comes back before the focus does, so the window below gets
    // no new activation.
    active_ = enregistrementAvant;
    dialogue.hide();
    dialogue.setWindowModality(modaliteAvant);
    if (dialogueActif && fenetreAvant != nullptr && fenetreAvant->isVisible())
        fenetreAvant->activateWindow();
    return dialogue.modalResult_;
}

QWidget* TApplication::ProprietaireDesDialogues() const {
    if (!SurWayland()) return nullptr;
    if (TForm* modale = FormeModale(); modale != nullptr && modale->isVisible()) return modale;
    if (mainForm_ != nullptr && mainForm_->isVisible()) return mainForm_;
    return nullptr;
}

TForm* TApplication::FenetreActive() const {
    return active_;
}

TForm* TApplication::FormeModale() const {
    return modales_.empty() ? nullptr : modales_.back();
}

void TApplication::ChangementDeFocus(QWidget* /*ancien*/, QWidget* nouveau) {
    if (nouveau == nullptr) return; // another application took the focus: the record stays
    auto* form = qobject_cast<TForm*>(nouveau->window());
    if (form == nullptr || form == active_)
        return; // a platform dialog, a message box, or the same window
    // A window below a modal run takes no input: a compositor may still hand
    // it the keyboard focus (Wayland), which changes nothing here.
    if (!modales_.empty() && form != modales_.back()) return;
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

void Protege(const std::function<void()>& gestionnaire) noexcept {
    if (Application != nullptr) {
        Application->Protege(gestionnaire);
        return;
    }
    try {
        gestionnaire();
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    } catch (...) {
        qWarning("exception");
    }
}
