#pragma once
// A canvas that records every call, for tests of what is drawn and in what order.
#include "engine/TCanvas.h"

#include <string>
#include <vector>

struct Appel {
    enum Genre { MoveTo, LineTo, Rectangle, Stylo, Pinceau, Style } genre;
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
    friend bool operator==(const Appel&, const Appel&) = default;
};

class CanvasEnregistreur : public TCanvas {
public:
    std::vector<Appel> appels;

    void MoveTo(int x, int y) override { appels.push_back({Appel::MoveTo, x, y}); }
    void LineTo(int x, int y) override { appels.push_back({Appel::LineTo, x, y}); }
    void Rectangle(int l, int t, int r, int b) override {
        appels.push_back({Appel::Rectangle, l, t, r, b});
    }
    void SetPenColor(TColor c) override { appels.push_back({Appel::Stylo, c}); }
    void SetBrushColor(TColor c) override { appels.push_back({Appel::Pinceau, c}); }
    void SetBrushStyle(TBrushStyle s) override {
        appels.push_back({Appel::Style, s == TBrushStyle::Solid ? 0 : 1});
    }

    int Segments() const {
        int n = 0;
        for (const auto& a : appels)
            n += a.genre == Appel::LineTo;
        return n;
    }
};
