#pragma once
// What the two end-to-end layers (X server and Wayland compositor) share
// about the processes they run: a child bound to the test's life, the real
// program started in its French locale, a poll that gives up after a
// time-out, and the screenshot kept when a test fails.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <sys/prctl.h>
#include <unistd.h>

namespace enfant {

// The child dies with the test (SIGTERM), and does not start when the test
// is already gone.
inline void LierALaVie(QProcess& p) {
    p.setChildProcessModifier([] {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() == 1) _exit(1);
    });
}

// Polls `condition` every `pasMs` until it holds; false after `delaiMs`.
// With `evenements`, this process's events are handled between polls (the
// clipboard and the screen of the test's own application need them).
template <class Condition>
bool Attendre(Condition condition, int delaiMs, int pasMs, bool evenements) {
    QElapsedTimer chrono;
    chrono.start();
    for (;;) {
        if (condition()) return true;
        if (chrono.elapsed() > delaiMs) return false;
        if (evenements && QCoreApplication::instance() != nullptr)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(static_cast<unsigned long>(pasMs));
    }
}

// Waits until `capture()` (a screenshot, or part of one) has not changed for
// `calmeMs`, polling with `Session::Attendre`; false after `delaiMs`.
template <class Session, class Capture>
bool AttendreStable(Capture capture, int calmeMs, int delaiMs) {
    QImage avant = capture();
    QElapsedTimer calme;
    calme.start();
    return Session::Attendre(
        [&] {
            const QImage maintenant = capture();
            if (maintenant != avant) {
                avant = maintenant;
                calme.restart();
            }
            return calme.elapsed() >= calmeMs;
        },
        delaiMs);
}

// Starts `executable` with `arguments` in `dossier`, with the session's
// environment `env` in French (LANG fr_FR.UTF-8, no LC_ALL), its error
// output forwarded to the test's and its life bound to the test's. Empty
// when it started within 10 s, else why not.
inline QString Lancer(QProcess& programme, QProcessEnvironment env, const QString& dossier,
                      const QString& executable, const QStringList& arguments) {
    env.insert(QStringLiteral("LANG"), QStringLiteral("fr_FR.UTF-8"));
    env.remove(QStringLiteral("LC_ALL"));
    programme.setProcessEnvironment(env);
    programme.setWorkingDirectory(dossier);
    programme.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    LierALaVie(programme);
    programme.start(executable, arguments);
    if (!programme.waitForStarted(10000)) return programme.errorString();
    return {};
}

// Kills the program if it still runs (the test has seen what it needed).
inline void Tuer(QProcess& programme) {
    if (programme.state() == QProcess::NotRunning) return;
    programme.kill();
    programme.waitForFinished(5000);
}

// Keeps a failed test's screenshot: saves `ecran` as `nom` in the current
// folder and says where.
inline void GarderCapture(const QImage& ecran, const QString& nom) {
    ecran.save(nom);
    std::cerr << "Screenshot at the failure: " << QDir::current().filePath(nom).toStdString()
              << "\n";
}

// The running test's name, after its suite's and a '.' with `avecSuite`.
inline QString NomDuTest(bool avecSuite) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString nom = QString::fromLatin1(info->name());
    if (!avecSuite) return nom;
    return QString::fromLatin1(info->test_suite_name()) + u'.' + nom;
}

} // namespace enfant
