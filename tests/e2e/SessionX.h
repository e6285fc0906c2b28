#pragma once
// A private X display for the end-to-end tests: Xvfb on a display number it
// picks itself (free whatever other servers run), openbox as window manager,
// xdotool for real key and mouse events, and screenshots of the whole screen
// through this process's own connection to the display. One per test
// process; everything it starts dies with the process.
#include "support/ProgrammeEnfant.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QSize>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class TSessionX {
public:
    // The process's one session; Fermer() ends it before the program exits.
    static TSessionX& Session() {
        static TSessionX session;
        return session;
    }
    void Fermer() {
        application_.reset();
        Arreter(wm_);
        Arreter(xvfb_);
    }
    ~TSessionX() { Fermer(); }

    // Starts the display once per process, its screen `taille` pixels; empty
    // when it runs at that size, otherwise why it cannot.
    QString Demarrer(QSize taille = {1280, 1024}) {
        if (!erreur_.isEmpty()) return erreur_;
        if (!affichage_.isEmpty())
            return taille == taille_ ? QString()
                                     : QStringLiteral("the display runs at another size");
        taille_ = taille;
        erreur_ = Lancer();
        return erreur_;
    }
    QSize Taille() const { return taille_; }

    QString Affichage() const { return affichage_; }
    QString Dossier() const { return dossier_.path(); }

    // Environment for a program on this display.
    QProcessEnvironment Environnement() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), affichage_);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    // Runs xdotool with these arguments; its output, or a null string when
    // it failed.
    QString Xdotool(const QStringList& arguments, int delaiMs = 10000) const {
        QProcess p;
        p.setProcessEnvironment(Environnement());
        p.start(Chemin("xdotool"), arguments);
        if (!p.waitForFinished(delaiMs) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        const QString sortie = QString::fromLocal8Bit(p.readAllStandardOutput());
        return sortie.isNull() ? QStringLiteral("") : sortie;
    }
    // Key chords as xdotool names them ("alt+d", "Return", "shift+Tab"), one
    // after the other.
    void Touches(const QStringList& touches) const {
        Xdotool(
            QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} +
            touches);
    }
    void Touche(const QString& touche) const { Touches({touche}); }
    void Taper(const QString& texte) const {
        Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), texte});
    }
    void Clic(const QPoint& ecran) const {
        Xdotool({QStringLiteral("mousemove"), QString::number(ecran.x()),
                 QString::number(ecran.y()), QStringLiteral("click"), QStringLiteral("1")});
    }
    // Title of the window that has the keyboard focus; empty when none.
    QString FenetreActive() const {
        return Xdotool({QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")})
            .trimmed();
    }
    // Id of the visible window whose title matches `titre` (a regular
    // expression), 0 when none.
    unsigned long Fenetre(const QString& titre) const {
        const QStringList ids = Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), titre})
                                    .split(u'\n', Qt::SkipEmptyParts);
        return ids.isEmpty() ? 0 : ids.last().toULong();
    }

    // The whole screen, 0xFFRRGGBB.
    QImage Ecran() const {
        QScreen* ecran = QGuiApplication::primaryScreen();
        if (ecran == nullptr) return {};
        return ecran->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Waits (handling this process's events) until `condition` holds; false
    // after `delaiMs`.
    template <class Condition> static bool Attendre(Condition condition, int delaiMs) {
        return enfant::Attendre(condition, delaiMs, 40, true);
    }

    static QString Chemin(const char* outil) {
        return QStandardPaths::findExecutable(QString::fromLatin1(outil));
    }

private:
    QString Lancer() {
        for (const char* outil : {"Xvfb", "openbox", "xdotool"})
            if (Chemin(outil).isEmpty()) return QStringLiteral("%1 is not installed").arg(outil);
        if (!dossier_.isValid()) return QStringLiteral("no temporary folder");

        // -displayfd 1: Xvfb takes the first free display and writes its
        // number on its standard output once it accepts clients.
        LierALaVie(xvfb_);
        xvfb_.start(Chemin("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"),
                     QStringLiteral("%1x%2x24").arg(taille_.width()).arg(taille_.height()),
                     QStringLiteral("-dpi"), QStringLiteral("96"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp")});
        QByteArray numero;
        const bool pret = Attendre(
            [&] {
                xvfb_.waitForReadyRead(50);
                numero += xvfb_.readAllStandardOutput();
                return numero.contains('\n') || xvfb_.state() == QProcess::NotRunning;
            },
            20000);
        if (!pret || !numero.contains('\n'))
            return QStringLiteral("Xvfb could not start: ") +
                   QString::fromLocal8Bit(xvfb_.readAllStandardError()).trimmed();
        affichage_ = QStringLiteral(":") + QString::fromLatin1(numero.trimmed());

        // The window manager, with its files in a folder of its own.
        QProcessEnvironment env = Environnement();
        env.insert(QStringLiteral("HOME"), dossier_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dossier_.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), dossier_.filePath(QStringLiteral("cache")));
        wm_.setProcessEnvironment(env);
        LierALaVie(wm_);
        wm_.start(Chemin("openbox"), {QStringLiteral("--sm-disable")});
        // Ready once it announces its desktops on the root window.
        if (!Attendre([&] { return !Xdotool({QStringLiteral("get_num_desktops")}, 2000).isNull(); },
                      20000))
            return QStringLiteral("openbox did not start: ") +
                   QString::fromLocal8Bit(wm_.readAllStandardError()).trimmed();

        // This process joins the display, for screenshots.
        qputenv("DISPLAY", affichage_.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char nom[] = "test_e2e";
        static char* argv[] = {nom, nullptr};
        application_ = std::make_unique<QGuiApplication>(argc, argv);
        if (QGuiApplication::primaryScreen() == nullptr)
            return QStringLiteral("no screen on ") + affichage_;
        return {};
    }

    static void LierALaVie(QProcess& p) { enfant::LierALaVie(p); }
    static void Arreter(QProcess& p) {
        if (p.state() == QProcess::NotRunning) return;
        p.terminate();
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(5000);
        }
    }

    QTemporaryDir dossier_;
    QProcess xvfb_;
    QProcess wm_;
    QSize taille_;
    QString affichage_;
    QString erreur_;
    std::unique_ptr<QGuiApplication> application_;
};
