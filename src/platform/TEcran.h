#pragma once
// The screen's pixels per inch, as the sheet preparation reads them: the
// logical resolution of the primary screen (96 on a screen at 100 %), rounded
// to whole pixels. 96 when there is no screen.
#include "engine/PreparerFeuille.h"

class TEcran : public IEcran {
public:
    int ResolutionX() override;
    int ResolutionY() override;
};
