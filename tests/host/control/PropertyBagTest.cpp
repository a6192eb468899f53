#include "host/control/PropertyBag.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

using korven::host::PropertyBag;
using korven::host::PropertyTypeName;
using korven::host::SavedFont;
using korven::host::Status;

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
    const QString text = QStringLiteral("&Convert Font");
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteInt32(u"BTYPE", 7));
    ASSERT_TRUE(bag.WriteText(u"TX", text));
    ASSERT_TRUE(bag.WriteBool(u"ENAB", false));
    ASSERT_TRUE(bag.WriteFont(u"FONT", SampleFont()));
    ASSERT_TRUE(bag.WriteInt16(u"SHORT", -32768));
    ASSERT_TRUE(bag.WriteInt32(u"BCOL", static_cast<std::int32_t>(0x8000000F)));
    ASSERT_TRUE(bag.WriteText(u"EMPTY", QString()));

    EXPECT_EQ(bag.ReadInt32(u"BTYPE", 0).value(), 7);
    EXPECT_EQ(bag.ReadText(u"TX", {}).value(), text);
    EXPECT_FALSE(bag.ReadBool(u"ENAB", true).value());
    EXPECT_EQ(bag.ReadFont(u"FONT", {}).value(), SampleFont());
    EXPECT_EQ(bag.ReadInt16(u"SHORT", 0).value(), -32768);
    EXPECT_EQ(bag.ReadInt32(u"BCOL", 0).value(), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(bag.ReadText(u"EMPTY", QStringLiteral("d")).value(), QString());

    std::vector<QString> order;
    for (const auto& e : bag.Entries()) {
        order.push_back(e.key + QLatin1Char(':') + PropertyTypeName(e.value));
    }
    EXPECT_EQ(order, (std::vector<QString>{"BTYPE:int32", "TX:text", "ENAB:bool", "FONT:font",
                                           "SHORT:int16", "BCOL:int32", "EMPTY:text"}));
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

TEST(PropertyBagReads, AbsentKeysGiveTheDefault) {
    const PropertyBag bag;
    EXPECT_EQ(bag.ReadInt16(u"BTYPE", 2).value(), 2);
    EXPECT_EQ(bag.ReadInt32(u"BCOL", -5).value(), -5);
    EXPECT_TRUE(bag.ReadBool(u"ENAB", true).value());
    EXPECT_EQ(bag.ReadText(u"TX", QStringLiteral("d")).value(), QStringLiteral("d"));
    EXPECT_EQ(bag.ReadFont(u"FONT", SampleFont()).value(), SampleFont());
}

TEST(PropertyBagReads, SoundConversionsApply) {
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteInt16(u"S", -3));
    ASSERT_TRUE(bag.WriteInt32(u"L", 40000));
    ASSERT_TRUE(bag.WriteInt32(u"SMALL", 12));
    ASSERT_TRUE(bag.WriteBool(u"T", true));
    ASSERT_TRUE(bag.WriteText(u"NUM", QStringLiteral(" 42 ")));
    ASSERT_TRUE(bag.WriteText(u"HEX", QStringLiteral("0xFF")));
    ASSERT_TRUE(bag.WriteText(u"WORD", QStringLiteral("False")));
    EXPECT_EQ(bag.ReadInt32(u"S", 0).value(), -3);
    EXPECT_EQ(bag.ReadInt16(u"SMALL", 0).value(), 12);
    EXPECT_EQ(bag.ReadInt32(u"T", 0).value(), -1);
    EXPECT_EQ(bag.ReadInt16(u"NUM", 0).value(), 42);
    EXPECT_EQ(bag.ReadInt32(u"HEX", 0).value(), 255);
    EXPECT_TRUE(bag.ReadBool(u"L", false).value());
    EXPECT_TRUE(bag.ReadBool(u"NUM", false).value());
    EXPECT_FALSE(bag.ReadBool(u"WORD", true).value());
    EXPECT_EQ(bag.ReadText(u"L", {}).value(), QStringLiteral("40000"));
    EXPECT_EQ(bag.ReadText(u"T", {}).value(), QStringLiteral("True"));
}

