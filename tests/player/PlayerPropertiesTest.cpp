// Properties, defaults, setters and the stored-property path of the player.

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMetaProperty>
#include <QVariant>

#include "player/PlayerFixtures.h"
#include "player/SystemColors.h"
#include "player/TransitionPlayer.h"

namespace corvane {
namespace {

TEST(PlayerProperties, Defaults) {
    TTransitionPlayer p;
    EXPECT_EQ(p.BgMode(), bmTiled);
    EXPECT_FALSE(p.Center());
    EXPECT_EQ(p.Delay(), 40);
    EXPECT_FALSE(p.ExactTiming());
    EXPECT_EQ(p.FrameColor(), clActiveBorder);
    EXPECT_EQ(p.FrameWidth(), 0);
    EXPECT_FALSE(p.Manual());
    EXPECT_TRUE(p.OverDraw());
    EXPECT_FALSE(p.Proportional());
    EXPECT_FALSE(p.Reverse());
    EXPECT_EQ(p.Step(), 4);
    EXPECT_FALSE(p.Stretch());
    EXPECT_EQ(p.Style(), 51);
    EXPECT_TRUE(p.Threaded());
    EXPECT_EQ(p.ThreadPriority(), tpNormal);
    EXPECT_EQ(p.Color(), clWindow);
    EXPECT_EQ(p.width(), 100);
    EXPECT_EQ(p.height(), 100);
    EXPECT_FALSE(p.Busy());
    EXPECT_TRUE(p.ScreenBitmap().Empty());
    EXPECT_TRUE(p.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(PlayerProperties, StepKeepsWithinOneToHundred) {
    TTransitionPlayer p;
    for (auto [in, out] : {std::pair{0, 1}, {250, 100}, {-3, 1}, {100, 100}, {7, 7}}) {
        p.SetStep(in);
        EXPECT_EQ(p.Step(), out) << in;
    }
}

TEST(PlayerProperties, StyleIgnoresValuesPastTheCatalogue) {
    TTransitionPlayer p;
    p.SetStyle(171);
    EXPECT_EQ(p.Style(), 171);
    for (int bad : {172, 255, -1}) {
        p.SetStyle(bad);
        EXPECT_EQ(p.Style(), 171) << bad;
    }
    p.SetStyle(0);
    EXPECT_EQ(p.Style(), 0);
}

TEST(PlayerProperties, StyleNameReadsAndMatchesWithoutCase) {
    TTransitionPlayer p;
    EXPECT_EQ(p.StyleName(), "Appear and Contract to middle");
    const struct {
        const char* Name;
        int Style;
    } cases[] = {
        {"Custom", 0},
        {"cUsToM", 0},
        {"expand from BOTTOM", 18},  // the first of two entries with this name
        {"Expand in from top", 25},
        {"Quarters Slide in to middle", 57},
        {"no such effect", 57},  // unchanged
        {"", 57},
    };
    for (const auto& c : cases) {
        p.SetStyleName(c.Name);
        EXPECT_EQ(p.Style(), c.Style) << c.Name;
    }
    p.SetStyle(0);
    EXPECT_EQ(p.StyleName(), "Custom");
}

TEST(PlayerProperties, GetStyleNamesAddsTheCatalogueInOrder) {
    TTransitionPlayer p;
    QStringList list{"kept"};
    EXPECT_EQ(p.GetStyleNames(list), 171);
    ASSERT_EQ(list.size(), 172);
    EXPECT_EQ(list[0], "kept");
    EXPECT_EQ(list[1], "Expand from right");
    EXPECT_EQ(list[33], "Expand from bottom");
    EXPECT_EQ(list[171], QString::fromUtf8(Effects[171].Name));
}

TEST(PlayerProperties, StoredPropertiesApplyByName) {
    TTransitionPlayer p;
    EXPECT_TRUE(p.ApplyStoredProperty("StretchFine", true));
    EXPECT_TRUE(p.Proportional());
    EXPECT_TRUE(p.ApplyStoredProperty("StretchFine", QString("False")));
    EXPECT_FALSE(p.Proportional());
    EXPECT_TRUE(p.ApplyStoredProperty("Step", 250));
    EXPECT_EQ(p.Step(), 100);
    EXPECT_TRUE(p.ApplyStoredProperty("Center", QString("True")));
    EXPECT_TRUE(p.Center());
    EXPECT_TRUE(p.ApplyStoredProperty("BgMode", int(bmCentered)));
    EXPECT_EQ(p.BgMode(), bmCentered);
    EXPECT_TRUE(p.ApplyStoredProperty("StyleName", QString("custom")));
    EXPECT_EQ(p.Style(), 0);
    EXPECT_TRUE(p.ApplyStoredProperty("FrameColor", 0x00112233u));
    EXPECT_EQ(p.FrameColor(), 0x00112233u);
    EXPECT_FALSE(p.ApplyStoredProperty("NoSuchProperty", 1));
    EXPECT_FALSE(p.property("NoSuchProperty").isValid());  // nothing made up on the way

    // StretchFine is read but never written: it is no property of the control.
    EXPECT_LT(p.metaObject()->indexOfProperty("StretchFine"), 0);
    const QMetaProperty styleName =
        p.metaObject()->property(p.metaObject()->indexOfProperty("StyleName"));
    EXPECT_FALSE(styleName.isStored());
}

TEST(PlayerProperties, OnChangeFollowsPictureChangesOnly) {
    TTransitionPlayer p;
    test::TEventLog log;
    log.Attach(p);
    p.SetPicture(test::PatternPicture(8, 6, 1));
    EXPECT_EQ(log.Count("Change"), 1);
    p.Picture().SetGraphic(nullptr);
    EXPECT_EQ(log.Count("Change"), 2);
    p.SetBgPicture(test::PatternPicture(4, 4, 2));
    EXPECT_EQ(log.Count("Change"), 2);

    // Drawing the picture into the transition raises nothing.
    p.SetPicture(test::PatternPicture(8, 6, 1));
    p.SetManual(true);
    p.Execute();
    EXPECT_EQ(log.Count("Change"), 3);
    p.Stop();
}

TEST(PlayerProperties, AutomaticSize) {
    TTransitionPlayer p;
    p.SetFrameWidth(3);
    p.SetAutoSize(true);
    EXPECT_EQ(p.size(), QSize(100, 100));  // no picture: the size stays
    p.SetPicture(test::PatternPicture(40, 30, 1));
    EXPECT_EQ(p.size(), QSize(46, 36));
    p.SetFrameWidth(5);
    EXPECT_EQ(p.size(), QSize(50, 40));

    p.SetAlign(alTop);  // the width follows the parent, the height the picture
    p.resize(200, 10);
    p.SetPicture(test::PatternPicture(20, 20, 1));
    EXPECT_EQ(p.size(), QSize(200, 30));
    p.SetAlign(alClient);
    p.resize(300, 300);
    p.SetPicture(test::PatternPicture(10, 10, 1));
    EXPECT_EQ(p.size(), QSize(300, 300));
}

TEST(PlayerProperties, MouseEnterAndLeave) {
    TTransitionPlayer p;
    std::vector<std::string> events;
    p.OnMouseEnter = [&](TCustomTransitionPlayer&) { events.push_back("enter"); };
    p.OnMouseLeave = [&](TCustomTransitionPlayer&) { events.push_back("leave"); };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&p, &enter);
    QCoreApplication::sendEvent(&p, &leave);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
}

TEST(SystemColors, PlainAndSystemColours) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    EXPECT_EQ(PixelOfColor(0x00332211, palette), MakePixel(0x11, 0x22, 0x33));
    EXPECT_EQ(PixelOfColor(clWindow, palette), MakePixel(1, 2, 3));
    EXPECT_EQ(PixelOfColor(clBtnFace, palette), MakePixel(10, 20, 30));
    EXPECT_EQ(PixelOfColor(clActiveBorder, palette), MakePixel(10, 20, 30));
    EXPECT_EQ(PixelOfColor(0xFF0000FF, palette), 0u);  // no such system colour
}

}  // namespace
}  // namespace corvane
