#pragma once
// The drawing surface that records into one picture (TMetafile), in pixels of
// a reference device (the printer): one logical unit of the picture is one of
// its pixels. Pen: solid, one pixel wide, in the colour last set; brush as set
// (white and solid at first). Lines leave out their last pixel, rectangles
// their right and bottom coordinates, as on every surface of the program.
//
// Creating the canvas begins the recording and fixes the picture's frame, in
// hundredths of a millimetre, from the picture's requested size:
//   W = MulDiv(Width, 100 * HorzSize, HorzRes), or 100 * HorzSize when Width is 0
//   H = MulDiv(Height, 100 * VertSize, VertRes), or 100 * VertSize when Height is 0
// Releasing the canvas ends the recording and gives the picture its EMF.
#include "engine/TCanvas.h"
#include "platform/TEmfWriter.h"
#include "platform/TPrinterBackEnd.h"

class TMetafile;

class TMetafileCanvas : public TCanvas {
public:
    // Throws EOutOfResources "Plus de ressources système" when recording
    // cannot begin: the reference device's sizes are not all positive, or the
    // frame they give is not positive (a negative requested size).
    TMetafileCanvas(TMetafile& image, const TPrinterMetrics& reference);
    // Ends the recording; the picture then holds the drawing.
    ~TMetafileCanvas() override;
    TMetafileCanvas(const TMetafileCanvas&) = delete;
    TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

    // The frame fixed at creation, hundredths of a millimetre.
    std::int32_t FrameWidth() const { return frameWidth_; }
    std::int32_t FrameHeight() const { return frameHeight_; }

    // Room for about this many segments (a hint for long drawings).
    void Reserve(std::size_t segments);

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    // Each setting takes effect at the next line or rectangle, which then
    // records a new pen (brush) replacing the previous one.
    void SetPenColor(TColor color) override;
    void SetBrushColor(TColor color) override;
    void SetBrushStyle(TBrushStyle style) override;

private:
    void SelectPenIfChanged();
    void SelectBrushIfChanged();

    TMetafile& image_;
    std::int32_t frameWidth_;
    std::int32_t frameHeight_;
    TEmfWriter emf_;
    TColor pen_ = 0;
    bool penPending_ = false;
    TColor brush_ = 0xFFFFFF;
    TBrushStyle brushStyle_ = TBrushStyle::Solid;
    bool brushPending_ = false;
};
