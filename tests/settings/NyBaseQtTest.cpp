// The Qt side of the base services: a form's values through a real settings file, the
// confirmation box answered as a user does, and files and addresses handed to the desktop.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QUrl>

#include "TestFolders.h"
#include "settings/NyBaseQt.h"
#include "tests/support/QtTestSupport.h"

namespace corvane {

// An enumeration Qt has no names for, as a component may publish one.
enum class TLevel : uint8_t { Low, Middle, High };

// A component with the property kinds the built-in widgets lack: an unsigned colour, an
// enumeration without names, and a kind the settings file does not hold.
class TProbe : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint SelectedColor MEMBER FColor)
    Q_PROPERTY(corvane::TLevel Level MEMBER FLevel)
    Q_PROPERTY(QRect Area MEMBER FArea)

  public:
    using QWidget::QWidget;
    uint FColor = 0;
    TLevel FLevel = TLevel::Low;
    QRect FArea{1, 1, 1, 1};
};

// Receives the addresses the desktop is asked to open.
class TUrlCatcher : public QObject {
    Q_OBJECT

  public:
    std::vector<QUrl> Opened;

  public slots:
    void Open(const QUrl& url) { Opened.push_back(url); }
};

namespace {

using testing::TempFolder;
using testing::WriteFile;

// A form with one component of each kind, one of them inside a group box.
struct TTestForm {
    QWidget Form;
    QSpinBox* Spin;
    QDoubleSpinBox* Dbl;
    QCheckBox* Chk;
    QLineEdit* Edt;
    QComboBox* Cmb;
    TProbe* Probe;
    QSpinBox* Unsaved;

    TTestForm() {
        Form.setObjectName("frmTest");
        auto* group = new QGroupBox(&Form);
        Spin = Named(new QSpinBox(group), "spin");
        Spin->setRange(0, 100);
        Dbl = Named(new QDoubleSpinBox(&Form), "dbl");
        Chk = Named(new QCheckBox(&Form), "chk");
        Chk->setChecked(true);
        Edt = Named(new QLineEdit(&Form), "edt");
        Cmb = Named(new QComboBox(&Form), "cmb");
        Cmb->addItems({"a", "b", "c", "d"});
        Probe = Named(new TProbe(&Form), "probe");
        Unsaved = Named(new QSpinBox(&Form), "unsaved");
        Unsaved->setValue(9);
    }

