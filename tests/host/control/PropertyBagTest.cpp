#include "host/control/PropertyBag.h"

#include <gtest/gtest.h>

namespace {

using korven::host::PropertyBag;
using korven::host::SavedFont;

PropertyBag ParseOk(QStringView text) {
    auto parsed = PropertyBag::Parse(text);
    EXPECT_TRUE(parsed.ok()) << parsed.error().toStdString();
    return parsed.ok() ? parsed.value() : PropertyBag();
}

std::string ParseError(QStringView text) {
    auto parsed = PropertyBag::Parse(text);
    EXPECT_FALSE(parsed.ok()) << "accepted: " << text.toString().toStdString();
    return parsed.error().toStdString();
}

SavedFont SampleFont() {
    SavedFont font;
    font.face = QStringLiteral("Deja \"Vu\" Sans");
    font.sizePoints = 8.25;
    font.weight = 700;
    font.charset = 238;
    font.italic = true;
    font.strikeout = true;
    return font;
}

TEST(PropertyBagRoundTrip, EveryTypeComesBackExactlyInWriteOrder) {
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteInt32(u"BTYPE", 7));
    ASSERT_TRUE(bag.WriteText(u"TX", QStringLiteral("A&&B \"q\" \\ \t\n\r\u00e9 \U0001F600 ")));
    ASSERT_TRUE(bag.WriteBool(u"ENAB", false));
    ASSERT_TRUE(bag.WriteFont(u"FONT", SampleFont()));
    ASSERT_TRUE(bag.WriteInt16(u"SHORT", -32768));
    ASSERT_TRUE(bag.WriteInt32(u"BCOL", static_cast<std::int32_t>(0x8000000F)));
    ASSERT_TRUE(bag.WriteText(u"EMPTY", QString()));

    const QString text = bag.ToText();
    const PropertyBag back = ParseOk(text);
    EXPECT_EQ(back, bag) << text.toStdString();
    EXPECT_EQ(back.ToText(), text);
    ASSERT_EQ(back.Entries().size(), 7u);
    EXPECT_EQ(back.Entries()[0].key, QStringLiteral("BTYPE"));
    EXPECT_EQ(back.Entries()[6].key, QStringLiteral("EMPTY"));
}

TEST(PropertyBagRoundTrip, LoneSurrogatesAndControlCharactersSurvive) {
    QString odd;
    odd += QChar(0xD800);
    odd += QChar(0x0001);
    odd += QChar(0x007F);
    odd += QChar(0xDC00);
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteText(u"TX", odd));
    // The written form must stay a single, printable line.
    const QString text = bag.ToText();
    EXPECT_EQ(text.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(ParseOk(text).ReadText(u"TX", {}).value(), odd);
    // And it must survive being stored as UTF-8 bytes.
    auto fromBytes = PropertyBag::ParseUtf8(text.toUtf8());
    ASSERT_TRUE(fromBytes.ok()) << fromBytes.error().toStdString();
    EXPECT_EQ(fromBytes.value(), bag);
}

TEST(PropertyBagRoundTrip, RewritingAKeyKeepsItsPlaceAndKeysIgnoreCase) {
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteInt32(u"A", 1));
    ASSERT_TRUE(bag.WriteInt32(u"B", 2));
    ASSERT_TRUE(bag.WriteText(u"a", QStringLiteral("x")));
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.Entries()[0].key, QStringLiteral("A"));
    EXPECT_EQ(bag.ReadText(u"A", {}).value(), QStringLiteral("x"));
}

TEST(PropertyBagHandWritten, DocumentedFormReads) {
    const PropertyBag bag = ParseOk(u"# the Convert button\n"
                                    "\n"
                                    "  BTYPE   = int32 2   \r\n"
                                    "TX\t=\ttext  \"&Convert Font\"\n"
                                    "ENAB    = bool  true\n"
                                    "FONT    = font  \"Sans\" italic size=9 \t underline\n"
                                    "FOCUSR  = bool  0\n"
                                    "BCOL    = int32 0x00E0DFE3\n"
                                    "NEG     = int16 0xFFFF\n");
    EXPECT_EQ(bag.ReadInt32(u"BTYPE", 0).value(), 2);
    EXPECT_EQ(bag.ReadText(u"tx", {}).value(), QStringLiteral("&Convert Font"));
    EXPECT_TRUE(bag.ReadBool(u"ENAB", false).value());
    EXPECT_FALSE(bag.ReadBool(u"FOCUSR", true).value());
    EXPECT_EQ(bag.ReadInt32(u"BCOL", 0).value(), 0x00E0DFE3);
    EXPECT_EQ(bag.ReadInt16(u"NEG", 0).value(), -1);
    const SavedFont font = bag.ReadFont(u"FONT", {}).value();
    EXPECT_EQ(font.face, QStringLiteral("Sans"));
    EXPECT_EQ(font.sizePoints, 9.0);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.charset, 0);
    EXPECT_TRUE(font.italic);
    EXPECT_TRUE(font.underline);
    EXPECT_FALSE(font.strikeout);
}

