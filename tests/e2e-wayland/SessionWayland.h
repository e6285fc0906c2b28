#pragma once
// A private Wayland compositor for the end-to-end tests: sway on its headless
// back end with the pixman renderer, no input device and no X server, as an
// unprivileged user (nobody when the tests run as root) in a runtime folder
// of its own. The clients (the program, wtype, grim, wl-paste, swaymsg) run as
// this process's user with the compositor's socket named by its full path.
// Keys come from wtype (a virtual keyboard), screenshots from grim, the
// window tree from swaymsg, the clipboard from wl-paste. One per test
// process; the compositor dies with it.
#include "support/ProgrammeEnfant.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

class TSessionWayland {
public:
    static TSessionWayland& Session() {
        static TSessionWayland session;
        return session;
    }
    ~TSessionWayland() { Fermer(); }
    void Fermer() {
        if (sway_.state() == QProcess::NotRunning) return;
        sway_.terminate();
        if (!sway_.waitForFinished(5000)) {
            sway_.kill();
            sway_.waitForFinished(5000);
        }
    }

    // Starts the compositor once per process, its one output at `echelle`
    // device pixels per logical pixel and 1280 x 1024 logical pixels; empty
    // when it runs, otherwise why it cannot.
    QString Demarrer(int echelle = 1) {
        if (erreur_.isEmpty() && sway_.state() == QProcess::NotRunning) erreur_ = Lancer();
        if (!erreur_.isEmpty()) return erreur_;
        if (echelle != echelle_) {
            if (Swaymsg({QStringLiteral("output"), QStringLiteral("HEADLESS-1"),
                         QStringLiteral("mode"),
                         QStringLiteral("%1x%2").arg(1280 * echelle).arg(1024 * echelle),
                         QStringLiteral("scale"), QString::number(echelle)})
                    .isNull())
                return QStringLiteral("swaymsg could not set the scale");
            echelle_ = echelle;
        }
        return {};
    }
    int Echelle() const { return echelle_; }

