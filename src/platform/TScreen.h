#pragma once
// The screen's pixels per inch, as the sheet preparation reads them: the
// logical resolution of the screen a window is on times that screen's device
// pixel ratio, rounded to whole pixels (96 on a screen at 100 %, 192 at 200 %,
// 144 at 150 %), so the sheet is traced in device pixels. Measured once, when
// the object is made. Without a screen: 96 and a ratio of 1.
#include "engine/PreparerFeuille.h"

#include <QtGlobal>

class QWidget;

class TScreen : public IScreen {
public:
    // The screen `window` is on (the primary screen when null or off-screen).
    explicit TScreen(const QWidget* window = nullptr);

    int ResolutionX() override { return resolutionX_; }
    int ResolutionY() override { return resolutionY_; }
    // Device pixels per logical pixel, the scale a bitmap made at these
    // resolutions is shown at.
    qreal Ratio() const { return ratio_; }

private:
    int resolutionX_;
    int resolutionY_;
    qreal ratio_;
};
