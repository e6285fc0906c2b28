#include "platform/CodesErreurFichier.h"

#include "platform/NomsFichiers.h"

#include <cerrno>
#include <sys/stat.h>

int CodeErreurFichier(int errnum, const QString& chemin) {
    switch (errnum) {
    case ENOENT: {
        // The file is missing, or already the folder it should be in.
        const QByteArray nom = OctetsDuNom(chemin);
        const qsizetype barre = nom.lastIndexOf('/');
        const QByteArray dossier = barre < 0 ? QByteArray(".") : nom.left(barre + 1);
        struct stat infos {};
        return ::stat(dossier.constData(), &infos) == 0 && S_ISDIR(infos.st_mode) ? 2 : 3;
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
