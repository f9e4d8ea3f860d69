// The dialog's control classes as a user works them: typing into the number boxes, the colour
// list with its custom colour, ticks and the cursor of the check lists, the radio groups, and the
// link labels' colours and clicks.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <cctype>
#include <ostream>
#include <string>

#include "dialog/CheckListBox.h"
#include "dialog/ColorComboBox.h"
#include "dialog/Colors.h"
#include "dialog/NyLinkLabel.h"
#include "dialog/RadioGroup.h"
#include "dialog/SpinEdit.h"
#include "tests/support/QtTestSupport.h"

namespace corvane {

// Receives the addresses the desktop is asked to open.
class TOpenedUrls : public QObject {
    Q_OBJECT

  public:
    TOpenedUrls() {
        for (const char* scheme : {"https", "http", "file", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~TOpenedUrls() override {
        for (const char* scheme : {"https", "http", "file", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    std::vector<QUrl> Urls;

  public slots:
    void Open(const QUrl& url) { Urls.push_back(url); }
};

namespace {

// --- Number boxes ---

struct TTyped {
    double Min, Max;
    const char* Text;
    double Value;       // read while the box still has the focus
    const char* Shown;  // after it has lost the focus
};

void PrintTo(const TTyped& t, std::ostream* out) {
    *out << '"' << t.Text << "\" in " << t.Min << ".." << t.Max;
}

class SpinEditTyping : public ::testing::TestWithParam<TTyped> {};

TEST_P(SpinEditTyping, ReadsTypedTextInRangeAndShowsItOnLeaving) {
    const TTyped t = GetParam();
    TSpinEdit edit;
    edit.SetMinValue(t.Min);
    edit.SetMaxValue(t.Max);
    QSignalSpy changed(&edit, &TSpinEdit::Changed);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, t.Text);
    EXPECT_EQ(edit.text(), QString::fromUtf8(t.Text));  // typing is free
    EXPECT_GT(changed.count(), 0);
    EXPECT_DOUBLE_EQ(edit.Value(), t.Value);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &leave);
    EXPECT_EQ(edit.text(), QString::fromUtf8(t.Shown));
    EXPECT_DOUBLE_EQ(edit.Value(), t.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SpinEditTyping,
    ::testing::Values(TTyped{1, 100, "0", 1, "1"}, TTyped{0, 100, "250", 100, "100"},
                      TTyped{0, 2147483647, "", 0, "0"}, TTyped{1, 100, "abc", 1, "1"},
                      TTyped{1, 100, "42", 42, "42"},
                      TTyped{0, 2147483647, "70000", 70000, "70000"}, TTyped{0, 0, "-5", -5, "-5"},
                      TTyped{1, 100, "7.6", 8, "8"}),
    [](const ::testing::TestParamInfo<TTyped>& info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char* p = info.param.Text; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

TEST(SpinEdit, ButtonsAndProgramValuesStopAtTheBounds) {
    TSpinEdit edit;
    edit.SetMinValue(0);
    edit.SetMaxValue(100);
    edit.SetValue(99);
    edit.stepBy(5);
    EXPECT_EQ(edit.IntValue(), 100);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.IntValue(), 100);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.IntValue(), 99);
    edit.SetValue(-3);
    EXPECT_EQ(edit.text(), "0");
    edit.setProperty("Value", 2147483647.0);
    EXPECT_EQ(edit.property("Value").toDouble(), 100);
}

// --- Colour list ---

TEST(ColorComboBox, ListsTheStandardAndSystemColoursThenCustom) {
    TColorComboBox combo;
    ASSERT_EQ(combo.count(), 42);
    EXPECT_EQ(combo.itemText(0), "Black");
    EXPECT_EQ(combo.itemText(12), "Blue");
    EXPECT_EQ(combo.ColorAt(12), 0xFF0000u);
    EXPECT_EQ(combo.itemText(15), "White");
    EXPECT_EQ(combo.itemText(16), "ScrollBar");
    EXPECT_EQ(combo.ColorAt(16), 0xFF000000u);
    EXPECT_EQ(combo.itemText(40), "InfoBk");
    EXPECT_EQ(combo.ColorAt(40), 0xFF000018u);
    EXPECT_EQ(combo.itemText(41), "Custom");
    // Swatches show the colour; a system colour in the palette's colour.
    EXPECT_EQ(combo.itemIcon(9).pixmap(combo.iconSize()).toImage().pixelColor(5, 5),
              QColor(255, 0, 0));
    EXPECT_EQ(combo.itemIcon(16 + 15).pixmap(combo.iconSize()).toImage().pixelColor(5, 5),
              combo.palette().color(QPalette::Active, QPalette::Button));
}

TEST(ColorComboBox, SettingAColourSelectsItsFirstEntryOrCustom) {
    struct TCase {
        TColor Color;
        int Index;
    };
    for (const TCase c : {TCase{0x808080, 7}, TCase{0xFF0000, 12}, TCase{0xFF00000F, 31},
                          TCase{0x123456, 41}, TCase{0xFF000063, 41}}) {
        TColorComboBox combo;
        QSignalSpy changed(&combo, &TColorComboBox::Changed);
        combo.SetSelectedColor(c.Color);
        EXPECT_EQ(combo.currentIndex(), c.Index) << std::hex << c.Color;
        EXPECT_EQ(combo.SelectedColor(), c.Color);
        EXPECT_EQ(combo.property("SelectedColor").toUInt(), c.Color);
        EXPECT_EQ(changed.count(), 1);
    }
}

TEST(ColorComboBox, CustomOpensTheColourDialogPresetToTheColourShown) {
    TColorComboBox combo;
    combo.SetSelectedColor(0x00FFFF);  // yellow
    QColor preset;
    test::AnswerNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QColorDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        preset = dialog->currentColor();
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
    });
    QTest::keyClick(&combo, Qt::Key_End);  // the user picks the last entry
    EXPECT_EQ(preset, QColor(255, 255, 0));
    EXPECT_EQ(combo.currentIndex(), TColorComboBox::CustomIndex);
    EXPECT_EQ(combo.SelectedColor(), 0x030201u);

    // Nothing picked: the entry chosen before stays.
    combo.SetSelectedColor(0x008000);
    test::AnswerNextModal([](QWidget& modal) { qobject_cast<QDialog*>(&modal)->reject(); });
    QTest::keyClick(&combo, Qt::Key_End);
    EXPECT_EQ(combo.currentIndex(), 2);
    EXPECT_EQ(combo.SelectedColor(), 0x008000u);
}

// --- Check lists ---

TEST(CheckListBox, TicksAreSeparateFromTheSelectionAndReportEachChange) {
    TCheckListBox list;
    EXPECT_EQ(list.ItemIndex(), -1);
    for (const char* text : {"a", "b", "c", "d"}) list.AddItem(text);
    std::vector<std::pair<int, bool>> changes;
    QObject::connect(&list, &TCheckListBox::TickChanged, [&](int index, bool checked) {
        changes.push_back({index, checked});
    });
    list.SetChecked(1, true);
    list.SetChecked(3, true);
    list.SetChecked(3, true);  // no change, no report
    list.SetChecked(1, false);
    EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{1, true}, {3, true}, {1, false}}));
    EXPECT_EQ(list.CheckedCount(), 1);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    EXPECT_TRUE(list.Selected(0));
    EXPECT_FALSE(list.Checked(0));
    EXPECT_TRUE(list.Selected(2));
    EXPECT_FALSE(list.Selected(3));
    EXPECT_TRUE(list.Checked(3));
}

TEST(CheckListBox, UserMovesAndClicksRaiseOneClickProgramMovesNone) {
    TCheckListBox list;
    list.resize(165, 150);
    for (const char* text : {"a", "b", "c", "d"}) list.AddItem(text);
    list.show();
    QSignalSpy clicked(&list, &TCheckListBox::Clicked);
    list.SetItemIndex(0);
    EXPECT_EQ(clicked.count(), 0);

    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(clicked.count(), 1);

    const QPoint third = list.visualItemRect(list.item(2)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicked.count(), 2);
    // A click on the item that has the cursor moves nothing yet is a click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(clicked.count(), 3);

    // Space ticks the cursor item.
    QSignalSpy ticks(&list, &TCheckListBox::TickChanged);
    QTest::keyClick(&list, Qt::Key_Space);
    ASSERT_EQ(ticks.count(), 1);
    EXPECT_EQ(ticks[0][0].toInt(), 2);
    EXPECT_TRUE(ticks[0][1].toBool());
}

TEST(CheckListBox, ItemsHaveTheirFixedHeight) {
    TCheckListBox list;
    list.AddItem("[#001] Expand from right");
    list.show();
    EXPECT_EQ(list.visualItemRect(list.item(0)).height(), TCheckListBox::ItemHeight);
}

// --- Radio groups ---

TEST(RadioGroup, ItemIndexChoosesOneItemOrNone) {
    TRadioGroup group;
    group.resize(165, 60);
    group.SetItems({"Sequentially", "Randomly"});
    EXPECT_EQ(group.ItemIndex(), -1);
    group.setProperty("ItemIndex", 1);
    EXPECT_TRUE(group.Button(1)->isChecked());
    QTest::mouseClick(group.Button(0), Qt::LeftButton);
    EXPECT_EQ(group.property("ItemIndex").toInt(), 0);
    group.SetItemIndex(-1);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_FALSE(group.Button(0)->isChecked());
    EXPECT_FALSE(group.Button(1)->isChecked());
}

// --- Link labels ---

void Enter(QWidget& widget) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&widget, &enter);
}

