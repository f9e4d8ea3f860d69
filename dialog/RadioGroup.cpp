#include "dialog/RadioGroup.h"

#include <QFontMetrics>

namespace corvane {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {
    connect(&FGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) emit Changed();
    });
}

QStringList TRadioGroup::Items() const {
    QStringList items;
    for (const QRadioButton* button : FButtons) items << button->text();
    return items;
}

void TRadioGroup::SetItems(const QStringList& items) {
    const int index = ItemIndex();
    for (QRadioButton* button : FButtons) delete button;
    FButtons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        FGroup.addButton(button, i);
        FButtons.push_back(button);
        button->show();
    }
    SetItemIndex(index);
    ArrangeButtons();
}

int TRadioGroup::ItemIndex() const {
    return FGroup.checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (index == ItemIndex()) return;
    if (index >= 0 && size_t(index) < FButtons.size()) {
        FButtons[size_t(index)]->setChecked(true);
        return;
    }
    // None chosen: an exclusive group never lets its last button go.
    FGroup.setExclusive(false);
    for (QRadioButton* button : FButtons) button->setChecked(false);
    FGroup.setExclusive(true);
    emit Changed();
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    // Each item gets an equal share of the height under the caption.
    const int top = fontMetrics().height();
    const int rows = int(FButtons.size());
    const int share = std::max(1, (height() - top - 4) / rows);
    for (int i = 0; i < rows; ++i)
        FButtons[size_t(i)]->setGeometry(8, top + i * share, width() - 16, share);
}

}  // namespace corvane
