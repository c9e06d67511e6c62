#include "testing/accessibility.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace tolvane {
namespace {

constexpr int kLongestWalk = 64;

QAccessibleInterface* interfaceOf(QObject* control) {
    return control ? QAccessible::queryAccessibleInterface(control) : nullptr;
}

bool insideListBox(const QWidget* control, const QWidget* window) {
    for (const QWidget* above = control->parentWidget(); above && above != window;
         above = above->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(above))
            return true;
    }
    return false;
}

bool isPanel(QAccessible::Role role) {
    return role == QAccessible::Client || role == QAccessible::Pane || role == QAccessible::Border;
}

}  // namespace

QAccessible::Role accessibleRole(QObject* control) {
    QAccessibleInterface* iface = interfaceOf(control);
    return iface ? iface->role() : QAccessible::NoRole;
}

QString accessibleName(QObject* control) {
    QAccessibleInterface* iface = interfaceOf(control);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QString accessibleDescription(QObject* control) {
    QAccessibleInterface* iface = interfaceOf(control);
    return iface ? iface->text(QAccessible::Description) : QString();
}

QAccessible::State accessibleState(QObject* control) {
    QAccessibleInterface* iface = interfaceOf(control);
    return iface ? iface->state() : QAccessible::State();
}

QString accessibleText(QObject* control) {
    QAccessibleInterface* iface = interfaceOf(control);
    if (!iface)
        return {};
    if (QAccessibleTextInterface* text = iface->textInterface())
        return text->text(0, text->characterCount());
    return iface->text(QAccessible::Value);
}

QStringList accessibleRows(QObject* list) {
    QStringList rows;
    if (QAccessibleInterface* iface = interfaceOf(list)) {
        for (int i = 0; i < iface->childCount(); ++i)
            rows.append(iface->child(i)->text(QAccessible::Name));
    }
    return rows;
}

QStringList accessibleActions(QObject* control) {
    QAccessibleInterface* iface = interfaceOf(control);
    QAccessibleActionInterface* actions = iface ? iface->actionInterface() : nullptr;
    return actions ? actions->actionNames() : QStringList();
}

bool doAccessibleAction(QObject* control, const QString& action) {
    QAccessibleInterface* iface = interfaceOf(control);
    QAccessibleActionInterface* actions = iface ? iface->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(action))
        return false;
    actions->doAction(action);
    return true;
}

std::string controlName(const QWidget* control) {
    if (!control)
        return "(none)";
    if (!control->objectName().isEmpty())
        return control->objectName().toStdString();
    const QString className =
        QString::fromLatin1(control->metaObject()->className()).section(QStringLiteral("::"), -1);
    return controlName(control->parentWidget()) + "/" + className.toStdString();
}

std::vector<std::string> unnamedControls(QWidget* window) {
    std::vector<std::string> unnamed;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window) || control->isWindow() || insideListBox(control, window))
            continue;
        const bool focusable = control->focusPolicy() != Qt::NoFocus && !control->focusProxy();
        if (!focusable && isPanel(accessibleRole(control)))
            continue;
        if (accessibleName(control).trimmed().isEmpty())
            unnamed.push_back(controlName(control));
    }
    return unnamed;
}

std::vector<std::string> wrongRoles(std::initializer_list<ExpectedRole> expected) {
    std::vector<std::string> wrong;
    for (const ExpectedRole& each : expected) {
        const QAccessible::Role role = accessibleRole(each.control);
        if (role != each.role) {
            wrong.push_back(controlName(qobject_cast<QWidget*>(each.control)) + " is role " +
                            std::to_string(role));
        }
    }
    return wrong;
}

std::vector<std::string> tabWalk(QWidget* window, QWidget* first) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {"(the window never became active)"};
    first->setFocus(Qt::TabFocusReason);
    QWidget* start = QApplication::focusWidget();
    std::vector<std::string> walk;
    QWidget* at = start;
    for (int step = 0; at && step < kLongestWalk; ++step) {
        walk.push_back(controlName(at));
        QTest::keyClick(at, Qt::Key_Tab);
        at = QApplication::focusWidget();
        if (at == start)
            break;
    }
    return walk;
}

std::vector<std::string> controlNames(std::initializer_list<const QWidget*> controls) {
    std::vector<std::string> names;
    for (const QWidget* control : controls)
        names.push_back(controlName(control));
    return names;
}

}  // namespace tolvane
