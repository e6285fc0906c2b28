#include "platform/TFichierEcriture.h"

#include "shell/Exceptions.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// An existing target must be writable by us, as if it were opened to be
// overwritten in place: a read-only file is refused, not replaced. Opened
// without truncation, and without waiting on a pipe.
bool CibleInscriptible(const QString& chemin) {
    const QByteArray nom = QFile::encodeName(chemin);
    const int fd = ::open(nom.constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == ENOENT;
}

} // namespace

TFichierEcriture::TFichierEcriture(const QString& chemin) : chemin_(chemin), fichier_(chemin) {
    if (chemin.isEmpty() || !CibleInscriptible(chemin) || !fichier_.open(QIODevice::WriteOnly))
        throw EFCreateError(chemin.toStdString());
}

void TFichierEcriture::Ecrire(std::string_view octets) {
    if (octets.empty()) return;
    const qint64 n = fichier_.write(octets.data(), static_cast<qint64>(octets.size()));
    if (n != static_cast<qint64>(octets.size())) throw EWriteError();
}

void TFichierEcriture::Valider() {
    if (fichier_.commit()) return;
    // commit() writes out the buffer, syncs, then renames over the target.
    if (fichier_.error() == QFileDevice::RenameError) throw EFCreateError(chemin_.toStdString());
    throw EWriteError();
}
