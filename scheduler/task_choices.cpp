#include "scheduler/task_choices.h"

namespace tolvane {
namespace {

using namespace Qt::Literals::StringLiterals;

// A half of a task: its fields and what the user sees of it.
struct CodePart {
    QString code;
    QString text;
};

// A line break in a value would split its task over more lines of the file and shift every
// task after it; the boxes hold one line each, so a pasted break is dropped.
QString oneLine(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

CodePart triggerPart(const TaskChoices& choices) {
    switch (choices.trigger) {
        case Trigger::Time: {
            const QString time = oneLine(choices.time);
            return {u"T|"_s + time + u'|', u"בשעה: "_s + time};
        }
        case Trigger::Date: {
            const QString date = oneLine(choices.date);
            return {u"D|"_s + date + u'|', u"בתאריך: "_s + date};
        }
        case Trigger::AtStart:
            return {QStringLiteral("S|"), QStringLiteral("בפעלת התוכנה")};
        case Trigger::OnConnect:
            return {QStringLiteral("C|"), QStringLiteral("בהתחברות לאינטרנט")};
    }
    return {};
}

CodePart actionPart(const TaskChoices& choices) {
    switch (choices.action) {
        case Action::Program: {
            const QString program = oneLine(choices.program);
            return {u"P|"_s + program + u'|', u"הפעל תוכנה: "_s + program};
        }
        case Action::WebSite: {
            const QString site = oneLine(choices.site);
            return {u"W|"_s + site + u'|', u"פתח אתר : "_s + site};
        }
        case Action::ShutDown:
            return {QStringLiteral("S|"), QStringLiteral("כיבוי מחשב")};
        case Action::Disconnect:
            return {QStringLiteral("D|"), QStringLiteral("ניתוק מהאינטרנט")};
        case Action::Connect:
            return {QStringLiteral("C|"), QStringLiteral("חיבור לאינטרנט")};
        case Action::Upgrade:
            return {QStringLiteral("U|"), QStringLiteral("שדרוג תוכנת 'Tolvane'")};
    }
    return {};
}

}  // namespace

QString dialogTimeText(QTime time) {
    return QString::number(time.hour()) + u':' + QString::number(time.minute());
}

TaskEntry buildTaskEntry(const TaskChoices& choices) {
    const CodePart trigger = triggerPart(choices);
    const CodePart action = actionPart(choices);
    return {trigger.text, action.text, trigger.code + action.code};
}

void applyTaskCode(TaskChoices& choices, const TaskCode& code) {
    if (code.trigger) {
        choices.trigger = *code.trigger;
        if (code.trigger == Trigger::Time)
            choices.time = code.triggerValue;
        else if (code.trigger == Trigger::Date)
            choices.date = code.triggerValue;
    }
    if (code.action) {
        choices.action = *code.action;
        if (code.action == Action::Program)
            choices.program = code.actionValue;
        else if (code.action == Action::WebSite)
            choices.site = code.actionValue;
    }
}

void placeTaskEntry(TaskColumns& tasks, qsizetype stat, const TaskEntry& entry) {
    if (stat >= 1 && stat <= tasks.size())
        tasks.replace(stat - 1, entry);
    else
        tasks.append(entry);
}

}  // namespace tolvane
