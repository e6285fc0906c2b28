#include "platform/TFichierEcriture.h"

#include "core/Exceptions.h"

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
    // commit() would flush the buffer itself but does not see a write failing
    // there (a full disk), nor a failed sync, and would then replace the target
    // with a truncated file: write out and sync first, and give up on failure.
    if (!fichier_.flush() || (::fsync(fichier_.handle()) != 0 && errno != EINVAL)) {
        fichier_.cancelWriting();
        throw EWriteError();
    }
    if (fichier_.commit()) return;
    if (fichier_.error() == QFileDevice::RenameError) throw EFCreateError(chemin_.toStdString());
    throw EWriteError();
}
