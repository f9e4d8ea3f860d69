#pragma once
// A number box with up and down buttons that holds a whole number within MinValue..MaxValue.
//
// Its Value is a floating-point property, so that it is stored as a number in the settings file;
// it is always whole. Typing is free: the box shows what was typed, Value reads it brought into
// the range (clamped to the nearer bound), and empty or non-numeric text reads as MinValue. When
// the box loses the focus, its text becomes Value. The buttons, the arrow keys and values set by
// the program stop at the bounds. When MaxValue equals MinValue, the value is not limited.

#include <QAbstractSpinBox>

namespace corvane {

class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY Changed)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(double Increment READ Increment WRITE SetIncrement)

  public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    double Value() const;
    void SetValue(double value);
    // Value rounded to an integer, as the dialog reads it.
    int IntValue() const;

    double MinValue() const { return FMinValue; }
    void SetMinValue(double value);
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double value);
    double Increment() const { return FIncrement; }
    void SetIncrement(double value) { FIncrement = value; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

  signals:
    // The text changed: typed, or a new value set.
    void Changed();

  protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    double FMinValue = 0;
    double FMaxValue = 100;
    double FIncrement = 1;

    bool Limited() const { return FMaxValue != FMinValue; }
    double Checked(double value) const;
    void ShowValue(double value);
};

}  // namespace corvane
