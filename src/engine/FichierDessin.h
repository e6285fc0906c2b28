#pragma once
// Drawing files, as bytes: one line per curve, the fields Fixe, Mobile, Trou
// and Couleur in decimal, separated by one tab (0x09), every line ending in
// CR LF (0x0D 0x0A). No header, no count, no end mark: an empty list is an
// empty file. Files hold single bytes; a field quoted in a message is shown as
// Latin-1 text.
#include "engine/TDessin.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// The whole file for `spires`, in order ("133\t58\t25\t0\r\n" for the default
// curve in black). An empty list gives "".
std::string OctetsDessin(std::span<const TSpire> spires);

// Where reading takes its bytes: fills up to `taille` bytes of `tampon` and
// returns how many; 0 means the end of the file (the source is not asked
// again). May throw (EInOutError for a failed read).
using TSourceOctets = std::function<std::size_t(char* tampon, std::size_t taille)>;

// Reads a file into the list, the way Open does once the file is open:
// NbSpires := 0; then, until the end of the file, one line into
// Spires[NbSpires], field by field, and NbSpires + 1 after each complete line.
// - A line ends at CR LF or at a lone CR; a lone LF stays inside the line.
// - A byte 0x1A ends the file: it and what follows are never read.
// - The end is tested before each line: a last line without line break is
//   read, a file ending in CR LF has no extra empty line.
// - Fixe, Mobile and Trou are each the text before the first tab of what is
//   left of the line (empty when there is no tab), the tab then removed;
//   Couleur is the rest. Each field goes through the conversion of StrToInt,
//   and the fields are stored in order once the whole line has been read.
// - Only as much of the source is read as the lines need, and memory stays
//   bounded whatever a line's length: a field is decided as it arrives, and
//   only its first bytes are kept for the message.
// Throws, leaving NbSpires at the number of complete curves read before:
// - EConvertError "'%s' n'est pas une valeur entière correcte" for a field
//   that does not convert, its bytes as Latin-1 text in place of %s (cut as
//   EConvertError::PasEntier says); the fields of the bad line before it
//   stay in Spires[NbSpires], which is outside the list;
// - Exception "Le fichier contient plus de 31 courbes" when a 32nd line is
//   there (the 31 curves read are kept);
// - whatever the source throws (nothing of the line being read is stored).
void LireDessin(const TSourceOctets& source, TDessin& dessin);

// The message of a file with more than MaxSpires lines.
inline constexpr std::string_view MessageTropDeCourbes = "Le fichier contient plus de 31 courbes";
