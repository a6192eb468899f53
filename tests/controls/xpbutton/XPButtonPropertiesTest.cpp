#include "ButtonFixture.h"
#include "controls/xpbutton/ButtonProperties.h"
#include "controls/xpbutton/PlaceFromSavedSet.h"
#include "controls/xpbutton/appearance/Outline.h"
#include "host/surface/SystemColours.h"

#include <QAccessible>
#include <QSignalSpy>

namespace korven::xpbutton::testing {
namespace {

using host::PropertyBag;

std::vector<QString> Keys(const PropertyBag& bag) {
    std::vector<QString> keys;
    for (const auto& e : bag.Entries()) {
        keys.push_back(e.key);
    }
    return keys;
}

TEST(ButtonLifeCycle, CreationThenFirstPlacementGiveTheDefaults) {
    XPButton button;
    const ButtonState& s = button.State();
    EXPECT_EQ(s.ButtonType, 0);
    EXPECT_EQ(s.ColorScheme, 0);
    EXPECT_EQ(s.ButtonWidth, 0);
    EXPECT_EQ(s.ButtonHeight, 0);
    EXPECT_EQ(s.LastMouseButton, 1);
    EXPECT_EQ(s.DrawnState, 0);
    EXPECT_EQ(s.PressedTextRect.left, 2);

    QSignalSpy changed(&button, &XPButton::PropertyChanged);
    button.InitProperties();
    EXPECT_EQ(button.ButtonType(), 2);
    EXPECT_EQ(button.ColorScheme(), 1);
    EXPECT_TRUE(button.Caption().isEmpty());
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.ShowFocusRect());
    EXPECT_EQ(button.BackColor(), host::GetSysColor(host::COLOR_BTNFACE));
    EXPECT_EQ(button.ForeColor(), host::GetSysColor(host::COLOR_BTNTEXT));
    EXPECT_EQ(button.size(), QSize(190, 48));
    EXPECT_EQ(changed.count(), 0);
    // Hidden, so not sized yet: nothing is drawn.
    EXPECT_EQ(button.State().ButtonHeight, 0);
}

struct WriteCase {
    const char* key;
    void (*write)(XPButton&);
    std::uint8_t lookAfter;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.key;
}

class PropertyWrites : public ButtonFixture, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(PropertyWrites, RedrawThenAnnounceTheKey) {
    // Start pressed, to tell writes that keep the look from writes that release it.
    Press(Qt::LeftButton);
    ASSERT_EQ(Look(), Pressed);
    std::vector<std::string> seen;
    QObject::connect(button_, &XPButton::PropertyChanged, [&](const QString& key) {
        seen.push_back(key.toStdString() + "@" + std::to_string(button_->State().DrawnState));
    });
    GetParam().write(*button_);
    EXPECT_EQ(seen, (std::vector<std::string>{std::string(GetParam().key) + "@" +
                                              std::to_string(GetParam().lookAfter)}));
    Release(Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(
    EveryProperty, PropertyWrites,
    ::testing::Values(
        WriteCase{"BCOL", [](XPButton& b) { b.SetBackColor(0x123456); }, Pressed},
        WriteCase{"FCOL", [](XPButton& b) { b.SetForeColor(0x654321); }, Pressed},
        WriteCase{"FOCUSR", [](XPButton& b) { b.SetShowFocusRect(false); }, Pressed},
        WriteCase{"BTYPE", [](XPButton& b) { b.SetButtonType(5); }, Normal},
        WriteCase{"TX", [](XPButton& b) { b.SetCaption(QStringLiteral("&Go")); }, Normal},
        WriteCase{"ENAB", [](XPButton& b) { b.SetEnabled(false); }, Normal},
        WriteCase{"FONT", [](XPButton& b) { b.SetFont(QFont(QStringLiteral("Serif"), 14)); },
                  Normal},
        WriteCase{"COLTYPE", [](XPButton& b) { b.SetColorScheme(3); }, Normal}),
    [](const auto& info) { return std::string(info.param.key); });

using PropertyEffects = ButtonFixture;

TEST_F(PropertyEffects, CaptionSetsTheAccessKeyAndColoursFollowOnlyScheme2) {
    button_->SetCaption(QStringLiteral("Save && E&xit"));
    EXPECT_EQ(button_->AccessKey(), QStringLiteral("x"));
    button_->SetCaption(QStringLiteral("Plain"));
    EXPECT_TRUE(button_->AccessKey().isEmpty());

    button_->SetBackColor(0x00E3DFE0);
    EXPECT_EQ(button_->BackColor(), 0x00E3DFE0u);
    EXPECT_EQ(button_->State().FaceColor, host::GetSysColor(host::COLOR_BTNFACE));
    button_->SetColorScheme(2);
    EXPECT_EQ(button_->State().FaceColor, 0x00E3DFE0u);
}

TEST_F(PropertyEffects, WidgetSetEnabledActsAsTheProperty) {
    QSignalSpy changed(button_, &XPButton::PropertyChanged);
    button_->setEnabled(false);
    EXPECT_FALSE(button_->Enabled());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), QStringLiteral("ENAB"));
    button_->setEnabled(true);
    EXPECT_TRUE(button_->Enabled());
    // A disabled container leaves the button's own property alone.
    window_->setEnabled(false);
    EXPECT_TRUE(button_->Enabled());
    window_->setEnabled(true);
}

TEST_F(PropertyEffects, AssistiveTechnologySeesAPushButton) {
    button_->SetCaption(QStringLiteral("&Convert Font"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button_);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::PushButton);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Convert Font"));
    EXPECT_TRUE(a->text(QAccessible::Accelerator).contains(QLatin1Char('C')));
    button_->setFocus();
    QTRY_VERIFY(a->state().focused);
    button_->SetEnabled(false);
    EXPECT_TRUE(a->state().disabled);
}

using Persistence = ButtonFixture;

TEST_F(Persistence, SavingWritesAllEightKeysInOrderWithTheirTypes) {
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteText(u"OTHER", QStringLiteral("kept")));
    ASSERT_TRUE(button_->WriteProperties(bag));
    EXPECT_EQ(Keys(bag), (std::vector<QString>{"OTHER", "BTYPE", "TX", "ENAB", "FONT", "COLTYPE",
                                               "FOCUSR", "BCOL", "FCOL"}));
    std::vector<QString> types;
    for (const auto& e : bag.Entries()) {
        types.push_back(host::PropertyTypeName(e.value));
    }
    EXPECT_EQ(types, (std::vector<QString>{"text", "int32", "text", "bool", "font", "int32", "bool",
                                           "int32", "int32"}));
}

