#include "scheduler/task_code.h"

namespace tolvane {
namespace {

std::optional<Trigger> triggerOf(const QString& letter) {
    if (letter == u"T")
        return Trigger::Time;
    if (letter == u"D")
        return Trigger::Date;
    if (letter == u"S")
        return Trigger::AtStart;
    if (letter == u"C")
        return Trigger::OnConnect;
    return std::nullopt;
}

std::optional<Action> actionOf(const QString& letter) {
    if (letter == u"P")
        return Action::Program;
    if (letter == u"W")
        return Action::WebSite;
    if (letter == u"S")
        return Action::ShutDown;
    if (letter == u"D")
        return Action::Disconnect;
    if (letter == u"C")
        return Action::Connect;
    if (letter == u"U")
        return Action::Upgrade;
    return std::nullopt;
}

}  // namespace

QStringList splitTaskCode(const QString& code) {
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype end = code.indexOf(u'|'); end >= 0; end = code.indexOf(u'|', start)) {
        fields.append(code.sliced(start, end - start));
        start = end + 1;
    }
    return fields;
}

TaskCode readTaskCode(const QStringList& fields) {
    TaskCode code;
    code.trigger = triggerOf(fields.value(0));
    qsizetype next = 1;
    if (code.trigger == Trigger::Time || code.trigger == Trigger::Date)
        code.triggerValue = fields.value(next++);
    code.action = actionOf(fields.value(next++));
    if (code.action == Action::Program || code.action == Action::WebSite)
        code.actionValue = fields.value(next);
    return code;
}

bool isOneShot(Trigger trigger) {
    return trigger == Trigger::Time || trigger == Trigger::Date;
}

}  // namespace tolvane
