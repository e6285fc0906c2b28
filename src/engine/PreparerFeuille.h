#pragma once
// The sheet preparation: measures both resolutions and repaints the sheet
// image grey with its white drawing area (21 cm x 14.8 cm at (2 mm, 2 mm)).
#include "engine/TCanvas.h"
#include "engine/TDessin.h"

// What the preparation needs of the printer object. Each call may throw
// EPrinter with the printer's message.
class ISheetPrinter {
public:
    virtual ~ISheetPrinter() = default;
    virtual void SetPortrait() = 0;
    virtual int ResolutionX() = 0; // pixels per inch
    virtual int ResolutionY() = 0;
    // A print job is open (its page being handed over runs pending events,
    // a Clear all among them).
    virtual bool Printing() const = 0;
};

// The screen's pixels per inch.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual int ResolutionX() = 0;
    virtual int ResolutionY() = 0;
};

// The sheet image: resized, then painted through its canvas.
class ISheetImage {
public:
    virtual ~ISheetImage() = default;
    // The current size again must change nothing: the curves are erased by
    // the repaint, while the canvas keeps its current position for a slow
    // trace that resumes after the preparation.
    virtual void SetSize(int width, int height) = 0;
    virtual TCanvas& Canvas() = 0;
};

// Steps: printer portrait, printer resolutions into dessin.ResImpX/Y, screen
// resolutions into dessin.ResEcranX/Y, image size 21.4 x 30.1 cm, grey page
// with black outline, white area (0.2, 0.2)-(21.2, 15) cm, brush left clear.
// When the printer fails, the sheet is still measured and painted, and the
// printer's error is thrown at the end, so Clear all still clears without a
// printer. During a print job the printer's error ("Impression en cours") is
// thrown at once, nothing measured or painted: the sheet keeps the drawing
// being printed.
void PreparerFeuille(TDessin& dessin, ISheetPrinter& imprimante, IScreen& ecran,
                     ISheetImage& image);
