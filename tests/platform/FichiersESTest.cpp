// Drawing-file input/output on a real file system: the error codes of Open,
// and Save's refusals, which never touch the previous file; pictures told
// from drawings by their first bytes.
#include "core/Exceptions.h"
#include "platform/CodesErreurFichier.h"
#include "platform/NomsFichiers.h"
#include "platform/TFichierEcriture.h"
#include "platform/TFichierLecture.h"
#include "platform/TFormatImage.h"
#include "support/FichiersSansDroits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(octets), octets.size());
}

QByteArray Contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<illisible>");
}

// Message and code of the failure to open `chemin`, or "" when it opens.
std::pair<std::string, int> EchecOuverture(const QString& chemin) {
    try {
        TFichierLecture f(chemin);
    } catch (const EInOutError& e) {
        return {e.Message(), e.Code()};
    }
    return {"", 0};
}

std::string EchecCreation(const QString& chemin, const std::string& octets) {
    try {
        TFichierEcriture f(chemin);
        f.Ecrire(octets);
        f.Valider();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

} // namespace

// (A missing file, folder, a folder and an unreadable file are checked
// through the Open command, tests/windows/FichiersQtTest.cpp.)
TEST(FichiersESTest, CodesOnOpening) {
    QTemporaryDir dir;
    const QString d = dir.path();
    Ecrire(d + "/fichier.txt", "1\t2\t3\t4\r\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(d + "/tube").constData(), 0600), 0);

    EXPECT_EQ(EchecOuverture(d + "/fichier.txt/absent.txt"),
              std::make_pair(std::string("Nom de fichier incorrect"), 3));
    EXPECT_EQ(EchecOuverture(d + "/" + QString(300, 'a')),
              std::make_pair(std::string("Nom de fichier incorrect"), 3));
    // A pipe with no writer: refused at once instead of waiting.
    EXPECT_EQ(EchecOuverture(d + "/tube"),
              std::make_pair(std::string("Accès au fichier refusé"), 5));

    TFichierLecture f(d + "/fichier.txt");
    char tampon[64];
    EXPECT_EQ(f.Lire(tampon, sizeof tampon), 9u);
    EXPECT_EQ(std::string(tampon, 9), "1\t2\t3\t4\r\n");
    EXPECT_EQ(f.Lire(tampon, sizeof tampon), 0u);
}

TEST(FichiersESTest, OtherCausesAndOpenFiles) {
    EXPECT_EQ(CodeErreurFichier(EIO, "/x"), 1005);
    EXPECT_EQ(EInOutError(CodeErreurFichier(EIO, "/x")).Message(), "Erreur E/S 1005");

    // Too many open files: fill the table under a lowered limit.
    QTemporaryDir dir;
    Ecrire(dir.path() + "/a.txt", "");
    rlimit ancienne{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &ancienne), 0);
    rlimit basse = ancienne;
    basse.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &basse), 0);
    std::vector<int> fds;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
        fds.push_back(fd);
    const auto echec = EchecOuverture(dir.path() + "/a.txt");
    for (int fd : fds)
        ::close(fd);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &ancienne), 0);
    EXPECT_EQ(echec, std::make_pair(std::string("Trop de fichiers ouverts"), 4));
}

