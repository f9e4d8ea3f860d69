#pragma once
// A group box holding one radio button per item, spread evenly over its area below the caption;
// at most one is chosen. ItemIndex is the chosen item, -1 when none is.

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <vector>

namespace corvane {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex NOTIFY Changed)

  public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    QStringList Items() const;
    void SetItems(const QStringList& items);
    int ItemIndex() const;
    // An index outside the items chooses none.
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const { return FButtons.at(size_t(index)); }

  signals:
    // The chosen item changed.
    void Changed();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QButtonGroup FGroup;
    std::vector<QRadioButton*> FButtons;

    void ArrangeButtons();
};

}  // namespace corvane