TEST(PropertyBagHandWritten, SeveralNamedSetsInOneFile) {
    auto sets = PropertyBag::ParseSets(u"[XPButton1]\nTX = text \"&OK\"\n\n"
                                       "[XPButton2]\nTX = text \"&EXIT\"\n");
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    ASSERT_EQ(sets.value().size(), 2u);
    EXPECT_EQ(sets.value()[1].first, QStringLiteral("XPButton2"));
    EXPECT_EQ(sets.value()[1].second.ReadText(u"TX", {}).value(), QStringLiteral("&EXIT"));
    auto again = PropertyBag::ParseSets(PropertyBag::SetsToText(sets.value()));
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.value(), sets.value());

    EXPECT_FALSE(PropertyBag::ParseSets(u"TX = text \"a\"\n[B]\n").ok());
    EXPECT_FALSE(PropertyBag::ParseSets(u"[B]\n[b]\n").ok());
    EXPECT_FALSE(PropertyBag::Parse(u"[B]\nTX = text \"a\"\n").ok());
}

TEST(PropertyBagReads, AbsentKeysGiveTheDefault) {
    const PropertyBag bag;
    EXPECT_EQ(bag.ReadInt16(u"BTYPE", 2).value(), 2);
    EXPECT_EQ(bag.ReadInt32(u"BCOL", -5).value(), -5);
    EXPECT_TRUE(bag.ReadBool(u"ENAB", true).value());
    EXPECT_EQ(bag.ReadText(u"TX", QStringLiteral("d")).value(), QStringLiteral("d"));
    EXPECT_EQ(bag.ReadFont(u"FONT", SampleFont()).value(), SampleFont());
}

TEST(PropertyBagReads, SoundConversionsApply) {
    const PropertyBag bag = ParseOk(u"S = int16 -3\n"
                                    "L = int32 40000\n"
                                    "SMALL = int32 12\n"
                                    "T = bool -1\n"
                                    "NUM = text \" 42 \"\n"
                                    "WORD = text \"False\"\n");
    EXPECT_EQ(bag.ReadInt32(u"S", 0).value(), -3);
    EXPECT_EQ(bag.ReadInt16(u"SMALL", 0).value(), 12);
    EXPECT_EQ(bag.ReadInt32(u"T", 0).value(), -1);
    EXPECT_EQ(bag.ReadInt16(u"NUM", 0).value(), 42);
    EXPECT_TRUE(bag.ReadBool(u"L", false).value());
    EXPECT_TRUE(bag.ReadBool(u"NUM", false).value());
    EXPECT_FALSE(bag.ReadBool(u"WORD", true).value());
    EXPECT_EQ(bag.ReadText(u"L", {}).value(), QStringLiteral("40000"));
    EXPECT_EQ(bag.ReadText(u"T", {}).value(), QStringLiteral("True"));
}

TEST(PropertyBagReads, UnsoundConversionsFailNamingKeyAndValue) {
    const PropertyBag bag = ParseOk(u"L = int32 40000\n"
                                    "TX = text \"maybe\"\n"
                                    "FONT = font \"Sans\" size=9\n");
    auto tooBig = bag.ReadInt16(u"L", 0);
    ASSERT_FALSE(tooBig.ok());
    EXPECT_NE(tooBig.error().indexOf(QLatin1String("\"L\"")), -1);
    EXPECT_NE(tooBig.error().indexOf(QLatin1String("40000")), -1);

    auto word = bag.ReadBool(u"TX", false);
    ASSERT_FALSE(word.ok());
    EXPECT_NE(word.error().indexOf(QLatin1String("maybe")), -1);
    EXPECT_FALSE(bag.ReadInt32(u"TX", 0).ok());
    EXPECT_FALSE(bag.ReadInt32(u"FONT", 0).ok());
    EXPECT_FALSE(bag.ReadText(u"FONT", {}).ok());
    auto notFont = bag.ReadFont(u"TX", {});
    ASSERT_FALSE(notFont.ok());
    EXPECT_NE(notFont.error().indexOf(QLatin1String("TX")), -1);
    EXPECT_THROW((void)notFont.value(), std::bad_optional_access);
}

struct BadInput {
    const char* name;
    const char16_t* text;
    const char* mustMention;
};

class PropertyBagBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(PropertyBagBadInput, FailsWithAClearMessage) {
    const std::string error = ParseError(GetParam().text);
    EXPECT_NE(error.find(GetParam().mustMention), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, PropertyBagBadInput,
    ::testing::Values(BadInput{"NoEquals", u"BTYPE int32 2\n", "line 1"},
                      BadInput{"BadKey", u"1X = int32 2\n", "1X"},
                      BadInput{"UnknownType", u"A = float 2\n", "float"},
                      BadInput{"MissingValue", u"ENAB = bool\n", "ENAB"},
                      BadInput{"BoolWord", u"ENAB = bool maybe\n", "maybe"},
                      BadInput{"Int16Overflow", u"B = int16 32768\n", "32768"},
                      BadInput{"Int32Overflow", u"B = int32 2147483648\n", "2147483648"},
                      BadInput{"HexTooLong", u"B = int32 0x100000000\n", "0x100000000"},
                      BadInput{"TrailingJunk", u"B = int32 2 3\n", "2 3"},
                      BadInput{"Truncated", u"A = int32 1\nTX = text \"&Conv", "no closing quote"},
                      BadInput{"JunkAfterText", u"TX = text \"a\" b\n", "TX"},
                      BadInput{"BadEscape", u"TX = text \"\\q\"\n", "\\q"},
                      BadInput{"ShortUnicodeEscape", u"TX = text \"\\u12\"\n", "four hex"},
                      BadInput{"DuplicateKey", u"TX = text \"a\"\ntx = text \"b\"\n", "twice"},
                      BadInput{"FontWithoutSize", u"FONT = font \"Sans\" weight=700\n", "size"},
                      BadInput{"FontZeroSize", u"FONT = font \"Sans\" size=0\n", "size"},
                      BadInput{"FontNanSize", u"FONT = font \"Sans\" size=nan\n", "nan"},
                      BadInput{"FontEmptyFace", u"FONT = font \"\" size=8\n", "face"},
                      BadInput{"FontUnknownField", u"FONT = font \"Sans\" size=8 bold\n", "bold"},
                      BadInput{"FontFlagWithValue", u"FONT = font \"Sans\" size=8 italic=1\n",
                               "italic"},
                      BadInput{"FontCharset", u"FONT = font \"Sans\" size=8 charset=300\n", "300"},
                      BadInput{"FontTwice", u"FONT = font \"Sans\" size=8 size=9\n", "twice"},
                      BadInput{"ControlCharacter", u"TX = text \"a\x01\"\n", "control character"},
                      BadInput{"Section", u"[X]\n", "section"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PropertyBagHostileInput, HugeAndGarbageInputIsRefused) {
    // A text value over the limit.
    const QString longText = QStringLiteral("TX = text \"%1\"\n")
                                 .arg(QString(PropertyBag::kMaxTextLength + 1, QLatin1Char('x')));
    const std::string tooLong = ParseError(longText);
    EXPECT_NE(tooLong.find("TX"), std::string::npos);
    PropertyBag bag;
    EXPECT_FALSE(bag.WriteText(u"TX", QString(PropertyBag::kMaxTextLength + 1, QLatin1Char('x'))));
    EXPECT_TRUE(bag.IsEmpty());

    // A whole input over the limit.
    ParseError(QString(PropertyBag::kMaxInputLength + 1, QLatin1Char('#')));

    // Too many entries (would otherwise make lookups quadratic).
    QString many;
    for (std::size_t i = 0; i <= PropertyBag::kMaxEntries; ++i) {
        many += QStringLiteral("K%1 = bool 0\n").arg(i);
    }
    EXPECT_NE(ParseError(many).find("at most"), std::string::npos);

    // Bytes that are not UTF-8, and NUL bytes.
    EXPECT_FALSE(PropertyBag::ParseUtf8(QByteArray("TX = text \"\xff\xfe\"\n")).ok());
    EXPECT_FALSE(PropertyBag::ParseUtf8(QByteArray("TX = text \"a\"\n\0B = bool 0\n", 27)).ok());
}

TEST(PropertyBagHostileInput, PseudoRandomBytesNeverCrash) {
    // Every mutation of a valid set either parses or fails with a message.
    const QByteArray seed = "BTYPE = int32 2\nTX = text \"&OK \\u0041\"\nFONT = font \"Sans\" "
                            "size=8.25 weight=700 italic\nENAB = bool -1\n";
    quint32 state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes = seed;
        const int edits = 1 + static_cast<int>(next() % 4);
        for (int e = 0; e < edits; ++e) {
            const int at = static_cast<int>(next() % static_cast<quint32>(bytes.size()));
            switch (next() % 3) {
            case 0:
                bytes[at] = static_cast<char>(next() & 0xFF);
                break;
            case 1:
                bytes.remove(at, 1 + static_cast<int>(next() % 6));
                break;
            default:
                bytes.truncate(at);
                break;
            }
            if (bytes.isEmpty()) {
                break;
            }
        }
        auto parsed = PropertyBag::ParseUtf8(bytes);
        if (parsed.ok()) {
            // Whatever was accepted must write back and read again to the same set.
            auto again = PropertyBag::Parse(parsed.value().ToText());
            ASSERT_TRUE(again.ok()) << again.error().toStdString();
            EXPECT_EQ(again.value(), parsed.value());
        } else {
            EXPECT_FALSE(parsed.error().isEmpty());
        }
    }
}

} // namespace
