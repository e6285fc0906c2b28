#include "platform/TClipboard.h"

#include "core/Exceptions.h"
#include "platform/TClipboardData.h"
#include "platform/TMetafile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {

[[noreturn]] void PasDePressePapiers() {
    throw Exception("Ne peut ouvrir le Presse-papiers");
}

} // namespace

TClipboard& TClipboard::Instance() {
    static TClipboard presse;
    return presse;
}

TClipboard& Clipboard() {
    return TClipboard::Instance();
}

void TClipboard::SetPlacer(Placer placer) {
    placer_ = std::move(placer);
}

void TClipboard::Assign(const TMetafile& image) {
    if (image.Empty()) throw EInvalidGraphic("MetaFichier incorrect");
    auto donnees = std::make_unique<TClipboardData>(image);

    if (placer_) {
        placer_(*donnees);
        return;
    }
    // Without a graphical application there is no clipboard to open.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        PasDePressePapiers();
    QClipboard* presse = QGuiApplication::clipboard();
    if (presse == nullptr) PasDePressePapiers();
    const QMimeData* posees = donnees.get();
    presse->setMimeData(donnees.release(), QClipboard::Clipboard);
    // The system may refuse the ownership (an X11 selection that another
    // client keeps): our data is then not what the clipboard gives back.
    if (!presse->ownsClipboard() && presse->mimeData(QClipboard::Clipboard) != posees)
        PasDePressePapiers();
}
