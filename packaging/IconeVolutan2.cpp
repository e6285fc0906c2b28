// Build tool: draws the program's icon with the program's own tracer, a gear
// curve in an SVG file (the path given as the only argument).
#include "engine/TCanvas.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// A canvas that writes what it is given as SVG: one path per pen colour.
class TCanvasSvg : public TCanvas {
public:
    void MoveTo(int x, int y) override { chemin_ << 'M' << x << ' ' << y; }
    void LineTo(int x, int y) override { chemin_ << 'L' << x << ' ' << y; }
    void Rectangle(int, int, int, int) override {}
    void SetPenColor(TColor couleur) override {
        Terminer();
        couleur_ = couleur;
    }
    void SetBrushColor(TColor) override {}
    void SetBrushStyle(TBrushStyle) override {}

    // Closes the current path; returns every path so far.
    std::string Chemins() {
        Terminer();
        return chemins_.str();
    }

private:
    void Terminer() {
        const std::string d = chemin_.str();
        if (d.find('L') != std::string::npos) {
            char rgb[8];
            std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", couleur_ & 0xFF, (couleur_ >> 8) & 0xFF,
                          (couleur_ >> 16) & 0xFF);
            chemins_ << "  <path fill=\"none\" stroke=\"" << rgb
                     << "\" stroke-width=\"4\" stroke-linejoin=\"round\" d=\"" << d << "\"/>\n";
        }
        // The pen stays where the last path ended.
        const auto dernier = d.find_last_of("ML");
        chemin_.str(std::string());
        chemin_.clear();
        if (dernier != std::string::npos) chemin_ << 'M' << d.substr(dernier + 1);
    }

    std::ostringstream chemin_;
    std::ostringstream chemins_;
    TColor couleur_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage : %s fichier.svg\n", argv[0]);
        return 2;
    }
    try {
        TCanvasSvg canvas;
        // One tenth of a millimetre per SVG unit; the curves reach 356 units
        // from the centre.
        Dessin.Cible = &canvas;
        Dessin.ModeEcran = true;
        Dessin.ResEcranX = 254;
        Dessin.ResEcranY = 254;
        Dessin.CentreX = 400.0;
        Dessin.CentreY = 400.0;
        Tracer(TSpire{100, 36, 25, 0x8B3A1F}, false); // deep blue, 9 turns
        Tracer(TSpire{96, 60, 12, 0x1F6FE0}, false);  // orange, 5 turns

        std::ofstream sortie(argv[1], std::ios::binary);
        sortie << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
                  "viewBox=\"0 0 800 800\">\n"
                  "  <rect x=\"16\" y=\"16\" width=\"768\" height=\"768\" rx=\"96\" "
                  "fill=\"#ffffff\" stroke=\"#c0c0c0\" stroke-width=\"8\"/>\n"
               << canvas.Chemins() << "</svg>\n";
        if (!sortie.flush()) throw std::runtime_error("écriture impossible");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s : %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
