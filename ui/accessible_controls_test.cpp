#include "testing/accessibility.h"
#include "ui/form.h"
#include "ui/link_area.h"
#include "ui/progress_strip.h"
#include "ui/simple_combo.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace tolvane {
namespace {

// A window of the program's own controls, in the order they are made, and a button before
// them.
class ControlsForm : public Form {
public:
    ControlsForm() : Form(QStringLiteral("Controls")) {
        before = named(new QPushButton(QStringLiteral("לפני"), this), "before");
        link = named(new LinkArea(this), "link");
        link->setAccessibleName(QStringLiteral("צרו איתנו קשר"));
        combo = named(new SimpleCombo(this), "combo");
        combo->addItems({QStringLiteral("US Dollar"), QStringLiteral("Euro")});
        combo->setAccessibleNames(QStringLiteral("ממטבע"), QStringLiteral("המטבעות"));
        strip = named(new ProgressStrip(this), "strip");
        strip->setAccessibleName(QStringLiteral("התקדמות"));
        after = named(new QPushButton(QStringLiteral("אחרי"), this), "after");
        resize(300, 300);
        before->setGeometry(0, 0, 80, 20);
        link->setGeometry(0, 30, 80, 20);
        combo->setGeometry(100, 0, 150, 200);
        strip->setGeometry(0, 250, 200, 20);
        after->setGeometry(0, 280, 80, 20);
    }
    QPushButton* before;
    LinkArea* link;
    SimpleCombo* combo;
    ProgressStrip* strip;
    QPushButton* after;
};

TEST(AccessibleControlsTest, ALinkAreaIsALinkThatTheKeyboardAndAScreenReaderCanFollow) {
    ControlsForm form;
    QSignalSpy followed(form.link, &LinkArea::clicked);
    EXPECT_EQ(accessibleRole(form.link), QAccessible::Link);
    EXPECT_EQ(accessibleName(form.link), "צרו איתנו קשר");
    EXPECT_TRUE(accessibleState(form.link).linked);

    ASSERT_TRUE(doAccessibleAction(form.link, QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(followed.count(), 1);
    EXPECT_FALSE(doAccessibleAction(form.link, QAccessibleActionInterface::toggleAction()));

    // Tab reaches it; a click does not take the focus from where it was.
    EXPECT_EQ(form.link->focusPolicy(), Qt::TabFocus);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(form.link, key);
    EXPECT_EQ(followed.count(), 4);
    QTest::keyClick(form.link, Qt::Key_A);
    QTest::mouseClick(form.link, Qt::RightButton);
    EXPECT_EQ(followed.count(), 4);
}

TEST(AccessibleControlsTest, ASimpleComboIsAComboBoxWhoseValueIsItsTextAndOneStopForTab) {
    ControlsForm form;
    EXPECT_EQ(wrongRoles({{form.combo, QAccessible::ComboBox},
                          {form.combo->edit(), QAccessible::EditableText},
                          {form.combo->list(), QAccessible::List}}),
              std::vector<std::string>());
    // Whichever part the focus is in, the screen reader names it for the box.
    EXPECT_EQ(accessibleName(form.combo), "ממטבע");
    EXPECT_EQ(accessibleName(form.combo->edit()), "ממטבע");
    EXPECT_EQ(accessibleName(form.combo->list()), "המטבעות");

    form.combo->setCurrentRow(1);
    EXPECT_EQ(accessibleText(form.combo), "Euro");
    form.combo->edit()->setText(QStringLiteral("US"));
    EXPECT_EQ(accessibleText(form.combo), "US");

    // One stop for Tab, its text box, wherever it comes in the order given.
    Form::setTabOrder({form.after, form.combo, form.link, form.before});
    EXPECT_EQ(tabWalk(&form, form.after),
              controlNames({form.after, form.combo->edit(), form.link, form.before}));
}

TEST(AccessibleControlsTest, AProgressStripIsAProgressBarInPercent) {
    ControlsForm form;
    EXPECT_EQ(accessibleRole(form.strip), QAccessible::ProgressBar);
    QAccessibleValueInterface* value =
        QAccessible::queryAccessibleInterface(form.strip)->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->currentValue().toInt(), 0);
    form.strip->setPercent(45);
    EXPECT_EQ(value->currentValue().toInt(), 45);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    EXPECT_EQ(accessibleText(form.strip), "45%");
    // Only the request moves it.
    value->setCurrentValue(80);
    EXPECT_EQ(form.strip->percent(), 45);
}

}  // namespace
}  // namespace tolvane
