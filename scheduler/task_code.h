#pragma once

#include <QStringList>

#include <optional>

namespace tolvane {

// What makes a task run: the letter in the code's first field.
enum class Trigger {
    Time,       // "T", with a time value
    Date,       // "D", with a date value
    AtStart,    // "S"
    OnConnect,  // "C"
};

// What a task does: the letter after the trigger.
enum class Action {
    Program,     // "P", with a path
    WebSite,     // "W", with an address
    ShutDown,    // "S"
    Disconnect,  // "D"
    Connect,     // "C"
    Upgrade,     // "U"
};

// A task code read field by field. A letter outside the known sets reads as no trigger or no
// action at all, so such a task never runs.
struct TaskCode {
    std::optional<Trigger> trigger;
    QString triggerValue;  // the time or date text, for time and date tasks only
    std::optional<Action> action;
    QString actionValue;  // the path or address, for program and web site tasks only
};

// Field splitting: every field ends with "|"; text after the last "|" is no field.
QStringList splitTaskCode(const QString& code);

// The trigger takes one field, or two with a value; the action follows with its own value.
// Missing fields read as empty.
TaskCode readTaskCode(const QStringList& fields);

bool isOneShot(Trigger trigger);

}  // namespace tolvane
