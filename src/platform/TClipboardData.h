#pragma once
// What the clipboard holds after Copy: one picture offered under every type
// the programs around us read (TClipboard lists them). The EMF bytes are
// there from the start; the SVG and the PNG are made from them the first time
// a program asks for each, so that Copy itself costs no more than the EMF.
#include "platform/TMetafile.h"

#include <QMimeData>

#include <optional>

class TClipboardData : public QMimeData {
public:
    explicit TClipboardData(TMetafile image);

    QStringList formats() const override;
    bool hasFormat(const QString& type) const override;

protected:
    // Runs in the event loop when another program pastes: a failure (memory)
    // gives no data for that type rather than an error.
    QVariant retrieveData(const QString& type, QMetaType genre) const override;

private:
    TMetafile image_;
    mutable std::optional<QByteArray> svg_;
    mutable std::optional<QByteArray> png_;
};