    template <typename T>
    static T* Named(T* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    }
};

constexpr const char* StoredForm =
    "[frmTest]\n"
    "spin.value=7\n"
    "dbl.value=2.5\n"
    "CHK.Checked=0\n"
    "edt.text=hello world\n"
    "cmb.currentIndex=0x2\n"
    "probe.SelectedColor=-16777211\n"
    "probe.Level=2\n"
    "probe.Area=5\n"
    "nosuch.value=5\n"
    "plain=1\n"
    "\n";

TEST(FormStore, LoadsTheStoredValuesOfEachKindAndStoresThemBackThroughTheFile) {
    TempFolder folder;
    WriteFile(folder / "config.ini", StoredForm);
    TNyMemIniFile ini(folder / "config.ini");
    ini.SetAutoSave(false);
    TTestForm loaded;
    LoadForm(ini, loaded.Form);
    EXPECT_EQ(loaded.Spin->value(), 7);  // found inside the group box
    EXPECT_DOUBLE_EQ(loaded.Dbl->value(), 2.5);
    EXPECT_FALSE(loaded.Chk->isChecked());  // names match without regard to case
    EXPECT_EQ(loaded.Edt->text(), "hello world");
    EXPECT_EQ(loaded.Cmb->currentIndex(), 2);
    EXPECT_EQ(loaded.Probe->FColor, 0xFF000005u);  // the colour keeps its bit pattern
    EXPECT_EQ(loaded.Probe->FLevel, TLevel::High);
    EXPECT_EQ(loaded.Probe->FArea, QRect(1, 1, 1, 1));  // a kind the file does not hold
    EXPECT_EQ(loaded.Unsaved->value(), 9);              // no key, no load

    loaded.Spin->setValue(42);
    loaded.Dbl->setValue(0.25);
    loaded.Chk->setChecked(true);
    loaded.Edt->setText("changed");
    loaded.Cmb->setCurrentIndex(3);
    loaded.Probe->FColor = 0x00112233;
    loaded.Probe->FLevel = TLevel::Middle;
    loaded.Unsaved->setValue(11);
    SaveForm(ini, loaded.Form);
    ini.UpdateFile();

    const std::string text = testing::ReadFile(folder / "config.ini");
    for (const char* line :
         {"spin.value=42\n", "dbl.value=0.25\n", "CHK.Checked=1\n", "edt.text=changed\n",
          "cmb.currentIndex=3\n", "probe.SelectedColor=1122867\n", "probe.Level=1\n",
          "probe.Area=5\n", "nosuch.value=5\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("unsaved"), std::string::npos) << "SaveForm never adds a key";

    TNyMemIniFile reread(folder / "config.ini");
    reread.SetAutoSave(false);
    TTestForm again;
    LoadForm(reread, again.Form);
    EXPECT_EQ(again.Spin->value(), 42);
    EXPECT_DOUBLE_EQ(again.Dbl->value(), 0.25);
    EXPECT_TRUE(again.Chk->isChecked());
    EXPECT_EQ(again.Edt->text(), "changed");
    EXPECT_EQ(again.Cmb->currentIndex(), 3);
    EXPECT_EQ(again.Probe->FColor, 0x00112233u);
    EXPECT_EQ(again.Probe->FLevel, TLevel::Middle);
}

TEST(FormStore, AMissingSectionLoadsNothingAndStoresNothing) {
    TempFolder folder;
    WriteFile(folder / "config.ini", "[other]\nspin.value=7\n\n");
    TNyMemIniFile ini(folder / "config.ini");
    ini.SetAutoSave(false);
    const std::string before = ini.Text();
    TTestForm form;
    LoadForm(ini, form.Form);
    EXPECT_EQ(form.Spin->value(), 0);
    SaveForm(ini, form.Form);
    EXPECT_EQ(ini.Text(), before);
}

TEST(FormStore, APropertyTheComponentLacksStopsAtThatKeyWithItsName) {
    TempFolder folder;
    WriteFile(folder / "config.ini", "[frmTest]\nspin.value=3\nedt.Colour=1\nchk.checked=0\n\n");
    TNyMemIniFile ini(folder / "config.ini");
    ini.SetAutoSave(false);
    TTestForm form;
    try {
        LoadForm(ini, form.Form);
        ADD_FAILURE() << "no error";
    } catch (const EPropertyError& e) {
        EXPECT_STREQ(e.what(), "Property Colour does not exist");
    }
    EXPECT_EQ(form.Spin->value(), 3);    // before the bad key
    EXPECT_TRUE(form.Chk->isChecked());  // after it

    form.Spin->setValue(4);
    form.Chk->setChecked(true);
    EXPECT_THROW(SaveForm(ini, form.Form), EPropertyError);
    EXPECT_EQ(ini.ReadString("frmTest", "spin.value", ""), "4");
    EXPECT_EQ(ini.ReadString("frmTest", "chk.checked", ""), "0");
}

TEST(FormStore, PlacementAppliesOnlyPositiveSizesAndKnownWindowStates) {
    TempFolder folder;
    WriteFile(folder / "config.ini",
              "[frmTest]\nWidth=300\nHeight=0\nLeft=40\nTop=-5\nWindowState=7\n\n");
    TNyMemIniFile ini(folder / "config.ini");
    ini.SetAutoSave(false);
    TTestForm form;
    form.Form.setGeometry(10, 20, 100, 80);
    LoadForm(ini, form.Form, true);
    EXPECT_EQ(form.Form.width(), 300);
    EXPECT_EQ(form.Form.height(), 80);
    EXPECT_EQ(form.Form.x(), 40);
    EXPECT_EQ(form.Form.windowState(), Qt::WindowNoState);
    // Without placement the same keys are left alone.
    TTestForm other;
    other.Form.resize(100, 80);
    LoadForm(ini, other.Form);
    EXPECT_EQ(other.Form.width(), 100);
}

// --- The confirmation box ---

struct TBoxSeen {
    QString Title, Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
};

bool AskAndAnswer(const std::function<void(QMessageBox&)>& answer, TBoxSeen& seen) {
    test::AnswerNextModal([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                box->standardButton(box->defaultButton())};
        answer(*box);
    });
    return ConfirmBox("Are you sure?");
}

TEST(ConfirmBox, AsksWithOkAndCancelAndIsTrueOnlyForOk) {
    QGuiApplication::setApplicationDisplayName("Corvane Slideshow");
    TBoxSeen seen;
    EXPECT_TRUE(AskAndAnswer([](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }, seen));
    EXPECT_EQ(seen.Title, "Corvane Slideshow");
    EXPECT_EQ(seen.Text, "Are you sure?");
    EXPECT_EQ(seen.Icon, QMessageBox::Question);
    EXPECT_EQ(seen.Buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(seen.Default, QMessageBox::Cancel);

    EXPECT_FALSE(
        AskAndAnswer([](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); }, seen));
    // Enter takes the default button, Esc cancels.
    EXPECT_FALSE(
        AskAndAnswer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, seen));
    EXPECT_FALSE(
        AskAndAnswer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, seen));
}

// --- Opening files and addresses ---

TEST(ShellOpen, HandsAddressesAndFilesToTheDesktop) {
    TUrlCatcher catcher;
    for (const char* scheme : {"https", "file", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
    ShellOpen("https://www.lantrel.example/");
    ShellOpen(" https://www.lantrel.example/contact ");
    ShellOpen("/opt/corvane/readme.txt");
    ShellOpen("mailto:someone@lantrel.example");
    for (const char* scheme : {"https", "file", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);
    ASSERT_EQ(catcher.Opened.size(), 4u);
    EXPECT_EQ(catcher.Opened[0], QUrl("https://www.lantrel.example/"));
    EXPECT_EQ(catcher.Opened[1], QUrl("https://www.lantrel.example/contact"));
    EXPECT_EQ(catcher.Opened[2], QUrl::fromLocalFile("/opt/corvane/readme.txt"));
    EXPECT_EQ(catcher.Opened[3], QUrl("mailto:someone@lantrel.example"));
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "NyBaseQtTest.moc"
