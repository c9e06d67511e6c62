#include "ui/accessible_controls.h"

#include "ui/link_area.h"
#include "ui/progress_strip.h"
#include "ui/simple_combo.h"

#include <QAccessibleWidget>

namespace tolvane {
namespace {

class LinkAreaAccessible : public QAccessibleWidget {
public:
    explicit LinkAreaAccessible(LinkArea* area) : QAccessibleWidget(area, QAccessible::Link) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            static_cast<LinkArea*>(widget())->follow();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

class SimpleComboAccessible : public QAccessibleWidget {
public:
    explicit SimpleComboAccessible(SimpleCombo* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return static_cast<const SimpleCombo*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

class ProgressStripAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressStripAccessible(ProgressStrip* strip)
        : QAccessibleWidget(strip, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(percent()) + u'%';
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return percent(); }
    // Only the request moves it.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    int percent() const { return static_cast<const ProgressStrip*>(widget())->percent(); }
};

QAccessibleInterface* formControls(const QString& className, QObject* object) {
    if (className == u"tolvane::LinkArea") {
        if (auto* area = qobject_cast<LinkArea*>(object))
            return new LinkAreaAccessible(area);
    } else if (className == u"tolvane::SimpleCombo") {
        if (auto* combo = qobject_cast<SimpleCombo*>(object))
            return new SimpleComboAccessible(combo);
    } else if (className == u"tolvane::ProgressStrip") {
        if (auto* strip = qobject_cast<ProgressStrip*>(object))
            return new ProgressStripAccessible(strip);
    }
    return nullptr;
}

}  // namespace

void installAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(&formControls);
        return true;
    }();
    (void)installed;
}

}  // namespace tolvane
