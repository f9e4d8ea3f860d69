#include "dialog/ColorComboBox.h"

#include <QColorDialog>
#include <QEvent>
#include <QPainter>
#include <QPixmap>

#include <array>
#include <utility>

#include "dialog/Colors.h"

namespace corvane {

namespace {

struct TColorEntry {
    const char* Name;
    TColor Color;
};

constexpr std::array<TColorEntry, TColorComboBox::StandardColorCount> StandardColors{{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};

constexpr std::array<const char*, TColorComboBox::SystemColorCount> SystemColorNames{
    "ScrollBar",    "Background",     "ActiveCaption", "InactiveCaption", "Menu",
    "Window",       "WindowFrame",    "MenuText",      "WindowText",      "CaptionText",
    "ActiveBorder", "InactiveBorder", "AppWorkSpace",  "Highlight",       "HighlightText",
    "BtnFace",      "BtnShadow",      "GrayText",      "BtnText",         "InactiveCaptionText",
    "BtnHighlight", "3DDkShadow",     "3DLight",       "InfoText",        "InfoBk",
};

constexpr TColor SystemColorBase = 0xFF000000u;
constexpr int ColorRole = Qt::UserRole;

}  // namespace

TColorComboBox::TColorComboBox(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(22, 12));
    setMaxVisibleItems(16);
    for (const TColorEntry& entry : StandardColors)
        addItem(QString::fromLatin1(entry.Name), QVariant(uint(entry.Color)));
    for (int i = 0; i < SystemColorCount; ++i)
        addItem(QString::fromLatin1(SystemColorNames[size_t(i)]),
                QVariant(uint(SystemColorBase + uint32_t(i))));
    addItem(QStringLiteral("Custom"), QVariant(uint(clBlack)));
    UpdateSwatches();
    setCurrentIndex(0);
    connect(this, &QComboBox::currentIndexChanged, this, &TColorComboBox::Selected);
    connect(this, &QComboBox::activated, this, &TColorComboBox::Activated);
}

TColor TColorComboBox::ColorAt(int index) const {
    return TColor(itemData(index, ColorRole).toUInt());
}

TColor TColorComboBox::SelectedColor() const {
    return ColorAt(currentIndex());
}

void TColorComboBox::SetSelectedColor(TColor color) {
    int index = CustomIndex;
    for (int i = 0; i < CustomIndex && index == CustomIndex; ++i)
        if (ColorAt(i) == color) index = i;
    if (index == CustomIndex) SetCustomColor(color);
    setCurrentIndex(index);
    FJustMoved = false;
}

void TColorComboBox::SetCustomColor(TColor color) {
    if (ColorAt(CustomIndex) == color) return;
    setItemData(CustomIndex, QVariant(uint(color)), ColorRole);
    UpdateSwatches();
    if (currentIndex() == CustomIndex) Selected();
}

void TColorComboBox::Selected() {
    if (currentIndex() != FIndex) {
        FPreviousIndex = FIndex;
        FIndex = currentIndex();
        FJustMoved = true;
    }
    const TColor color = SelectedColor();
    if (color == FColor) return;
    FColor = color;
    emit Changed();
}

void TColorComboBox::Activated(int index) {
    const bool moved = std::exchange(FJustMoved, false);
    if (index != CustomIndex) return;
    // The user chose "Custom": the colour dialog, preset to the colour shown before.
    const int before = moved ? FPreviousIndex : CustomIndex;
    const QColor picked = QColorDialog::getColor(QColorOf(ColorAt(before), palette()), this);
    if (picked.isValid())
        SetCustomColor(TColorOf(picked));
    else if (before != CustomIndex)
        setCurrentIndex(before);  // nothing picked: the colour before stays
    FJustMoved = false;
}

void TColorComboBox::UpdateSwatches() {
    const QSize size = iconSize();
    for (int i = 0; i < count(); ++i) {
        QPixmap swatch(size);
        swatch.fill(QColorOf(ColorAt(i), palette()));
        QPainter painter(&swatch);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
        painter.end();
        setItemIcon(i, QIcon(swatch));
    }
}

void TColorComboBox::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    // System colours follow the desktop's palette.
    if (event->type() == QEvent::PaletteChange) UpdateSwatches();
}

}  // namespace corvane
