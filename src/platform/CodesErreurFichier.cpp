#include "platform/CodesErreurFichier.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

int CodeErreurFichier(int errnum, const QString& chemin) {
    switch (errnum) {
    case ENOENT: {
        // The file is missing, or already the folder it should be in.
        const QFileInfo dossier(QFileInfo(chemin).absolutePath());
        return dossier.isDir() ? 2 : 3;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
        return CodeAccesRefuse;
    default:
        return 1000 + errnum;
    }
}
