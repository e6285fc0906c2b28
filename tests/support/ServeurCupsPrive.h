#pragma once
// A private CUPS server for one test: its own configuration, spool, logs and
// socket in a temporary folder, and a PDF printer (the Generic PDF driver of
// cups-filters) that writes each job into a file, made the server's default.
// The machine's own CUPS is never touched: this process reaches the server
// through CUPS_SERVER (ExporterPourCeProcessus), which must happen before
// Qt's print support first talks to CUPS. The server is stopped when the
// object goes, and dies with the test process if that dies first.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <QRect>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <sys/prctl.h>
#include <unistd.h>

class TServeurCupsPrive {
public:
    static constexpr const char* NomImprimante = "Volutan-PDF";
    static QString PpdGeneriquePdf() {
        return QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");
    }

    // What this machine lacks for the real print path; empty when nothing.
    static QString Manque() {
        for (const char* outil : {"cupsd", "lpadmin", "lpstat", "pdftoppm"})
            if (Chemin(outil).isEmpty()) return QStringLiteral("%1 is not installed").arg(outil);
        if (!QFileInfo::exists(PpdGeneriquePdf()))
            return PpdGeneriquePdf() + QStringLiteral(" (cups-filters) is missing");
        return {};
    }

    TServeurCupsPrive() : dossier_(QDir::tempPath() + QStringLiteral("/volutan-cups-XXXXXX")) {}
    ~TServeurCupsPrive() { Arreter(); }
    TServeurCupsPrive(const TServeurCupsPrive&) = delete;
    TServeurCupsPrive& operator=(const TServeurCupsPrive&) = delete;

    QString Socket() const { return dossier_.filePath(QStringLiteral("cups.sock")); }
    QString Sortie() const { return dossier_.filePath(QStringLiteral("sortie/page.pdf")); }
    // The printer's PPD as the server keeps it (its default page size may
    // differ from the driver's file).
    QString PpdServeur() const {
        return dossier_.filePath(QStringLiteral("ppd/%1.ppd").arg(NomImprimante));
    }

    // Starts the server; with `avecImprimante`, adds the PDF printer and makes
    // it the default. Returns an empty text, or what went wrong with the log.
    QString Demarrer(bool avecImprimante = true) {
        if (!dossier_.isValid()) return QStringLiteral("no temporary folder");
        // The filters run as another user when the server runs as root.
        QFile::setPermissions(dossier_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                   QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther);
        const QDir dossier(dossier_.path());
        for (const char* sous : {"spool", "tmp", "cache", "state", "log", "ppd", "sortie"})
            dossier.mkpath(QString::fromLatin1(sous));
        QFile::setPermissions(dossier_.filePath(QStringLiteral("tmp")),
                              QFileDevice::Permissions(0x7777));
        QFile::setPermissions(dossier_.filePath(QStringLiteral("sortie")),
                              QFileDevice::Permissions(0x7777));
        const QString racine = dossier_.path();
        Ecrire(QStringLiteral("cupsd.conf"),
               QStringLiteral("Listen %1\n"
                              "Browsing No\n"
                              "WebInterface No\n"
                              "LogLevel info\n"
                              "DefaultAuthType None\n"
                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Policy default>\n  <Limit All>\n    Order allow,deny\n"
                              "    Allow all\n  </Limit>\n</Policy>\n")
                   .arg(Socket()));
        Ecrire(QStringLiteral("cups-files.conf"), QStringLiteral("FileDevice Yes\n"
                                                                 "ServerRoot %1\n"
                                                                 "RequestRoot %1/spool\n"
                                                                 "TempDir %1/tmp\n"
                                                                 "CacheDir %1/cache\n"
                                                                 "StateDir %1/state\n"
                                                                 "ErrorLog %1/log/error_log\n"
                                                                 "AccessLog %1/log/access_log\n"
                                                                 "PageLog %1/log/page_log\n")
                                                      .arg(racine));

        cupsd_.setProcessChannelMode(QProcess::MergedChannels);
        cupsd_.setProcessEnvironment(Environnement());
        // If the test process dies, the server goes with it.
        cupsd_.setChildProcessModifier([] {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() == 1) _exit(1); // the test is already gone
        });
        cupsd_.start(Chemin("cupsd"),
                     {QStringLiteral("-f"), QStringLiteral("-c"), dossier_.filePath("cupsd.conf"),
                      QStringLiteral("-s"), dossier_.filePath("cups-files.conf")});
        if (!cupsd_.waitForStarted(10000))
            return QStringLiteral("cupsd did not start: ") + cupsd_.errorString();

