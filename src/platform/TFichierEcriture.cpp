#include "platform/TFichierEcriture.h"

#include "core/Exceptions.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only a regular file (through any links) is replaced, or an absent name
// created: renaming over a device, a pipe or a socket would replace the node
// itself (run as root, /dev/null), and writing through to it is not a save.
// An existing target must also be writable by us, as if it were opened to be
// overwritten in place: a read-only file is refused, not replaced. Only a
// regular file is opened, without truncation.
bool CibleRemplacable(const QString& chemin) {
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat infos {};
    if (::stat(nom.constData(), &infos) != 0) return errno == ENOENT;
    if (!S_ISREG(infos.st_mode)) return false;
    const int fd = ::open(nom.constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return false;
    // The name may have changed between the two calls: it is the file opened
    // that must be regular.
    const bool reguliere = ::fstat(fd, &infos) == 0 && S_ISREG(infos.st_mode);
    ::close(fd);
    return reguliere;
}

} // namespace

TFichierEcriture::TFichierEcriture(const QString& chemin) : chemin_(chemin), fichier_(chemin) {
    if (chemin.isEmpty() || !CibleRemplacable(chemin) || !fichier_.open(QIODevice::WriteOnly))
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
    // The target checked again just before it is replaced: a device or pipe
    // put there meanwhile is not replaced either.
    if (!CibleRemplacable(chemin_)) {
        fichier_.cancelWriting();
        throw EFCreateError(chemin_.toStdString());
    }
    if (fichier_.commit()) return;
    if (fichier_.error() == QFileDevice::RenameError) throw EFCreateError(chemin_.toStdString());
    throw EWriteError();
}
