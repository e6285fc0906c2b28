#pragma once
// The program's failures: each is an exception carrying its French message
// (UTF-8). The shell's error trap reports Message() in a message box.
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// "'%s' n'est pas une valeur entière correcte", the text (UTF-8) in place of %s.
// A text of more than LongueurCitee characters is quoted as its first
// LongueurCitee characters followed by "…": a field of a hostile file may be
// megabytes long, and the message box must stay readable.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    static constexpr std::size_t LongueurCitee = 60;
    static EConvertError PasEntier(std::string_view texte);
};

// File errors, by code: 2 "Fichier introuvable", 3 "Nom de fichier incorrect",
// 4 "Trop de fichiers ouverts", 5 "Accès au fichier refusé",
// 100 "Lecture au-delà de la fin de fichier", 101 "Disque plein",
// 106 "Saisie numérique incorrecte", any other "Erreur E/S %d".
class EInOutError : public Exception {
public:
    explicit EInOutError(int code);
    int Code() const noexcept { return code_; }
    static std::string MessagePourCode(int code);

private:
    int code_;
};

// "Impossible de créer le fichier %s", with the name given to the creation.
class EFCreateError : public Exception {
public:
    explicit EFCreateError(const std::string& nomFichier);
};

// "Erreur d'écriture dans le flux": fewer bytes written than asked.
class EWriteError : public Exception {
public:
    EWriteError();
};

// "Division par zéro": an integer division by zero (a tooth count of 0).
class EDivByZero : public Exception {
public:
    EDivByZero();
};

// Printer failures ("Aucune imprimante par défaut sélectionnée", ...).
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// "Impossible de rendre modale une fenêtre visible".
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// Recording of a picture cannot begin ("Plus de ressources système").
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// "MetaFichier incorrect".
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
