#pragma once
// The drawing state a command switches to another surface (surface, scale,
// centre), saved when the command starts and put back however it ends. Print
// and Copy use it, so a slow trace they interrupt resumes on its own surface at
// its own place and scale, and nothing ever draws on a closed page or a
// released picture.
#include "engine/TDessin.h"

class TEtatDessinSauve {
public:
    explicit TEtatDessinSauve(TDessin& dessin)
        : dessin_(dessin), cible_(dessin.Cible), modeEcran_(dessin.ModeEcran),
          centreX_(dessin.CentreX), centreY_(dessin.CentreY) {}
    ~TEtatDessinSauve() { Restaurer(); }
    TEtatDessinSauve(const TEtatDessinSauve&) = delete;
    TEtatDessinSauve& operator=(const TEtatDessinSauve&) = delete;

    // Puts the saved state back now (again at destruction).
    void Restaurer() const {
        dessin_.Cible = cible_;
        dessin_.ModeEcran = modeEcran_;
        dessin_.CentreX = centreX_;
        dessin_.CentreY = centreY_;
    }

private:
    TDessin& dessin_;
    TCanvas* cible_;
    bool modeEcran_;
    double centreX_;
    double centreY_;
};
