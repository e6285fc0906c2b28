#pragma once
// The child side of the hostile-file benchmark (OuvrirHostileBench.cpp):
// started as `volutan2-bench --ouvrir-mesure <file>`, it opens the file once
// and writes its measures on one line of standard output, then ends.
#include <QString>

int MesurerOuverture(const QString& chemin);