TEST(FichiersESTest, SaveReplacesTheFileAndLeavesItAloneOnRefusal) {
    QTemporaryDir dir;
    const QString d = dir.path();
    const QString cible = d + "/dessin.txt";
    Ecrire(cible, "ancien contenu plus long que le nouveau\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(cible).constData(), 0640), 0);

    EXPECT_EQ(EchecCreation(cible, "1\t2\t3\t4\r\n"), "");
    EXPECT_EQ(Contenu(cible), "1\t2\t3\t4\r\n");
    struct stat infos {};
    ASSERT_EQ(::stat(QFile::encodeName(cible).constData(), &infos), 0);
    EXPECT_EQ(infos.st_mode & 0777, 0640u);
    // Nothing written at all: an empty file, created.
    EXPECT_EQ(EchecCreation(d + "/vide", ""), "");
    EXPECT_TRUE(QFile::exists(d + "/vide"));
    EXPECT_EQ(Contenu(d + "/vide"), "");

    // Refusals name the file and leave everything as it was.
    QDir(d).mkdir("dossier");
    EXPECT_EQ(EchecCreation(d + "/dossier", "x"),
              "Impossible de créer le fichier " + (d + "/dossier").toStdString());
    EXPECT_EQ(EchecCreation(d + "/absent/x.txt", "x"),
              "Impossible de créer le fichier " + (d + "/absent/x.txt").toStdString());
    ASSERT_EQ(::chmod(QFile::encodeName(cible).constData(), 0440), 0);
    {
        const SansDroitsAcces sansDroits;
        EXPECT_EQ(EchecCreation(cible, "5\t6\t7\t8\r\n"),
                  "Impossible de créer le fichier " + cible.toStdString());
    }
    EXPECT_EQ(Contenu(cible), "1\t2\t3\t4\r\n");
    // No temporary file left behind.
    EXPECT_EQ(QDir(d).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

// Save and the picture export write through this one writer: a name that is
// not a regular file is refused and left exactly as it was, never replaced by
// a regular file nor written through to.
TEST(FichiersESTest, SaveNeverReplacesADeviceAPipeOrASocket) {
    QTemporaryDir dir;
    const QString d = dir.path();
    const QString tube = d + "/tube", prise = d + "/prise", peripherique = d + "/plein";
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    // A reader waiting on the pipe: opening it for writing would succeed.
    const int lecteur = ::open(QFile::encodeName(tube).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(lecteur, 0);
    const int ecoute = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(ecoute, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    const QByteArray nomPrise = QFile::encodeName(prise);
    ASSERT_LT(static_cast<std::size_t>(nomPrise.size()), sizeof adresse.sun_path);
    std::copy(nomPrise.begin(), nomPrise.end(), adresse.sun_path);
    ASSERT_EQ(::bind(ecoute, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
    ASSERT_EQ(::listen(ecoute, 4), 0);
    // A private /dev/full (only root may make one).
    const bool racine = ::geteuid() == 0;
    if (racine) {
        ASSERT_EQ(
            ::mknod(QFile::encodeName(peripherique).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    }

    struct Cas {
        QString chemin;
        mode_t type;
    };
    std::vector<Cas> cas = {{tube, S_IFIFO}, {prise, S_IFSOCK}};
    if (racine) cas.push_back({peripherique, S_IFCHR});
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.chemin.toStdString());
        EXPECT_EQ(EchecCreation(c.chemin, "1\t2\t3\t4\r\n"),
                  "Impossible de créer le fichier " + c.chemin.toStdString());
        struct stat infos {};
        ASSERT_EQ(::lstat(QFile::encodeName(c.chemin).constData(), &infos), 0);
        EXPECT_EQ(infos.st_mode & S_IFMT, c.type);
        if (c.type == S_IFCHR) {
            EXPECT_EQ(infos.st_rdev, makedev(1, 7));
        }
    }
    // Through a link too.
    ASSERT_EQ(QFile::link(tube, d + "/lien"), true);
    EXPECT_EQ(EchecCreation(d + "/lien", "x"),
              "Impossible de créer le fichier " + (d + "/lien").toStdString());
    EXPECT_TRUE(QFileInfo(d + "/lien").isSymLink());

    // The reader got nothing.
    char octet = 0;
    EXPECT_LE(::read(lecteur, &octet, 1), 0);
    ::close(lecteur);
    ::close(ecoute);
    // No temporary file left behind: the nodes and the link only.
    EXPECT_EQ(QDir(d)
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                  .size(),
              static_cast<qsizetype>(cas.size() + 1));
    if (!racine) GTEST_SKIP() << "the device node needs root; pipe and socket checked";
}

TEST(FichiersESTest, APictureIsKnownByItsFirstBytesAndADrawingNever) {
    using F = std::optional<TFormatImage>;
    const struct {
        std::string_view debut;
        F format;
    } cas[] = {
        {"\x89PNG\r\n\x1a\nIHDR", TFormatImage::Png},
        {"\x89PNG\r\n", std::nullopt},
        {"%PDF-1.4\n", TFormatImage::Pdf},
        {"<svg>", TFormatImage::Svg},
        {"<svg", TFormatImage::Svg},
        {"\xef\xbb\xbf\n <?xml version=\"1.0\"?><!-- <html> --><svg:svg xmlns:svg=\"x\"/>",
         TFormatImage::Svg},
        {"<!DOCTYPE svg [ <!ENTITY e \"<html>\"> ]>\n<svg\twidth=\"1\"/>", TFormatImage::Svg},
        {"<svgx/>", std::nullopt},
        {"<html><svg/></html>", std::nullopt},
        {"<!-- <svg/> sans fin", std::nullopt},
        {"<?xml version=\"1.0\"?>", std::nullopt},
        {"", std::nullopt},
        {"133\t58\t25\t0\r\n<svg/>", std::nullopt},
        {"  $ff\t58\t25\t0\r\n", std::nullopt},
    };
    for (const auto& c : cas)
        EXPECT_EQ(FormatImageDesOctets(c.debut), c.format) << c.debut;
}

// A file name's bytes in a QString and back: valid UTF-8 decoded, every other
// byte kept as U+DC00 + byte, so that any bytes come back as they were.
TEST(FichiersESTest, NamesKeepTheirBytes) {
    const struct {
        QByteArray octets;
        std::u16string nom;
    } cas[] = {
        {"dessin.txt", u"dessin.txt"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8c\x80", u"café € \U0001F300"},
        {"dessin-\xe9.txt", u"dessin-\xDCE9.txt"},
        {"\xc0\xaf", u"\xDCC0\xDCAF"},                     // a shorter form of '/'
        {"\xed\xa0\x80", u"\xDCED\xDCA0\xDC80"},           // an encoded surrogate
        {"\xf4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"}, // beyond U+10FFFF
        {"a\xe2\x82", u"a\xDCE2\xDC82"},                   // cut short
        {"\xff\xc3\xa9\x80", u"\xDCFFé\xDC80"},
    };
    for (const auto& c : cas) {
        const QString nom = NomDesOctets(c.octets);
        EXPECT_EQ(nom, QString::fromStdU16String(c.nom)) << c.octets.toHex().toStdString();
        EXPECT_EQ(OctetsDuNom(nom), c.octets) << c.octets.toHex().toStdString();
    }
    // A name the system gives can only hold these bytes: every single byte,
    // read from a file of that name.
    QTemporaryDir dir;
    for (int b = 1; b < 256; ++b) {
        if (b == '/') continue;
        const QByteArray octets = QFile::encodeName(dir.path()) + "/x" + char(b);
        const int fd = ::open(octets.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0) << b;
        ASSERT_EQ(::write(fd, "ok", 2), 2);
        ::close(fd);
        TFichierLecture lecture(NomDesOctets(octets));
        char lu[2] = {};
        EXPECT_EQ(lecture.Lire(lu, 2), 2u) << b;
    }
}
