// Open of hostile 200 MB files, each shape generated in a temporary folder
// (deleted afterwards). Every measure runs in a fresh process (this program
// started again with --ouvrir-mesure): the program's objects are created, the
// idle memory noted, then Open is clicked with the file chosen through the
// dialog seam and the program in fast mode, and the error box (if any) is laid
// out as the error trap would show it. Reported: the time from the click to
// its end, the peak memory growth over the idle program (VmHWM after, VmRSS
// before, the peak reset through /proc/self/clear_refs), the box's size beside
// that of the box for "12a". Goal: 2 s and 64 MB at most for each shape.
#include "OuvrirHostile.h"

#include "engine/TDessin.h"
#include "platform/TFileDialogs.h"
#include "platform/TPrinter.h"
#include "shell/TApplication.h"
#include "support/TVirtualPrinterBackEnd.h"
#include "windows/uModifier.h"
#include "windows/uVolutan2.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr qint64 Taille = qint64{200} << 20;

// One figure of /proc/self/status, in kB (-1 when absent).
long StatutKo(const std::string& nom) {
    std::ifstream statut("/proc/self/status");
    std::string ligne;
    while (std::getline(statut, ligne))
        if (ligne.starts_with(nom + ":")) return std::stol(ligne.substr(nom.size() + 1));
    return -1;
}

// The box the error trap would show for `texte`, laid out.
QSize Boite(const QString& texte) {
    QMessageBox boite(QMessageBox::Critical, QStringLiteral("Volutan2"), texte, QMessageBox::Ok);
    boite.setTextFormat(Qt::PlainText);
    boite.adjustSize();
    return boite.size();
}

// Writes `debut`, then bytes from `motif` repeated up to Taille bytes in all
// (less `fin`), then `fin`: 1 MiB at a time, so the benchmark holds little.
bool Ecrire(const QString& chemin, const QByteArray& debut, const QByteArray& motif,
            const QByteArray& fin) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray bloc;
    while (bloc.size() < (1 << 20))
        bloc += motif;
    bloc.truncate(1 << 20);
    qint64 reste = Taille - debut.size() - fin.size();
    bool bon = f.write(debut) == debut.size();
    while (bon && reste > 0) {
        const qint64 n = std::min<qint64>(reste, bloc.size());
        bon = f.write(bloc.constData(), n) == n;
        reste -= n;
    }
    return bon && f.write(fin) == fin.size();
}

// Twenty lines of 10 MB, each of four fields led by spaces and separated by
// tabs: every byte must be read, and every line is a curve.
bool EcrireLignesDe10Mo(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray espaces((qint64{10} << 20) / 4 - 8, ' ');
    const QByteArray champs[] = {"133\t", "58\t", "25\t", "255\r\n"};
    for (int ligne = 0; ligne < 20; ++ligne)
        for (const QByteArray& champ : champs)
            if (f.write(espaces) != espaces.size() || f.write(champ) != champ.size()) return false;
    return true;
}

struct Forme {
    const char* nom;
    std::function<bool(const QString&)> ecrire;
};

const Forme Formes[] = {
    {"couleur de lettres",
     [](const QString& c) {
         return Ecrire(c, "133\t58\t25\t", "abcdefghijklmnopqrstuvwxyz", "\r\n");
     }},
    {"espaces puis un chiffre",
     [](const QString& c) { return Ecrire(c, "133\t58\t25\t", " ", "7\r\n"); }},
    {"lignes de 10 Mo avec tabulations", EcrireLignesDe10Mo},
    {"sans saut de ligne", [](const QString& c) { return Ecrire(c, "", "1234567890\t", ""); }},
    {"octets nuls", [](const QString& c) { return Ecrire(c, "", QByteArray(1, '\0'), ""); }},
};

void BM_OuvrirFichierHostile(benchmark::State& state) {
    const Forme& forme = Formes[state.range(0)];
    state.SetLabel(forme.nom);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("hostile.txt");
    if (!forme.ecrire(chemin)) {
        state.SkipWithError("fichier d'essai impossible à écrire");
        return;
    }
    double croissanceMo = 0;
    QString mesure;
    for (auto _ : state) {
        QProcess enfant;
        enfant.start(QCoreApplication::applicationFilePath(), {"--ouvrir-mesure", chemin});
        if (!enfant.waitForFinished(120000) || enfant.exitCode() != 0) {
            state.SkipWithError("la mesure n'a pas abouti");
            return;
        }
        mesure = QString::fromUtf8(enfant.readAllStandardOutput()).trimmed();
        const QStringList champs = mesure.split(' ');
        state.SetIterationTime(champs.value(0).toDouble() / 1000.0);
        croissanceMo = std::max(croissanceMo, champs.value(1).toDouble() / 1024.0);
    }
    // "ms kB WxH usualWxH curves message"
    const QStringList champs = mesure.split(' ');
    state.counters["croissance_Mo"] = croissanceMo;
    state.counters["courbes"] = champs.value(4).toDouble();
    state.SetLabel(QStringLiteral("%1; boîte %2 (usuelle %3); %4")
                       .arg(forme.nom, champs.value(2), champs.value(3),
                            QStringList(champs.mid(5)).join(' ').left(90))
                       .toStdString());
}

} // namespace

int MesurerOuverture(const QString& chemin) {
    TPrinter::SetBackEnd(std::make_shared<TVirtualPrinterBackEnd>());
    TApplication application;
    QString message;
    QSize boite;
    application.SetReporter([&](const QString&, const QString& texte) {
        message = texte;
        boite = Boite(texte);
    });
    TFileDialogs::SetChoice([&](TFileDialogs::Kind, const QString&) { return chemin; });
    application.CreateForm(fmVolutan2);
    application.CreateForm(fmModifier);
    fmVolutan2->fbRapide->setChecked(true);
    QCoreApplication::processEvents();

    const long repos = StatutKo("VmRSS");
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    QElapsedTimer chrono;
    chrono.start();
    fmVolutan2->btOuvrir->click();
    const double ms = static_cast<double>(chrono.nsecsElapsed()) / 1e6;
    const long pic = StatutKo("VmHWM");

    const QSize usuelle = Boite(QStringLiteral("'12a' n'est pas une valeur entière correcte."));
    std::printf("%.1f %ld %dx%d %dx%d %d %s\n", ms, pic - repos, boite.width(), boite.height(),
                usuelle.width(), usuelle.height(), fmVolutan2->Dessin.NbSpires,
                qUtf8Printable(message));
    std::fflush(stdout);
    std::_Exit(0); // the measure is taken; no clean-up needed
}

BENCHMARK(BM_OuvrirFichierHostile)
    ->DenseRange(0, 4)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
