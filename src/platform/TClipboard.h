#pragma once
// The clipboard object: one for the run, created at its first use. It places
// a picture on the system clipboard (QClipboard) as, in this order,
//   the office suites' EMF type, image/x-emf, image/emf
//                   the EMF bytes (true size for EMF readers)
//   image/svg+xml   the same drawing as SVG, at its true size
//   image/png       the same drawing in pixels, 300 per inch, true size
// and nothing else (TClipboardData; a picture too large for the SVG and PNG
// to be made while a program waits for them has the EMF types only);
// whatever the clipboard held before is replaced.
#include <QByteArray>

#include <functional>

class QMimeData;
class TMetafile;

class TClipboard {
public:
    static constexpr const char* MimeEmf = "image/x-emf";
    static constexpr const char* MimeEmfAlternative = "image/emf";
    // The only EMF type office suites on X11 ask for.
    static constexpr const char* MimeEmfOffice =
        "application/x-openoffice-emf;windows_formatname=\"Image EMF\"";
    static constexpr const char* MimeSvg = "image/svg+xml";
    static constexpr const char* MimePng = "image/png";

    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // The run's clipboard object.
    static TClipboard& Instance();

    // Places the picture. Throws EInvalidGraphic "MetaFichier incorrect" for
    // a picture that holds no finished recording, and Exception "Ne peut
    // ouvrir le Presse-papiers" when the clipboard cannot be taken (no
    // graphical application, or another program kept the ownership); the
    // clipboard is then left as it was.
    void Assign(const TMetafile& image);

    // Test seam: receives the data that would be placed, instead of the
    // system clipboard (it may throw to stand for a clipboard that cannot be
    // taken). An empty function: the system clipboard again.
    using Placer = std::function<void(const QMimeData& data)>;
    void SetPlacer(Placer placer);

private:
    TClipboard() = default;

    Placer placer_;
};

// The run's clipboard object (TClipboard::Instance()).
TClipboard& Clipboard();