TEST(PropertyBagReads, UnsoundConversionsFailNamingKeyAndValue) {
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteInt32(u"L", 40000));
    ASSERT_TRUE(bag.WriteText(u"TX", QStringLiteral("maybe")));
    ASSERT_TRUE(bag.WriteText(u"NEGHEX", QStringLiteral("-0x5")));
    ASSERT_TRUE(bag.WriteFont(u"FONT", SampleFont()));
    auto tooBig = bag.ReadInt16(u"L", 0);
    ASSERT_FALSE(tooBig.ok());
    EXPECT_NE(tooBig.error().indexOf(QLatin1String("\"L\"")), -1);
    EXPECT_NE(tooBig.error().indexOf(QLatin1String("40000")), -1);

    auto word = bag.ReadBool(u"TX", false);
    ASSERT_FALSE(word.ok());
    EXPECT_NE(word.error().indexOf(QLatin1String("maybe")), -1);
    EXPECT_FALSE(bag.ReadInt32(u"TX", 0).ok());
    EXPECT_FALSE(bag.ReadInt32(u"NEGHEX", 0).ok());
    EXPECT_FALSE(bag.ReadInt32(u"FONT", 0).ok());
    EXPECT_FALSE(bag.ReadText(u"FONT", {}).ok());
    auto notFont = bag.ReadFont(u"TX", {});
    ASSERT_FALSE(notFont.ok());
    EXPECT_NE(notFont.error().indexOf(QLatin1String("TX")), -1);
    EXPECT_THROW((void)notFont.value(), std::bad_optional_access);
}

struct BadWrite {
    const char* name;
    std::function<Status(PropertyBag&)> write;
    const char* mustMention;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const BadWrite& c, std::ostream* os) {
    *os << c.name;
}

SavedFont FontWith(const std::function<void(SavedFont&)>& change) {
    SavedFont font = SampleFont();
    change(font);
    return font;
}

class PropertyBagBadWrite : public ::testing::TestWithParam<BadWrite> {};

TEST_P(PropertyBagBadWrite, IsRefusedWithAClearMessageAndChangesNothing) {
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteText(u"KEEP", QStringLiteral("kept")));
    const PropertyBag before = bag;
    const Status status = GetParam().write(bag);
    ASSERT_FALSE(status);
    EXPECT_TRUE(status.error().contains(QLatin1String(GetParam().mustMention)))
        << status.error().toStdString();
    EXPECT_EQ(bag, before);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, PropertyBagBadWrite,
    ::testing::Values(
        BadWrite{"KeyStartsWithDigit", [](PropertyBag& b) { return b.WriteBool(u"1X", true); },
                 "1X"},
        BadWrite{"KeyWithDash", [](PropertyBag& b) { return b.WriteInt32(u"A-B", 1); }, "A-B"},
        BadWrite{"EmptyKey", [](PropertyBag& b) { return b.WriteInt16(u"", 1); }, "valid key"},
        BadWrite{"KeyTooLong",
                 [](PropertyBag& b) {
                     return b.WriteInt32(QString(PropertyBag::kMaxKeyLength + 1, u'K'), 1);
                 },
                 "KKKK"},
        BadWrite{"TextTooLong",
                 [](PropertyBag& b) {
                     return b.WriteText(u"KEEP", QString(PropertyBag::kMaxTextLength + 1, u'x'));
                 },
                 "KEEP"},
        BadWrite{"FontWithoutFace",
                 [](PropertyBag& b) {
                     return b.WriteFont(u"FONT", FontWith([](SavedFont& f) { f.face.clear(); }));
                 },
                 "face"},
        BadWrite{"FontZeroSize",
                 [](PropertyBag& b) {
                     return b.WriteFont(u"FONT", FontWith([](SavedFont& f) { f.sizePoints = 0; }));
                 },
                 "size"},
        BadWrite{"FontNanSize",
                 [](PropertyBag& b) {
                     return b.WriteFont(u"FONT",
                                        FontWith([](SavedFont& f) { f.sizePoints = NAN; }));
                 },
                 "size"},
        BadWrite{"FontTooLarge",
                 [](PropertyBag& b) {
                     return b.WriteFont(u"FONT",
                                        FontWith([](SavedFont& f) { f.sizePoints = 1639; }));
                 },
                 "size"},
        BadWrite{"FontWeight",
                 [](PropertyBag& b) {
                     return b.WriteFont(u"FONT", FontWith([](SavedFont& f) { f.weight = 0; }));
                 },
                 "weight"},
        BadWrite{"FontCharset",
                 [](PropertyBag& b) {
                     return b.WriteFont(u"FONT", FontWith([](SavedFont& f) { f.charset = 300; }));
                 },
                 "300"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
