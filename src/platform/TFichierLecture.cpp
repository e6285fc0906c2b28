#include "platform/TFichierLecture.h"

#include "core/Exceptions.h"
#include "platform/CodesErreurFichier.h"
#include "platform/NomsFichiers.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFichierLecture::TFichierLecture(const QString& chemin) : chemin_(chemin) {
    const QByteArray nom = OctetsDuNom(chemin);
    // A name cut short by a zero byte would open another file.
    if (nom.contains('\0')) throw EInOutError(CodeErreurFichier(ENAMETOOLONG, chemin));
    // O_NONBLOCK: opening a pipe with no writer must not wait; it is refused
    // below anyway.
    fd_ = ::open(nom.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) throw EInOutError(CodeErreurFichier(errno, chemin));
    struct stat infos {};
    int code = 0;
    if (::fstat(fd_, &infos) != 0)
        code = CodeErreurFichier(errno, chemin);
    else if (!S_ISREG(infos.st_mode))
        code = CodeAccesRefuse;
    else if (::fcntl(fd_, F_SETFL, 0) != 0)
        code = CodeErreurFichier(errno, chemin);
    if (code != 0) {
        ::close(fd_);
        fd_ = -1;
        throw EInOutError(code);
    }
}

TFichierLecture::~TFichierLecture() {
    // Closing a file only read loses nothing: its error is of no use.
    if (fd_ >= 0) ::close(fd_);
}

std::size_t TFichierLecture::Lire(char* tampon, std::size_t taille) {
    for (;;) {
        const ssize_t n = ::read(fd_, tampon, taille);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw EInOutError(CodeErreurFichier(errno, chemin_));
    }
}