TEST_F(Persistence, SaveAndReloadReproducesEveryProperty) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSizeF(10.5);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    font.setUnderline(true);
    button_->SetButtonType(7);
    button_->SetCaption(QStringLiteral("A&&B \"x\"\tC&D"));
    button_->SetEnabled(false);
    button_->SetFont(font);
    button_->SetColorScheme(1);
    button_->SetShowFocusRect(false);
    button_->SetBackColor(0x00E3DFE0); // unused under scheme 1, kept all the same
    button_->SetForeColor(0x80000012);

    PropertyBag saved;
    ASSERT_TRUE(button_->WriteProperties(saved));
    XPButton loaded(window_.get());
    ASSERT_TRUE(loaded.ReadProperties(saved));
    EXPECT_EQ(loaded.ButtonType(), 7);
    EXPECT_EQ(loaded.Caption(), button_->Caption());
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_FALSE(loaded.isEnabled());
    EXPECT_EQ(loaded.Font(), font);
    EXPECT_EQ(loaded.ColorScheme(), 1);
    EXPECT_FALSE(loaded.ShowFocusRect());
    EXPECT_EQ(loaded.BackColor(), 0x00E3DFE0u);
    EXPECT_EQ(loaded.ForeColor(), 0x80000012u);
    EXPECT_EQ(loaded.AccessKey(), QStringLiteral("d"));

    PropertyBag again;
    ASSERT_TRUE(loaded.WriteProperties(again));
    EXPECT_EQ(again, saved);
}

TEST_F(Persistence, FontCharacterSetSurvivesARoundTrip) {
    host::SavedFont font{.face = QStringLiteral("DejaVu Sans"), .sizePoints = 8.25, .weight = 700};
    font.charset = 238;
    font.strikeout = true;
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteFont(u"FONT", font));
    XPButton loaded;
    ASSERT_TRUE(loaded.ReadProperties(bag));
    PropertyBag saved;
    ASSERT_TRUE(loaded.WriteProperties(saved));
    EXPECT_EQ(*saved.Find(u"FONT"), *bag.Find(u"FONT"));
}

