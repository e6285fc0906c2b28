// Build tool: draws the program's icons with the program's own tracer, gear
// curves on a white rounded square, into a hicolor icon tree (the folder given
// as the first argument): scalable/apps/ID.svg and NxN/apps/ID.png for 16,
// 24, 32 and 48 pixels, ID the application's id (the second argument). The
// small ones are drawn for their size: fewer loops, lines two pixels wide, a
// dark frame.
#include "engine/TCanvas.h"
#include "engine/TDessin.h"
#include "engine/TPolylineCanvas.h"
#include "engine/Tracer.h"
#include "shell/CouleurQt.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// One run of lines in one colour, in the tracer's units (tenths of a millimetre).
struct TTrait {
    TColor couleur = 0;
    std::vector<QPoint> points;
};

// A canvas that keeps what it is given, run by run.
class TCanvasTraits : public TPolylineCanvas {
public:
    const std::vector<TTrait>& Traits() const { return traits_; }

private:
    void BeginPolyline(TColor stylo, std::int32_t x, std::int32_t y) override {
        traits_.push_back({stylo, {QPoint(x, y)}});
    }
    void AddVertex(std::int32_t x, std::int32_t y) override {
        traits_.back().points.push_back(QPoint(x, y));
    }
    void EndPolyline() override {}
    void DrawRectangle(TColor, std::optional<TColor>, std::int64_t, std::int64_t, std::int64_t,
                       std::int64_t) override {}

    std::vector<TTrait> traits_;
};

// The tracer's units fill a square of Cote units about (Cote / 2, Cote / 2).
constexpr int Cote = 800;

std::vector<TTrait> Courbes(std::initializer_list<TSpire> spires) {
    TCanvasTraits canvas;
    TDessin dessin;
    dessin.Cible = &canvas;
    dessin.ModeEcran = true;
    dessin.ResEcranX = 254; // one unit per tenth of a millimetre
    dessin.ResEcranY = 254;
    dessin.CentreX = Cote / 2.0;
    dessin.CentreY = Cote / 2.0;
    for (const TSpire& spire : spires)
        Tracer(dessin, spire, false);
    return canvas.Traits();
}

// Deep blue and orange (0x00BBGGRR). Each curve reaches
// 4 x (|Mobile - Fixe| + Trou) units from the centre.
constexpr TColor Bleu = 0x8B3A1F;
constexpr TColor Orange = 0x1F6FE0;

// The scalable icon: two many-looped curves (9 and 5 turns), fine lines.
void EcrireSvg(const QString& chemin) {
    std::ostringstream chemins;
    for (const TTrait& t : Courbes({{100, 36, 25, Bleu}, {96, 60, 12, Orange}})) {
        chemins << "  <path fill=\"none\" stroke=\"" << VersQColor(t.couleur).name().toStdString()
                << "\" stroke-width=\"4\" stroke-linejoin=\"round\" d=\"";
        char commande = 'M';
        for (const QPoint& p : t.points) {
            chemins << commande << p.x() << ' ' << p.y();
            commande = 'L';
        }
        chemins << "\"/>\n";
    }
    std::ofstream sortie(chemin.toStdString(), std::ios::binary);
    sortie << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
              "viewBox=\"0 0 800 800\">\n"
              "  <rect x=\"16\" y=\"16\" width=\"768\" height=\"768\" rx=\"96\" "
              "fill=\"#ffffff\" stroke=\"#c0c0c0\" stroke-width=\"8\"/>\n"
           << chemins.str() << "</svg>\n";
    if (!sortie.flush()) throw std::runtime_error("écriture impossible");
}

// A small icon of `taille` pixels: few loops, lines `trait` pixels wide, on
// white inside a dark frame, so that it reads on light and dark panels alike.
void EcrirePng(const QString& chemin, int taille, double trait, const std::vector<TTrait>& traits) {
    QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(3780); // 96 per inch
    image.setDotsPerMeterY(3780);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    const double bord = std::min(2.0, taille / 16.0);
    peintre.setPen(QPen(QColor(0x30, 0x30, 0x30), bord));
    peintre.setBrush(Qt::white);
    peintre.drawRoundedRect(QRectF(bord / 2, bord / 2, taille - bord, taille - bord), taille / 6.0,
                            taille / 6.0);
    // The curves, about the square's centre, fill the square inside the frame.
    double portee = 1;
    for (const TTrait& t : traits)
        for (const QPoint& p : t.points)
            portee = std::max(portee, std::hypot(p.x() - Cote / 2.0, p.y() - Cote / 2.0));
    const double echelle = (taille - 5 * bord - trait) / (2 * portee);
    peintre.translate(taille / 2.0, taille / 2.0);
    peintre.scale(echelle, echelle);
    peintre.translate(-Cote / 2.0, -Cote / 2.0);
    for (const TTrait& t : traits) {
        QPen stylo(VersQColor(t.couleur), trait / echelle);
        stylo.setJoinStyle(Qt::RoundJoin);
        stylo.setCapStyle(Qt::RoundCap);
        peintre.setPen(stylo);
        peintre.drawPolyline(t.points.data(), static_cast<int>(t.points.size()));
    }
    peintre.end();
    if (!image.save(chemin, "PNG")) throw std::runtime_error("écriture impossible");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage : %s dossier-hicolor identifiant\n", argv[0]);
        return 2;
    }
    const QDir racine(QString::fromLocal8Bit(argv[1]));
    const QString identifiant = QString::fromLocal8Bit(argv[2]);
    try {
        auto dossier = [&](const QString& nom) {
            if (!racine.mkpath(nom + QStringLiteral("/apps")))
                throw std::runtime_error("dossier impossible à créer");
            return racine.filePath(nom + QStringLiteral("/apps/") + identifiant);
        };
        EcrireSvg(dossier(QStringLiteral("scalable")) + QStringLiteral(".svg"));
        // 16 px: a trefoil (2 turns); 24 px: a five-pointed star (2 turns);
        // 32 and 48 px: the star with an orange trefoil inside.
        const auto trefle = Courbes({{90, 60, 25, Bleu}});
        const auto etoile = Courbes({{100, 40, 25, Bleu}});
        const auto deux = Courbes({{100, 40, 25, Bleu}, {90, 60, 12, Orange}});
        EcrirePng(dossier(QStringLiteral("16x16")) + QStringLiteral(".png"), 16, 1.75, trefle);
        EcrirePng(dossier(QStringLiteral("24x24")) + QStringLiteral(".png"), 24, 2.0, etoile);
        EcrirePng(dossier(QStringLiteral("32x32")) + QStringLiteral(".png"), 32, 2.0, deux);
        EcrirePng(dossier(QStringLiteral("48x48")) + QStringLiteral(".png"), 48, 2.5, deux);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s : %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
