#pragma once
// A drawing file opened for reading: opened by the constructor, closed by the
// destructor on every path. Failures are EInOutError with the codes of
// CodesErreurFichier.h.
#include <QString>

#include <cstddef>

class TFichierLecture {
public:
    // Opens `chemin` (a path as the file dialog gives it, or one holding
    // bytes kept by NomDesOctets, opened by those bytes). Throws EInOutError:
    // 2 no such file, 3 no such folder, 4 too many open files, 5 access refused
    // or not a regular file (a folder, a pipe, a device), other causes
    // 1000 + errno; 3 also for a name holding a zero byte.
    explicit TFichierLecture(const QString& chemin);
    ~TFichierLecture();
    TFichierLecture(const TFichierLecture&) = delete;
    TFichierLecture& operator=(const TFichierLecture&) = delete;

    // Reads up to `taille` bytes into `tampon`; returns how many, 0 at the end
    // of the file. Throws EInOutError when the read fails.
    std::size_t Lire(char* tampon, std::size_t taille);

private:
    QString chemin_;
    int fd_ = -1;
};
