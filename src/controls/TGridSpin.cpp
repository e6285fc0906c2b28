#include "controls/TGridSpin.h"

#include "core/Conversions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QProxyStyle>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace {

// Repetition of a held arrow: first after 400 ms, then every 100 ms, whatever
// the desktop style says.
class TStyleRepetition : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* retour) const override {
        if (hint == SH_SpinBox_ClickAutoRepeatThreshold) return 400;
        if (hint == SH_SpinBox_ClickAutoRepeatRate) return 100;
        return QProxyStyle::styleHint(hint, option, widget, retour);
    }
};

} // namespace

TGridSpin::TGridSpin(QWidget* parent) : QAbstractSpinBox(parent) {
    auto* style = new TStyleRepetition;
    style->setParent(this);
    setStyle(style);
    setFrame(false);
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

long long TGridSpin::Clamp(long long v) const {
    if (minValue_ != maxValue_) {
        if (v < minValue_)
            v = minValue_;
        else if (v > maxValue_)
            v = maxValue_;
    }
    // Without bounds (MinValue = MaxValue) a step may leave the 32-bit range:
    // it stops at its ends.
    return std::clamp<long long>(v, INT_MIN, INT_MAX);
}

int TGridSpin::Value() const {
    std::int32_t value = 0;
    if (Val(Text().toStdString(), value) != 0) return minValue_;
    return value;
}

void TGridSpin::SetValue(int v) {
    SetText(QString::number(Clamp(v)));
}

QString TGridSpin::Text() const {
    return lineEdit()->text();
}

void TGridSpin::SetText(const QString& text) {
    if (lineEdit()->text() == text) return;
    lineEdit()->setText(text);
}

void TGridSpin::Step(int direction, bool upDown) {
    const long long v =
        static_cast<long long>(Value()) + static_cast<long long>(direction) * increment_;
    SetText(QString::number(Clamp(v)));
    lineEdit()->selectAll();
    emit OnStep(Value(), upDown);
}

void TGridSpin::stepBy(int steps) {
    Step(steps, steps > 0);
}

bool TGridSpin::IsAllowedCharacter(QChar c) {
    if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-') return true;
    if (c.category() == QChar::Other_Control) return true;
    const QLocale locale = QLocale::system();
    return locale.decimalPoint().contains(c) || locale.groupSeparator().contains(c);
}

QValidator::State TGridSpin::validate(QString& input, int&) const {
    for (const QChar c : std::as_const(input))
        if (!IsAllowedCharacter(c)) return QValidator::Invalid;
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled TGridSpin::stepEnabled() const {
    // Always both: a step at a bound gives the bound again and still reports.
    return StepUpEnabled | StepDownEnabled;
}

void TGridSpin::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
        Step(1, false);
        event->accept();
        return;
    case Qt::Key_PageDown:
        Step(-1, false);
        event->accept();
        return;
    case Qt::Key_End:
        SetValue(minValue_);
        emit OnStep(Value(), false);
        event->accept();
        return;
    case Qt::Key_Home:
        SetValue(maxValue_);
        emit OnStep(Value(), false);
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Left to the grid: they move to another row.
        event->ignore();
        return;
    default:
        break;
    }
    const QString text = event->text();
    for (const QChar c : text) {
        if (!IsAllowedCharacter(c)) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void TGridSpin::wheelEvent(QWheelEvent* event) {
    event->ignore();
}