TEST_F(Persistence, AbsentKeysTakeTheDefaultsOfANewButton) {
    XPButton loaded;
    const QFont surfaceFont = loaded.Font();
    ASSERT_TRUE(loaded.ReadProperties(PropertyBag()));
    EXPECT_EQ(loaded.ButtonType(), 2);
    EXPECT_EQ(loaded.ColorScheme(), 1);
    EXPECT_TRUE(loaded.Caption().isEmpty());
    EXPECT_TRUE(loaded.Enabled());
    EXPECT_TRUE(loaded.ShowFocusRect());
    EXPECT_EQ(loaded.Font(), surfaceFont);
    EXPECT_EQ(loaded.BackColor(), host::GetSysColor(host::COLOR_BTNFACE));
    EXPECT_EQ(loaded.ForeColor(), host::GetSysColor(host::COLOR_BTNTEXT));
}

TEST_F(Persistence, LoadingConvertsSoundValuesAndRefusesTheRestWholesale) {
    PropertyBag converted;
    ASSERT_TRUE(converted.WriteInt16(u"BTYPE", 5));
    ASSERT_TRUE(converted.WriteInt32(u"ENAB", 0));
    ASSERT_TRUE(converted.WriteInt32(u"TX", 42));
    ASSERT_TRUE(converted.WriteText(u"COLTYPE", QStringLiteral("3")));
    ASSERT_TRUE(button_->ReadProperties(converted));
    EXPECT_EQ(button_->ButtonType(), 5);
    EXPECT_FALSE(button_->Enabled());
    EXPECT_EQ(button_->Caption(), QStringLiteral("42"));
    EXPECT_EQ(button_->ColorScheme(), 3);

    // A bad value late in the order must not leave the earlier ones applied.
    PropertyBag bad;
    ASSERT_TRUE(bad.WriteInt32(u"BTYPE", 4));
    ASSERT_TRUE(bad.WriteText(u"TX", QStringLiteral("&New")));
    ASSERT_TRUE(bad.WriteText(u"FOCUSR", QStringLiteral("sometimes")));
    QSignalSpy changed(button_, &XPButton::PropertyChanged);
    const host::Status status = button_->ReadProperties(bad);
    ASSERT_FALSE(status);
    EXPECT_TRUE(status.error().contains(QLatin1String("FOCUSR")));
    EXPECT_TRUE(status.error().contains(QLatin1String("sometimes")));
    EXPECT_EQ(button_->ButtonType(), 5);
    EXPECT_EQ(button_->Caption(), QStringLiteral("42"));
    EXPECT_EQ(changed.count(), 0);

    PropertyBag fontAsText;
    ASSERT_TRUE(fontAsText.WriteText(u"FONT", QStringLiteral("Arial")));
    EXPECT_FALSE(button_->ReadProperties(fontAsText));
}

TEST_F(Persistence, AWindowPlacesItsButtonFromItsSavedSet) {
    const SavedButton saved{
        .ButtonType = 3,
        .Caption = QStringLiteral("&OK"),
        .Font = host::SavedFont{.face = QStringLiteral("DejaVu Sans"), .sizePoints = 9.75},
        .ColorScheme = 2,
        .BackColor = 0x00E3DFE0,
        .ForeColor = 0x00123456,
    };
    XPButton* b =
        PlaceFromSavedSet(saved, QStringLiteral("XPButton1"), window_.get(), {10, 100, 100, 30});
    ASSERT_NE(b, nullptr);
    b->show();
    EXPECT_EQ(b->objectName(), QStringLiteral("XPButton1"));
    EXPECT_EQ(b->geometry(), QRect(10, 100, 100, 30));
    EXPECT_EQ(b->AccessKey(), QStringLiteral("o"));
    EXPECT_EQ(b->mask(), OutlineFor(3, 100, 30).toQRegion());
    EXPECT_EQ(b->State().FaceColor, 0x00E3DFE0u);
    // The button holds exactly the set it was placed from.
    PropertyBag expected;
    PropertyBag placed;
    ASSERT_TRUE(WriteSavedButton(saved, expected));
    ASSERT_TRUE(b->WriteProperties(placed));
    EXPECT_EQ(placed, expected);

    // A set that cannot be saved places nothing.
    SavedButton faceless;
    faceless.Font = host::SavedFont{};
    const auto before = window_->children().size();
    EXPECT_EQ(PlaceFromSavedSet(faceless, QStringLiteral("X"), window_.get(), {}), nullptr);
    EXPECT_EQ(window_->children().size(), before);
}

} // namespace
} // namespace korven::xpbutton::testing
