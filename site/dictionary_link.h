#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace tolvane {

// The online English-Hebrew dictionary the word translator is sent to: an address template in
// which "{word}" stands for the percent-encoded word.
class DictionaryLink {
public:
    static QString defaultTemplate();
    // An http or https address holding "{word}"; anything else is replaced by the default.
    explicit DictionaryLink(const QString& urlTemplate);

    QString urlTemplate() const { return template_; }
    // The page for the word (blanks around it dropped); the dictionary's front page for none.
    QByteArray addressFor(QStringView word) const;

private:
    QString template_;
};

}  // namespace tolvane
