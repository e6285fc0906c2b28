#pragma once
// The fixture of a test on the real printing system: a private CUPS server
// without printers, started and made this process's server before the test
// body runs (before anything in the process talks to CUPS). Skipped when CUPS
// is not installed.
#include "support/ServeurCupsPrive.h"

#include <gtest/gtest.h>

class CupsPriveTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString manque = TServeurCupsPrive::Manque();
        if (!manque.isEmpty())
            GTEST_SKIP() << "Real print path not tested: " << manque.toStdString();
        const QString erreur = serveur.Demarrer(false);
        ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
        serveur.ExporterPourCeProcessus();
    }

    TServeurCupsPrive serveur;
};
