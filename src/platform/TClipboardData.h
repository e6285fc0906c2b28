#pragma once
// What the clipboard holds after Copy: one picture offered under every type
// the programs around us read (TClipboard lists them). The EMF bytes are
// there from the start; the SVG and the PNG are made from them the first time
// a program asks for each, so that Copy itself costs no more than the EMF.
// A picture whose EMF passes MaxEmfBytes is offered as EMF only: its SVG
// and PNG would keep the pasting window waiting for seconds and take hundreds
// of megabytes (its export to a file still writes them whole).
#include "platform/TMetafile.h"

#include <QMimeData>

#include <optional>

class TClipboardData : public QMimeData {
public:
    // About two million segments: an SVG of some 17 MB and a PNG made in a
    // few tenths of a second.
    static constexpr qsizetype MaxEmfBytes = qsizetype{32} * 1024 * 1024;

    // `maxEmfBytes`: the bound, given smaller by the tests.
    explicit TClipboardData(TMetafile image, qsizetype maxEmfBytes = MaxEmfBytes);

    QStringList formats() const override;
    bool hasFormat(const QString& type) const override;

protected:
    // Runs in the event loop when another program pastes: a failure (memory)
    // gives no data for that type rather than an error.
    QVariant retrieveData(const QString& type, QMetaType metaType) const override;

private:
    TMetafile image_;
    bool emfOnly_; // only the EMF types offered
    mutable std::optional<QByteArray> svg_;
    mutable std::optional<QByteArray> png_;
};