void Leave(QWidget& widget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
}

TEST(NyLinkLabel, StartsAsALinkAndShowsTheActiveColourWhileTheMouseIsOver) {
    TNyLinkLabel label;
    EXPECT_EQ(label.FontColor(), 0xFF0000u);
    EXPECT_EQ(label.ActiveFontColor(), 0x0000FFu);
    EXPECT_TRUE(label.font().underline());
    EXPECT_FALSE(label.font().bold());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(label.URL().isEmpty());

    Enter(label);
    EXPECT_EQ(label.FontColor(), 0x0000FFu);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    Leave(label);
    EXPECT_EQ(label.FontColor(), 0xFF0000u);

    // A colour the program set while the mouse was away is the one that comes back.
    label.SetFontColor(0x008000);
    Enter(label);
    EXPECT_EQ(label.FontColor(), 0x0000FFu);
    Leave(label);
    EXPECT_EQ(label.FontColor(), 0x008000u);

    // A new active colour takes effect at the next entry.
    Enter(label);
    label.SetActiveFontColor(0x00FFFF);
    EXPECT_EQ(label.FontColor(), 0x0000FFu);
    Leave(label);
    Enter(label);
    EXPECT_EQ(label.FontColor(), 0x00FFFFu);
}

TEST(NyLinkLabel, AClickOpensTheAddressUnlessItIsBlank) {
    TOpenedUrls opened;
    TNyLinkLabel label;
    label.setText("link");
    label.resize(100, 19);
    QSignalSpy clicked(&label, &TNyLinkLabel::Clicked);

    label.SetURL("   ");
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_TRUE(opened.Urls.empty());

    label.SetURL(" https://www.lantrel.example/");
    label.setProperty("URL", label.URL());
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 2);
    ASSERT_EQ(opened.Urls.size(), 1u);
    EXPECT_EQ(opened.Urls[0], QUrl("https://www.lantrel.example/"));
}

}  // namespace
}  // namespace corvane

#include "ControlsTest.moc"
