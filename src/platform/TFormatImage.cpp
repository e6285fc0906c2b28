#include "platform/TFormatImage.h"

namespace {

// `xml` after the markup that may come before the first element: blanks, the
// declaration and processing instructions, comments, the doctype (with its
// internal subset in brackets). Empty when that markup does not end in it.
std::string_view ApresLeProlog(std::string_view xml) {
    for (;;) {
        const std::size_t texte = xml.find_first_not_of(" \t\r\n");
        if (texte == std::string_view::npos) return {};
        xml.remove_prefix(texte);
        std::string_view fin;
        if (xml.starts_with("<?"))
            fin = "?>";
        else if (xml.starts_with("<!--"))
            fin = "-->";
        else if (xml.starts_with("<!"))
            fin = ">";
        else
            return xml;
        std::size_t apres = 2;
        if (fin == ">") {
            // The internal subset's declarations hold '>' of their own.
            const std::size_t crochet = xml.find_first_of("[>");
            if (crochet != std::string_view::npos && xml[crochet] == '[') {
                apres = xml.find(']', crochet);
                if (apres == std::string_view::npos) return {};
            }
        }
        const std::size_t position = xml.find(fin, apres);
        if (position == std::string_view::npos) return {};
        xml.remove_prefix(position + fin.size());
    }
}

} // namespace

std::optional<TFormatImage> FormatImageDesOctets(std::string_view debut) {
    if (debut.starts_with("\x89PNG\r\n\x1a\n")) return TFormatImage::Png;
    if (debut.starts_with("%PDF-")) return TFormatImage::Pdf;
    if (debut.starts_with("\xef\xbb\xbf")) debut.remove_prefix(3);
    std::string_view element = ApresLeProlog(debut);
    if (!element.starts_with('<')) return std::nullopt;
    element.remove_prefix(1);
    if (element.starts_with("svg:")) element.remove_prefix(4);
    if (element.starts_with("svg") &&
        (element.size() == 3 ||
         std::string_view(" \t\r\n/>").find(element[3]) != std::string_view::npos))
        return TFormatImage::Svg;
    return std::nullopt;
}
