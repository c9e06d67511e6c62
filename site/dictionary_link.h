#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace tolvane {

// The online dictionary the word translator is sent to: an address template in which "{word}"
// stands for the percent-encoded word. The translator shows only the top-left corner of the
// answer, so the default is the compact mobile page of a translation service from any language
// into Hebrew, whose first lines are the translation.
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
