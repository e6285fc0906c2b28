#pragma once
// The drawing state a command switches to another surface (surface, scale,
// centre), saved when the command starts and put back however it ends. Print
// and Copy use it, so a slow trace they interrupt resumes on its own surface at
// its own place and scale, and nothing ever draws on a closed page or a
// released picture.
#include "engine/TDessin.h"

class TEtatDessinSauve {
public:
    TEtatDessinSauve()
        : cible_(Dessin.Cible), modeEcran_(Dessin.ModeEcran), centreX_(Dessin.CentreX),
          centreY_(Dessin.CentreY) {}
    ~TEtatDessinSauve() { Restaurer(); }
    TEtatDessinSauve(const TEtatDessinSauve&) = delete;
    TEtatDessinSauve& operator=(const TEtatDessinSauve&) = delete;

    // Puts the saved state back now (again at destruction).
    void Restaurer() const {
        Dessin.Cible = cible_;
        Dessin.ModeEcran = modeEcran_;
        Dessin.CentreX = centreX_;
        Dessin.CentreY = centreY_;
    }

private:
    TCanvas* cible_;
    bool modeEcran_;
    double centreX_;
    double centreY_;
};
