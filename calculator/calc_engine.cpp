#include "calculator/calc_engine.h"

#include "calculator/calc_keys.h"
#include "calculator/calc_number.h"

#include <cmath>
#include <optional>

namespace tolvane {
namespace {

// Longer displays take no more typed characters; results and pasted numbers may be longer.
constexpr qsizetype kLongestTypedDisplay = 11;

// The result of left op right, or none when it cannot be had: an operand that is no number
// ("+" reads those as 0), a division by zero, a result too large for a double.
std::optional<double> compute(QStringView op, QStringView left, QStringView right) {
    double result = 0;
    if (op == u"+") {
        result = readNumberLeniently(left) + readNumberLeniently(right);
    } else {
        const std::optional<double> a = readNumberStrictly(left);
        const std::optional<double> b = readNumberStrictly(right);
        if (!a || !b)
            return std::nullopt;
        if (op == u"-") {
            result = *a - *b;
        } else if (op == u"*") {
            result = *a * *b;
        } else if (op == u"/" && *b != 0) {
            result = *a / *b;
        } else {
            return std::nullopt;
        }
    }
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

const CalcKey* keyAt(int keyIndex) {
    if (keyIndex < 0 || keyIndex >= static_cast<int>(kCalcKeys.size()))
        return nullptr;
    return &kCalcKeys[static_cast<std::size_t>(keyIndex)];
}

}  // namespace

void CalcEngine::Score() {
    if (secretMake_.isEmpty())
        return;
    // A result that would not read back is no result: it could not be computed with.
    if (const std::optional<double> result = compute(secretMake_, last_, label2_)) {
        if (const std::optional<QString> shown = writeReadableNumber(*result))
            label2_ = *shown;
    }
    secretMake_.clear();
    last_.clear();
    // A typed ".5" that no result replaced.
    if (label2_.startsWith(u'.'))
        label2_.prepend(u'0');
}

void CalcEngine::Pasting(QStringView text) {
    // A number copied from Hebrew text often brings the marks that keep it in its place.
    QString bare = text.toString();
    bare.remove(u'\u200E').remove(u'\u200F').remove(u'\u061C');
    // Written as the calculator writes its results: rounded, blanks and a "+" gone.
    const std::optional<double> value = readNumberStrictly(bare);
    if (!value)
        return;
    const std::optional<QString> number = writeReadableNumber(*value);
    if (!number)
        return;
    if (make_.isEmpty())
        label2_ = *number;
    else
        handOver(*number);
}

void CalcEngine::enterDigit(QStringView digit) {
    if (!make_.isEmpty()) {
        handOver(digit.toString());
        return;
    }
    if (label2_.size() >= kLongestTypedDisplay)
        return;
    label2_ += digit;
}

void CalcEngine::enterPointFromKeyboard() {
    // While an operator waits, the display still shows the first operand: its point does not
    // keep the second operand from starting with one.
    if (make_.isEmpty() && label2_.contains(u'.'))
        return;
    enterDigit(u".");
}

void CalcEngine::enterPointFromClick() {
    if (!label2_.contains(u'.'))
        label2_ += u'.';
}

void CalcEngine::enterOperator(QStringView op) {
    Score();
    make_ = op.toString();
}

void CalcEngine::clearAll() {
    last_.clear();
    label2_.clear();
    secretMake_.clear();
    make_.clear();
}

void CalcEngine::clearEntry() {
    label2_.clear();
}

void CalcEngine::recallLast() {
    label2_ = last_;
    last_.clear();
    secretMake_.clear();
}

void CalcEngine::backspace() {
    label2_.chop(1);
}

void CalcEngine::typeKey(int keyIndex) {
    pressKey(keyIndex, KeySource::Keyboard);
}

void CalcEngine::clickKey(int keyIndex) {
    pressKey(keyIndex, KeySource::Mouse);
}

void CalcEngine::pressKey(int keyIndex, KeySource source) {
    const CalcKey* key = keyAt(keyIndex);
    if (key == nullptr)
        return;
    switch (key->role) {
        case KeyRole::Digit:
            enterDigit(key->caption);
            break;
        case KeyRole::Point:
            if (source == KeySource::Keyboard)
                enterPointFromKeyboard();
            else
                enterPointFromClick();
            break;
        case KeyRole::Operator:
            enterOperator(key->caption);
            break;
        case KeyRole::Equals:
            Score();
            break;
        case KeyRole::Clear:
            // No key code presses it.
            if (source == KeySource::Mouse)
                clearAll();
            break;
        // The window's own business.
        case KeyRole::Copy:
        case KeyRole::Paste:
        case KeyRole::Exit:
            break;
    }
}

bool CalcEngine::menuOpens(OperatorMenu menu) const {
    return !(menu == OperatorMenu::Op ? make_ : secretMake_).isEmpty();
}

void CalcEngine::chooseMenuItem(OperatorMenu menu, const OperatorMenuItem& item) {
    // Chosen from a menu opened while its label still showed an operator, an item has nothing
    // to correct once that label has emptied.
    if (menuOpens(menu))
        (menu == OperatorMenu::Op ? make_ : secretMake_) = item.sets.toString();
}

void CalcEngine::handOver(const QString& text) {
    last_ = label2_;
    secretMake_ = make_;
    make_.clear();
    label2_ = text;
}

}  // namespace tolvane
