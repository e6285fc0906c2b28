#pragma once
// Integer conversions of texts (UTF-8; only ASCII characters can be accepted).
//
// Accepted forms: leading spaces (0x20 only), then either an optional single
// sign and decimal digits within -2147483648..2147483647, or a prefix '$', 'x',
// 'X', '0x', '0X' and one to eight hexadecimal digits taken as 32 bits as they
// stand ("$FFFFFFFF" is -1). Nothing may follow the number.
#include <cstdint>
#include <string>
#include <string_view>

// Raising conversion: the value, or EConvertError
// "'%s' n'est pas une valeur entière correcte" with the text unchanged.
std::int32_t StrToInt(std::string_view texte);

// Non-raising conversion: stores the value in `valeur` (0 on failure) and
// returns the error position: 0 on success, 1 for an empty text, otherwise the 1-based position
// of the first offending character. Accepts exactly the texts StrToInt accepts,
// with the same values.
int Val(std::string_view texte, std::int32_t& valeur);

// Latin-1 bytes (a drawing file's contents) as UTF-8 text, for messages.
std::string Latin1VersUtf8(std::string_view octets);
