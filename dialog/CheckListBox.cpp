#include "dialog/CheckListBox.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace corvane {

namespace {

// Items of a fixed height.
class TFixedHeightDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(TCheckListBox::ItemHeight);
        return size;
    }
};

// Counts a piece of user input for its duration.
class TInputScope {
  public:
    explicit TInputScope(int& depth) : FDepth(depth) { ++FDepth; }
    ~TInputScope() { --FDepth; }
    TInputScope(const TInputScope&) = delete;
    TInputScope& operator=(const TInputScope&) = delete;

  private:
    int& FDepth;
};

}  // namespace

TCheckListBox::TCheckListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new TFixedHeightDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QListWidget::itemChanged, this, &TCheckListBox::ItemChanged);
    connect(this, &QListWidget::currentRowChanged, this, &TCheckListBox::CursorMoved);
}

void TCheckListBox::AddItem(const QString& text) {
    auto* item = new QListWidgetItem(text);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
    FTicks.push_back(false);
    addItem(item);
}

bool TCheckListBox::Checked(int index) const {
    const QListWidgetItem* it = item(index);
    return it && it->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int index, bool checked) {
    if (QListWidgetItem* it = item(index)) it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool TCheckListBox::Selected(int index) const {
    const QListWidgetItem* it = item(index);
    return it && it->isSelected();
}

void TCheckListBox::SetSelected(int index, bool selected) {
    if (QListWidgetItem* it = item(index)) it->setSelected(selected);
}

void TCheckListBox::SetItemIndex(int index) {
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void TCheckListBox::ItemChanged(QListWidgetItem* changed) {
    const int index = row(changed);
    if (index < 0 || size_t(index) >= FTicks.size()) return;
    const bool checked = changed->checkState() == Qt::Checked;
    if (FTicks[size_t(index)] == checked) return;  // another attribute of the item changed
    FTicks[size_t(index)] = checked;
    FCheckedCount += checked ? 1 : -1;
    emit TickChanged(index, checked);
}

void TCheckListBox::CursorMoved() {
    if (FUserInput == 0) return;
    FClickedSincePress = true;
    emit Clicked();
}

void TCheckListBox::mousePressEvent(QMouseEvent* event) {
    TInputScope input(FUserInput);
    FClickedSincePress = false;
    QListWidget::mousePressEvent(event);
}

void TCheckListBox::mouseMoveEvent(QMouseEvent* event) {
    TInputScope input(FUserInput);
    QListWidget::mouseMoveEvent(event);
}

void TCheckListBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool onItem = itemAt(event->position().toPoint()) != nullptr;
    {
        TInputScope input(FUserInput);
        QListWidget::mouseReleaseEvent(event);
    }
    // A click on the item that already had the cursor moves nothing, yet it is a click.
    if (event->button() == Qt::LeftButton && onItem && !FClickedSincePress) emit Clicked();
    FClickedSincePress = true;
}

void TCheckListBox::keyPressEvent(QKeyEvent* event) {
    TInputScope input(FUserInput);
    QListWidget::keyPressEvent(event);
}

}  // namespace corvane
