#include "platform/TPdfWriter.h"

#include <charconv>
#include <cstdio>
#include <new>
#include <vector>

namespace {

// Hundredths of a millimetre in points, 72 per inch.
double Points(std::int32_t centiemes) {
    return centiemes * 72.0 / 2540.0;
}

// Points per reference pixel: res / taille reference pixels per millimetre.
double Echelle(int res, int taille) {
    return 72.0 * taille / (25.4 * res);
}

} // namespace

TPdfWriter::TPdfWriter(std::int32_t frameWidth, std::int32_t frameHeight,
                       const TPrinterMetrics& reference)
    : frameWidth_(frameWidth), frameHeight_(frameHeight) {
    // Reference pixels, y downwards from the frame's top left corner, onto
    // the page's points, y upwards from its bottom left corner.
    content_.Ajouter("q\n" + Fixed(Echelle(reference.HorzRes, reference.HorzSize), 8) + " 0 0 " +
                     Fixed(-Echelle(reference.VertRes, reference.VertSize), 8) + " 0 " +
                     Fixed(Points(frameHeight), 4) + " cm\n0 w\n");
}

void TPdfWriter::Reserve(std::size_t points) {
    content_.Reserver(static_cast<qsizetype>(16 * points + 4096));
}

void TPdfWriter::AppendPoint(std::int32_t x, std::int32_t y, char operation) {
    // At most 11 + 1 + 11 + 1 + 1 + 1 characters: written straight into the buffer.
    char* const debut = content_.Espace(32);
    char* p = debut;
    p = std::to_chars(p, p + 11, x).ptr;
    *p++ = ' ';
    p = std::to_chars(p, p + 11, y).ptr;
    *p++ = ' ';
    *p++ = operation;
    *p++ = '\n';
    content_.Reculer(32 - (p - debut));
}

QByteArray TPdfWriter::Components(TColor color) {
    const auto c = static_cast<std::uint32_t>(color);
    return Fixed((c & 0xFF) / 255.0, 4) + ' ' + Fixed(((c >> 8) & 0xFF) / 255.0, 4) + ' ' +
           Fixed(((c >> 16) & 0xFF) / 255.0, 4);
}

void TPdfWriter::WriteStrokeColor(TColor pen) {
    if (strokeWritten_ == pen) return;
    content_.Ajouter(Components(pen) + " RG\n");
    strokeWritten_ = pen;
}

void TPdfWriter::BeginPolyline(TColor pen, std::int32_t x, std::int32_t y) {
    WriteStrokeColor(pen);
    AppendPoint(x, y, 'm');
}

void TPdfWriter::AddVertex(std::int32_t x, std::int32_t y) {
    AppendPoint(x, y, 'l');
}

void TPdfWriter::EndPolyline() {
    content_.Ajouter("S\n", 2);
}

void TPdfWriter::DrawRectangle(TColor pen, std::optional<TColor> fill, std::int64_t x0,
                               std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    // The outline's pixels run from x0 to x1 - 1: a stroke centred half a
    // pixel inside.
    WriteStrokeColor(pen);
    if (fill) content_.Ajouter(Components(*fill) + " rg\n");
    content_.Ajouter(
        Fixed(static_cast<double>(x0) + 0.5, 1) + ' ' + Fixed(static_cast<double>(y0) + 0.5, 1) +
        ' ' + QByteArray::number(static_cast<qlonglong>(x1 - x0 - 1)) + ' ' +
        QByteArray::number(static_cast<qlonglong>(y1 - y0 - 1)) + (fill ? " re B\n" : " re S\n"));
}

QByteArray TPdfWriter::Finish() {
    ClosePolyline();
    content_.Ajouter("Q\n", 2);
    // Deflated (zlib), as FlateDecode reads it: qCompress puts the length in
    // four bytes before the zlib stream.
    QByteArray flux =
        qCompress(reinterpret_cast<const uchar*>(content_.Debut()), content_.Taille(), 6);
    content_.Prendre();
    if (flux.size() <= 4) throw std::bad_alloc();
    flux.remove(0, 4);

    QByteArray pdf;
    pdf.reserve(flux.size() + 1024);
    std::vector<qsizetype> positions;
    auto objet = [&](const QByteArray& corps) {
        positions.push_back(pdf.size());
        pdf += QByteArray::number(static_cast<qlonglong>(positions.size())) + " 0 obj\n" + corps +
               "\nendobj\n";
    };
    // The binary comment tells transfer programs the file is not text.
    pdf += "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    objet("<< /Type /Catalog /Pages 2 0 R >>");
    objet("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    objet("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Fixed(Points(frameWidth_), 4) + ' ' +
          Fixed(Points(frameHeight_), 4) + "] /Resources << >> /Contents 4 0 R >>");
    objet("<< /Length " + QByteArray::number(flux.size()) + " /Filter /FlateDecode >>\nstream\n" +
          flux + "\nendstream");
    objet("<< /Producer (Volutan2) >>");

    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(static_cast<qlonglong>(positions.size() + 1)) +
           "\n0000000000 65535 f \n";
    for (const qsizetype position : positions) {
        char entree[24];
        std::snprintf(entree, sizeof entree, "%010lld 00000 n \n",
                      static_cast<long long>(position));
        pdf += entree;
    }
    pdf += "trailer\n<< /Size " + QByteArray::number(static_cast<qlonglong>(positions.size() + 1)) +
           " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" +
           QByteArray::number(static_cast<qlonglong>(xref)) + "\n%%EOF\n";
    return pdf;
}
