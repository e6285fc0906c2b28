#pragma once
// What the picture's vector writers (SVG, PDF) share beyond their runs of
// lines (TPolylineCanvas): the numbers they write.
#include "engine/TPolylineCanvas.h"

#include <QByteArray>

class TVectorWriter : public TPolylineCanvas {
protected:
    // A real with `decimals` decimals and a '.', whatever the locale.
    static QByteArray Fixed(double value, int decimals);
};