    // Environment of a client of the compositor.
    QProcessEnvironment Environnement() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket_);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), clients_.path());
        env.insert(QStringLiteral("SWAYSOCK"), ipc_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        return env;
    }

    // Runs a tool with `arguments` (and `entree` on its standard input); its
    // standard output, or a null array when it failed.
    QByteArray Outil(const char* outil, const QStringList& arguments, int delaiMs = 10000) const {
        QProcess p;
        p.setProcessEnvironment(Environnement());
        p.start(Chemin(outil), arguments);
        if (!p.waitForFinished(delaiMs) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        const QByteArray sortie = p.readAllStandardOutput();
        return sortie.isNull() ? QByteArray("") : sortie;
    }
    QByteArray Swaymsg(const QStringList& arguments) const { return Outil("swaymsg", arguments); }

    // Keys through a virtual keyboard: wtype's own arguments ("-k Tab",
    // "-k Return", a text), 60 ms between them. Each run makes a new keyboard,
    // whose keymap the program takes before the first key: 300 ms first.
    void Touches(const QStringList& arguments) const {
        Outil("wtype", QStringList{QStringLiteral("-d"), QStringLiteral("60"), QStringLiteral("-s"),
                                   QStringLiteral("300")} +
                           arguments);
        QThread::msleep(150);
    }
    // The key `touche` with the modifier `modificateur` ("alt", "ctrl", "shift") held.
    void Accord(const QString& modificateur, const QString& touche) const {
        Touches({QStringLiteral("-M"), modificateur, QStringLiteral("-s"), QStringLiteral("60"),
                 QStringLiteral("-k"), touche, QStringLiteral("-s"), QStringLiteral("60"),
                 QStringLiteral("-m"), modificateur});
    }
    void Alt(const QString& lettre) const { Accord(QStringLiteral("alt"), lettre); }
    void Touche(const QString& nom) const { Touches({QStringLiteral("-k"), nom}); }
    void Taper(const QString& texte) const { Touches({texte}); }

    // The whole output in device pixels, 0xFFRRGGBB.
    QImage Ecran() const {
        QImage image;
        image.loadFromData(
            Outil("grim", {QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("-")}),
            "PNG");
        return image.convertToFormat(QImage::Format_RGB32);
    }

    // The window tree; the windows (views) whose name matches `titre` (a
    // regular expression), in tree order, tiled and floating.
    QJsonObject Arbre() const {
        return QJsonDocument::fromJson(Swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")}))
            .object();
    }
    static void Parcourir(const QJsonObject& noeud,
                          const std::function<void(const QJsonObject&)>& action) {
        action(noeud);
        for (const char* enfants : {"nodes", "floating_nodes"})
            for (const QJsonValue& enfant : noeud.value(QLatin1String(enfants)).toArray())
                Parcourir(enfant.toObject(), action);
    }
    std::vector<QJsonObject> Fenetres(const QString& titre) const {
        std::vector<QJsonObject> fenetres;
        const QRegularExpression motif(titre);
        Parcourir(Arbre(), [&](const QJsonObject& n) {
            if (n.contains(QStringLiteral("pid")) &&
                motif.match(n.value(QStringLiteral("name")).toString()).hasMatch())
                fenetres.push_back(n);
        });
        return fenetres;
    }
    // The name of the window that has the keyboard focus; empty when none.
    QString FenetreActive() const {
        QString nom;
        Parcourir(Arbre(), [&](const QJsonObject& n) {
            if (n.value(QStringLiteral("focused")).toBool() && n.contains(QStringLiteral("pid")))
                nom = n.value(QStringLiteral("name")).toString();
        });
        return nom;
    }
    // A rectangle of the tree in logical pixels, as device pixels of the
    // output.
    QRect Pixels(const QJsonObject& noeud) const {
        const QJsonObject r = noeud.value(QStringLiteral("rect")).toObject();
        return {r.value(QStringLiteral("x")).toInt() * echelle_,
                r.value(QStringLiteral("y")).toInt() * echelle_,
                r.value(QStringLiteral("width")).toInt() * echelle_,
                r.value(QStringLiteral("height")).toInt() * echelle_};
    }

    // The clipboard: its types (wl-paste -l) and the bytes of one.
    QStringList Types() const {
        return QString::fromUtf8(Outil("wl-paste", {QStringLiteral("-l")}))
            .split(u'\n', Qt::SkipEmptyParts);
    }
    QByteArray Presse(const QString& type) const {
        return Outil("wl-paste", {QStringLiteral("-n"), QStringLiteral("-t"), type});
    }

    template <class Condition> static bool Attendre(Condition condition, int delaiMs) {
        return enfant::Attendre(condition, delaiMs, 50, false);
    }
    static QString Chemin(const char* outil) {
        return QStandardPaths::findExecutable(QString::fromLatin1(outil));
    }

private:
    QString Lancer() {
        for (const char* outil : {"sway", "swaymsg", "wtype", "grim", "wl-paste", "wl-copy"})
            if (Chemin(outil).isEmpty()) return QStringLiteral("%1 is not installed").arg(outil);
        if (!compositeur_.isValid() || !clients_.isValid())
            return QStringLiteral("no temporary folder");
        const bool root = geteuid() == 0;
        // nobody: it exists on every Debian system, and owns nothing.
        constexpr uid_t Personne = 65534;
        const QString dossier = compositeur_.path();
        const QString config = dossier + QStringLiteral("/config");
        {
            QFile f(config);
            if (!f.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write sway's config");
            f.write("output HEADLESS-1 resolution 1280x1024 scale 1 bg #404040 solid_color\n"
                    "default_border none\n"
                    "default_floating_border none\n"
                    "focus_follows_mouse no\n"
                    "xwayland disable\n");
        }
        if (root && (::chown(dossier.toLocal8Bit().constData(), Personne, Personne) != 0 ||
                     ::chown(config.toLocal8Bit().constData(), Personne, Personne) != 0))
            return QStringLiteral("cannot give the runtime folder to nobody");
        ::chmod(dossier.toLocal8Bit().constData(), 0700);

        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
        env.insert(QStringLiteral("HOME"), dossier);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dossier);
        env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
        env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
        env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
        sway_.setProcessEnvironment(env);
        sway_.setProcessChannelMode(QProcess::MergedChannels);
        sway_.setStandardOutputFile(dossier + QStringLiteral("/sway.log"));
        QStringList arguments{Chemin("sway"), QStringLiteral("-c"), config};
        if (root) {
            // A change of user clears the parent-death signal: a time limit
            // ends the compositor should this process die without Fermer().
            arguments = QStringList{QStringLiteral("--reuid=65534"),
                                    QStringLiteral("--regid=65534"),
                                    QStringLiteral("--clear-groups"),
                                    QStringLiteral("--"),
                                    Chemin("timeout"),
                                    QStringLiteral("900")} +
                        arguments;
            if (Chemin("setpriv").isEmpty()) return QStringLiteral("setpriv is not installed");
            sway_.setProgram(Chemin("setpriv"));
        } else {
            sway_.setProgram(arguments.takeFirst());
        }
        sway_.setArguments(arguments);
        enfant::LierALaVie(sway_);
        sway_.start();
        if (!sway_.waitForStarted(10000)) return QStringLiteral("sway could not start");
        const QDir d(dossier);
        const bool pret = Attendre(
            [&] {
                const QStringList sockets =
                    d.entryList({QStringLiteral("wayland-*")}, QDir::System);
                const QStringList ipc = d.entryList({QStringLiteral("sway-ipc.*")}, QDir::System);
                for (const QString& s : sockets)
                    if (!s.endsWith(QStringLiteral(".lock"))) socket_ = d.filePath(s);
                if (!ipc.isEmpty()) ipc_ = d.filePath(ipc.front());
                return (!socket_.isEmpty() && !ipc_.isEmpty() &&
                        !Swaymsg({QStringLiteral("-t"), QStringLiteral("get_outputs")}).isNull()) ||
                       sway_.state() == QProcess::NotRunning;
            },
            20000);
        if (!pret || sway_.state() == QProcess::NotRunning) {
            QFile journal(dossier + QStringLiteral("/sway.log"));
            journal.open(QIODevice::ReadOnly);
            return QStringLiteral("sway did not start: ") +
                   QString::fromLocal8Bit(journal.readAll().right(400)).trimmed();
        }
        return {};
    }

    QTemporaryDir compositeur_{QStringLiteral("/tmp/volutan2-sway-XXXXXX")};
    QTemporaryDir clients_{QStringLiteral("/tmp/volutan2-clients-XXXXXX")};
    QProcess sway_;
    QString socket_;
    QString ipc_;
    int echelle_ = 1;
    QString erreur_;
};
