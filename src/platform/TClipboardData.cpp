#include "platform/TClipboardData.h"

#include "platform/TClipboard.h"

#include <QStringList>

TClipboardData::TClipboardData(TMetafile image, qsizetype maxEmfBytes)
    : image_(std::move(image)), emfOnly_(image_.Emf().size() > maxEmfBytes) {}

QStringList TClipboardData::formats() const {
    // The office suite's own EMF type first, for the readers that take the
    // first type they know.
    QStringList types = {QString::fromLatin1(TClipboard::MimeEmfOffice),
                         QString::fromLatin1(TClipboard::MimeEmf),
                         QString::fromLatin1(TClipboard::MimeEmfAlternative)};
    if (!emfOnly_)
        types << QString::fromLatin1(TClipboard::MimeSvg)
              << QString::fromLatin1(TClipboard::MimePng);
    return types;
}

bool TClipboardData::hasFormat(const QString& type) const {
    return formats().contains(type);
}

QVariant TClipboardData::retrieveData(const QString& type, QMetaType /*metaType*/) const {
    try {
        if (type == QLatin1String(TClipboard::MimeEmf) ||
            type == QLatin1String(TClipboard::MimeEmfAlternative) ||
            type == QLatin1String(TClipboard::MimeEmfOffice))
            return image_.Emf();
        if (emfOnly_) return {};
        if (type == QLatin1String(TClipboard::MimeSvg)) {
            if (!svg_) svg_ = image_.Svg();
            return *svg_;
        }
        if (type == QLatin1String(TClipboard::MimePng)) {
            if (!png_) png_ = image_.Png();
            return *png_;
        }
    } catch (...) {
        // Out of memory: nothing for this type; the others stay offered.
    }
    return {};
}
