#include "calculator/mouse_label.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace tolvane {
namespace {

// A key is a button; a box is a read-only text that a screen reader reads on, whatever its
// name says.
class MouseLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit MouseLabelAccessible(MouseLabel* label)
        : QAccessibleWidget(label, label->kind() == MouseLabel::Kind::Key
                                       ? QAccessible::Button
                                       : QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface && label()->kind() == MouseLabel::Kind::Box)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (label()->kind() == MouseLabel::Kind::Box)
            state.readOnly = true;
        return state;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && label()->kind() == MouseLabel::Kind::Key)
            return label()->text();
        if (t == QAccessible::Value && label()->kind() == MouseLabel::Kind::Box)
            return label()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return label()->accessibleActions(); }
    void doAction(const QString& actionName) override {
        if (label()->accessibleActions().contains(actionName))
            label()->press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The text interface: the whole text, never selected, with no caret in it.
    QString text(int startOffset, int endOffset) const override {
        return label()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(label()->text().size()); }
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    MouseLabel* label() const { return static_cast<MouseLabel*>(widget()); }
};

QAccessibleInterface* mouseLabels(const QString& className, QObject* object) {
    if (className == u"tolvane::MouseLabel") {
        if (auto* label = qobject_cast<MouseLabel*>(object))
            return new MouseLabelAccessible(label);
    }
    return nullptr;
}

}  // namespace

MouseLabel::MouseLabel(Kind kind, QWidget* parent)
    : QLabel(parent), kind_(kind), action_(QAccessibleActionInterface::pressAction()) {
    static const bool installed = [] {
        QAccessible::installFactory(&mouseLabels);
        return true;
    }();
    (void)installed;
}

void MouseLabel::showText(const QString& text) {
    if (text == this->text())
        return;
    const QString old = this->text();
    setText(text);
    QAccessibleTextUpdateEvent event(this, 0, old, text);
    QAccessible::updateAccessibility(&event);
}

void MouseLabel::setAccessibleAction(const QString& name, bool whileShowing) {
    action_ = name;
    actionWhileShowing_ = whileShowing;
}

QStringList MouseLabel::accessibleActions() const {
    if (action_.isEmpty() || (actionWhileShowing_ && text().isEmpty()))
        return {};
    return {action_};
}

void MouseLabel::press() {
    emit mouseDown(Qt::LeftButton);
    emit mouseUp(Qt::LeftButton);
    emit clicked();
}

void MouseLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown(event->button());
}

void MouseLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit mouseUp(event->button());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace tolvane