        QElapsedTimer chrono;
        chrono.start();
        QString etat;
        while (!Commande("lpstat", {QStringLiteral("-r")}, &etat) ||
               !etat.contains(QStringLiteral("scheduler is running"))) {
            if (cupsd_.state() == QProcess::NotRunning || chrono.elapsed() > 20000)
                return QStringLiteral("the private CUPS server did not answer\n") + Journal();
            QThread::msleep(100);
        }
        return avecImprimante ? AjouterImprimante() : QString();
    }

    // Adds the PDF printer (again: replaces it) and makes it the server's
    // default; with `papier` ("Letter", "A4"), that is its default paper.
    QString AjouterImprimante(const QString& papier = {}) {
        QStringList arguments = {
            QStringLiteral("-p"), QString::fromLatin1(NomImprimante),   QStringLiteral("-E"),
            QStringLiteral("-v"), QStringLiteral("file://") + Sortie(), QStringLiteral("-P"),
            PpdGeneriquePdf()};
        if (!papier.isEmpty()) arguments << QStringLiteral("-o") << "PageSize=" + papier;
        if (!Commande("lpadmin", arguments))
            return QStringLiteral("lpadmin could not add the printer\n") + Journal();
        if (!Commande("lpadmin", {QStringLiteral("-d"), QString::fromLatin1(NomImprimante)}))
            return QStringLiteral("lpadmin could not make the printer the default\n") + Journal();
        return {};
    }

    // This process's CUPS clients (Qt's print support) reach the private
    // server only, and no user's or machine's choice (LPDEST, PRINTER,
    // lpoptions, client.conf) overrides its default destination.
    void ExporterPourCeProcessus() const {
        qputenv("CUPS_SERVER", Socket().toLocal8Bit());
        qputenv("CUPS_SERVERROOT", dossier_.path().toLocal8Bit());
        qputenv("HOME", dossier_.path().toLocal8Bit());
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
    }

    // Waits until the server holds no pending job and the printer's file is
    // written. Returns an empty text, or what went wrong with the log.
    QString AttendreTravaux(int delaiMs = 60000) {
        QElapsedTimer chrono;
        chrono.start();
        for (;;) {
            QString enAttente;
            const bool repondu = Commande("lpstat", {QStringLiteral("-o")}, &enAttente);
            if (repondu && enAttente.trimmed().isEmpty() && QFileInfo(Sortie()).size() > 0)
                return {};
            if (chrono.elapsed() > delaiMs)
                return QStringLiteral("the print job did not finish\n") + Journal();
            QThread::msleep(200);
        }
    }

    // The printed PDF in grey at `ppp` pixels per inch, thin lines drawn solid
    // (no anti-aliasing); a null image when it cannot be rendered.
    QImage Rendu(int ppp) const {
        // The printer wraps its PDF in printer-language commands: keep the PDF.
        QFile sortie(Sortie());
        if (!sortie.open(QIODevice::ReadOnly)) return {};
        QByteArray octets = sortie.readAll();
        const qsizetype debut = octets.indexOf("%PDF");
        const qsizetype fin = octets.lastIndexOf("%%EOF");
        if (debut < 0 || fin < debut) return {};
        octets = octets.mid(debut, fin + 5 - debut);
        const QString pdf = dossier_.filePath(QStringLiteral("page-seule.pdf"));
        QFile f(pdf);
        if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size()) return {};
        f.close();
        const QString prefixe = dossier_.filePath(QStringLiteral("rendu"));
        QProcess pdftoppm;
        pdftoppm.start(Chemin("pdftoppm"),
                       {QStringLiteral("-r"), QString::number(ppp), QStringLiteral("-gray"),
                        QStringLiteral("-aaVector"), QStringLiteral("no"),
                        QStringLiteral("-singlefile"), pdf, prefixe});
        if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
        return QImage(prefixe + QStringLiteral(".pgm"));
    }

    // A named entry of the server's PPD for the page size whose dimensions
    // are `largeurPt` x `hauteurPt` points: "llx lly urx ury" of its
    // imageable area, as four numbers; empty when not found.
    QList<double> ZoneImprimable(double largeurPt, double hauteurPt) const {
        QFile ppd(PpdServeur());
        if (!ppd.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
        const QString texte = QString::fromLatin1(ppd.readAll());
        const QRegularExpression dimension(
            QStringLiteral("^\\*PaperDimension ([^/:]+)[^:]*: \"([\\d.]+) ([\\d.]+)\""),
            QRegularExpression::MultilineOption);
        for (auto it = dimension.globalMatch(texte); it.hasNext();) {
            const auto m = it.next();
            if (std::abs(m.captured(2).toDouble() - largeurPt) > 1.5 ||
                std::abs(m.captured(3).toDouble() - hauteurPt) > 1.5)
                continue;
            const QRegularExpression zone(
                QStringLiteral("^\\*ImageableArea %1/[^:]*: \"([\\d.]+) ([\\d.]+) ([\\d.]+) "
                               "([\\d.]+)\"")
                    .arg(QRegularExpression::escape(m.captured(1))),
                QRegularExpression::MultilineOption);
            const auto z = zone.match(texte);
            if (z.hasMatch())
                return {z.captured(1).toDouble(), z.captured(2).toDouble(),
                        z.captured(3).toDouble(), z.captured(4).toDouble()};
        }
        return {};
    }

    // Bounding box of the inked pixels (grey below 128) of a rendered page.
    static QRect Encre(const QImage& page) {
        const QImage gris = page.convertToFormat(QImage::Format_Grayscale8);
        int gauche = gris.width(), haut = gris.height(), droite = -1, bas = -1;
        for (int y = 0; y < gris.height(); ++y) {
            const uchar* ligne = gris.constScanLine(y);
            for (int x = 0; x < gris.width(); ++x) {
                if (ligne[x] >= 128) continue;
                gauche = std::min(gauche, x);
                droite = std::max(droite, x);
                haut = std::min(haut, y);
                bas = std::max(bas, y);
            }
        }
        return droite < 0 ? QRect() : QRect(QPoint(gauche, haut), QPoint(droite, bas));
    }

    // The server's error log, for failure messages.
    QString Journal() {
        QFile journal(dossier_.filePath(QStringLiteral("log/error_log")));
        QString texte = QStringLiteral("cupsd output: ") + QString::fromLocal8Bit(cupsd_.readAll());
        if (journal.open(QIODevice::ReadOnly))
            texte += QStringLiteral("\nerror_log:\n") +
                     QString::fromLocal8Bit(journal.readAll().right(4000));
        return texte;
    }

    // The server stopped and continued (SIGSTOP, SIGCONT): stopped, it still
    // takes connections and never answers, as a server stuck on a dead
    // network printer looks to its clients. Tuer kills it outright.
    void Suspendre() { ::kill(static_cast<pid_t>(cupsd_.processId()), SIGSTOP); }
    void Reprendre() { ::kill(static_cast<pid_t>(cupsd_.processId()), SIGCONT); }
    void Tuer() {
        cupsd_.kill();
        cupsd_.waitForFinished(5000);
    }

    void Arreter() {
        if (cupsd_.state() == QProcess::NotRunning) return;
        Reprendre(); // a stopped server would not see the request to end
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(5000);
        }
    }

    // Runs a CUPS client tool against this server only; true when it exits 0.
    bool Commande(const char* outil, const QStringList& arguments,
                  QString* sortie = nullptr) const {
        QProcess processus;
        processus.setProcessChannelMode(QProcess::MergedChannels);
        processus.setProcessEnvironment(Environnement());
        processus.start(Chemin(outil), arguments);
        if (!processus.waitForFinished(30000)) {
            processus.kill();
            processus.waitForFinished();
            return false;
        }
        if (sortie != nullptr) *sortie = QString::fromLocal8Bit(processus.readAll());
        return processus.exitStatus() == QProcess::NormalExit && processus.exitCode() == 0;
    }

private:
    static QString Chemin(const char* outil) {
        const QString nom = QString::fromLatin1(outil);
        QString chemin = QStandardPaths::findExecutable(nom);
        if (chemin.isEmpty())
            chemin = QStandardPaths::findExecutable(
                nom, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
        return chemin;
    }

    QProcessEnvironment Environnement() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), Socket());
        env.insert(QStringLiteral("CUPS_SERVERROOT"), dossier_.path());
        env.insert(QStringLiteral("HOME"), dossier_.path());
        env.remove(QStringLiteral("LPDEST"));
        env.remove(QStringLiteral("PRINTER"));
        return env;
    }

    void Ecrire(const QString& nom, const QString& texte) const {
        QFile f(dossier_.filePath(nom));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(texte.toUtf8());
    }

    QTemporaryDir dossier_;
    QProcess cupsd_;
};
