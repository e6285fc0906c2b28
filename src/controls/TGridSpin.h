#pragma once
// The curve table's in-cell spin editor: a one-line field holding an integer,
// with two arrow buttons. The grid owns one and reuses it for every opening;
// its owner sets MinValue and MaxValue before the grid loads a cell's value.
//
// The bounds apply to the arrow and key steps and to SetValue; text typed by
// the user is kept as typed (a cell may receive 250 with a maximum of 200).
// Typed characters are limited to digits, '+', '-', the locale's decimal and
// group separators and control characters; anything else beeps.
//
// Steps: the up (down) arrow adds (subtracts) Increment, repeating while held,
// first after 400 ms, then every 100 ms; Page Up / Page Down step by Increment;
// End sets MinValue and Home sets MaxValue. Each step emits OnStep, UpDown true
// only for the up arrow. The mouse wheel does not step (it scrolls the grid).
#include <QAbstractSpinBox>

class TGridSpin : public QAbstractSpinBox {
    Q_OBJECT
public:
    // MinValue 0, MaxValue 100, Increment 1, empty text.
    explicit TGridSpin(QWidget* parent = nullptr);

    // The bounds take effect at the next step or SetValue; the text stays.
    int MinValue() const { return minValue_; }
    void SetMinValue(int v) { minValue_ = v; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int v) { maxValue_ = v; }
    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v; }

    // The integer read from the text; a text that is not an integer counts as
    // MinValue.
    int Value() const;
    // Clamps v (below MinValue gives MinValue, else above MaxValue gives
    // MaxValue; no clamping when the two are equal) and shows it in decimal.
    void SetValue(int v);
    // The field's text as it stands (typed text is not clamped).
    QString Text() const;
    void SetText(const QString& text);

    // One step of `direction` Increments from Value(), clamped, then OnStep.
    void Step(int direction, bool upDown);
    // The arrow buttons (and their repetition) come through here.
    void stepBy(int steps) override;

    // Whether the user may type this character into the field.
    static bool IsAllowedCharacter(QChar c);

signals:
    // After each step: the new value; true for the up arrow only.
    void OnStep(int value, bool upDown);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    long long Clamp(long long v) const;

    int minValue_ = 0;
    int maxValue_ = 100;
    int increment_ = 1;
};
