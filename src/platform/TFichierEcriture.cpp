#include "platform/TFichierEcriture.h"

#include "core/Exceptions.h"
#include "platform/NomsFichiers.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Only a regular file (through any links) is replaced, or an absent name
// created: renaming over a device, a pipe or a socket would replace the node
// itself (run as root, /dev/null), and writing through to it is not a save.
// An existing target must also be writable by us, as if it were opened to be
// overwritten in place: a read-only file is refused, not replaced. Only a
// regular file is opened, without truncation.
bool CibleRemplacable(const QByteArray& nom) {
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

// The name a chain of links leads to, even to a file not there yet, so that
// the rename replaces the file and leaves the links; the name itself when it
// is no link (or after too many).
QByteArray SansLiens(QByteArray nom) {
    for (int profondeur = 0; profondeur < 40; ++profondeur) {
        struct stat infos {};
        if (::lstat(nom.constData(), &infos) != 0 || !S_ISLNK(infos.st_mode)) return nom;
        char lien[PATH_MAX];
        const ssize_t n = ::readlink(nom.constData(), lien, sizeof lien);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof lien)) return nom;
        const QByteArray vers(lien, n);
        const qsizetype barre = nom.lastIndexOf('/');
        nom = vers.startsWith('/') || barre < 0 ? vers : nom.left(barre + 1) + vers;
    }
    return nom;
}

} // namespace

TFichierEcriture::TFichierEcriture(const QString& chemin)
    : chemin_(chemin), cible_(SansLiens(OctetsDuNom(chemin))) {
    const auto refuser = [&] { throw EFCreateError(chemin_.toStdString()); };
    if (chemin.isEmpty() || cible_.contains('\0') || !CibleRemplacable(cible_)) refuser();
    // Created beside the target, so that the rename stays on its file system;
    // with the target's permissions, or those a new file gets.
    temporaire_ = cible_ + ".XXXXXX";
    fd_ = ::mkostemp(temporaire_.data(), O_CLOEXEC);
    if (fd_ < 0) refuser();
    mode_t mode = 0;
    if (struct stat infos{}; ::stat(cible_.constData(), &infos) == 0) {
        mode = infos.st_mode & 07777;
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        mode = 0666 & ~masque;
    }
    if (::fchmod(fd_, mode) != 0) {
        Abandonner();
        refuser();
    }
}

TFichierEcriture::~TFichierEcriture() {
    if (fd_ >= 0) Abandonner();
}

void TFichierEcriture::Abandonner() {
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporaire_.constData());
}

void TFichierEcriture::Ecrire(std::string_view octets) {
    while (!octets.empty()) {
        const ssize_t n = ::write(fd_, octets.data(), octets.size());
        if (n < 0 && errno == EINTR) continue;
        // A full disk, or a size limit (its signal is ignored by the program).
        if (n <= 0) throw EWriteError();
        octets.remove_prefix(static_cast<std::size_t>(n));
    }
}

void TFichierEcriture::Valider() {
    // Every byte on disk before the target is replaced; a failed sync or
    // close (a full disk seen late) gives up.
    const bool ecrit = ::fsync(fd_) == 0 || errno == EINVAL;
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0 || !ecrit) {
        ::unlink(temporaire_.constData());
        throw EWriteError();
    }
    // The target checked again just before it is replaced: a device or pipe
    // put there meanwhile is not replaced either.
    if (!CibleRemplacable(cible_) || ::rename(temporaire_.constData(), cible_.constData()) != 0) {
        ::unlink(temporaire_.constData());
        throw EFCreateError(chemin_.toStdString());
    }
}
