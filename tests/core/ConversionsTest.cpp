// The two integer conversions: accepted forms, values, error positions, and
// the conversion error's message.
#include "core/Conversions.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Accepte {
    std::string texte;
    std::int32_t valeur;
};

struct Refuse {
    std::string texte;
    int position; // Val's error position
};

TEST(ConversionsTest, AcceptedTextsGiveTheSameValueBothWays) {
    const Accepte cas[] = {
        {" 42", 42},
        {"-0", 0},
        {"$ff", 255},
        {"0x10", 16},
        {"-2147483648", -2147483647 - 1},
        {"2147483647", 2147483647},
        {" 7", 7},
        {"+7", 7},
        {"$7", 7},
        {"0x7", 7},
        {"x7", 7},
        {"X1F", 31},
        {"0XaB", 171},
        {"$FFFFFFFF", -1},
        {"$80000000", -2147483647 - 1},
        {"$00000001", 1},
        {"   -15", -15},
        {"0", 0},
        {"007", 7},
        {"00000000002147483647", 2147483647},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        EXPECT_EQ(StrToInt(c.texte), c.valeur);
        std::int32_t v = 12345;
        EXPECT_EQ(Val(c.texte, v), 0);
        EXPECT_EQ(v, c.valeur);
    }
}

TEST(ConversionsTest, RejectedTextsFailAtTheFirstOffendingCharacter) {
    const Refuse cas[] = {
        {"", 1},
        {"   ", 4}, // nothing but spaces: fails past the end
        {"42 ", 3}, // trailing space
        {"7 ", 2},
        {"7\t", 2},  // trailing tab
        {"\t7", 1},  // a tab is not skipped
        {"+-1", 2},  // one sign only
        {"-$10", 2}, // no sign before a prefix
        {"+", 2},    // sign without digits
        {"$", 2},    // prefix without digits
        {"0x", 3},
        {"2147483648", 10}, // out of range at its last digit
        {"-2147483649", 11},
        {"99999999999", 10},
        {"$123456789", 10}, // a ninth hexadecimal digit
        {"$000000000", 10},
        {"12a", 3},
        {"0x1g", 4},
        {"1 2", 2},
        {"$-1", 2},
        {"\xC3\xA9", 1}, // a non-ASCII character
        {std::string("4\0", 2), 2},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        std::int32_t v = 12345;
        EXPECT_EQ(Val(c.texte, v), c.position);
        EXPECT_EQ(v, 0);
        EXPECT_THROW(StrToInt(c.texte), EConvertError);
    }
}

// A text of up to 60 characters is quoted unchanged; a longer one as its
// first 60 characters (an accented letter is one) followed by "…".
TEST(ConversionsTest, ConversionErrorQuotesTheTextUpTo60Characters) {
    auto e = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += "\xC3\xA9"; // é
        return s;
    };
    const std::pair<std::string, std::string> cas[] = {
        {"12a", "'12a' n'est pas une valeur entière correcte"},
        {"", "'' n'est pas une valeur entière correcte"},
        {" 4 ", "' 4 ' n'est pas une valeur entière correcte"},
        {"d\xC3\xA9j\xC3\xA0", "'d\xC3\xA9j\xC3\xA0' n'est pas une valeur entière correcte"},
        {e(59), "'" + e(59) + "' n'est pas une valeur entière correcte"},
        {"7" + e(59), "'7" + e(59) + "' n'est pas une valeur entière correcte"},
        {"7" + e(60), "'7" + e(59) + "…' n'est pas une valeur entière correcte"},
        {std::string(59, ' ') + "7x",
         "'" + std::string(59, ' ') + "7…' n'est pas une valeur entière correcte"},
        {std::string(5000000, ' '),
         "'" + std::string(60, ' ') + "…' n'est pas une valeur entière correcte"},
    };
    for (const auto& [texte, message] : cas) {
        try {
            StrToInt(texte);
            ADD_FAILURE() << "accepted: " << texte;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), message);
            EXPECT_STREQ(e.what(), message.c_str());
        }
    }
}

TEST(ConversionsTest, Latin1BytesBecomeUtf8) {
    EXPECT_EQ(Latin1VersUtf8("abc\t1"), "abc\t1");
    EXPECT_EQ(Latin1VersUtf8("d\xE9j\xE0"), "d\xC3\xA9j\xC3\xA0");
    EXPECT_EQ(Latin1VersUtf8("\x80\xFF"), "\xC2\x80\xC3\xBF");
    EXPECT_EQ(Latin1VersUtf8(""), "");
}

} // namespace
