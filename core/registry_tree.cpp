#include "core/registry_tree.h"

#include <QJsonDocument>
#include <QStringList>

namespace tolvane {
namespace {

QString rootName(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::LocalMachine:
            return QStringLiteral("HKEY_LOCAL_MACHINE");
    }
    return {};
}

QString withoutTrailingBackslash(const QString& path) {
    return path.endsWith(u'\\') ? path.chopped(1) : path;
}

// The spelling under which a key or value is already stored, or the asked-for one.
QString storedSpelling(const QJsonObject& object, const QString& wanted) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (RegistryTree::sameName(it.key(), wanted))
            return it.key();
    }
    return wanted;
}

}  // namespace

bool RegistryTree::sameKey(const QString& a, const QString& b) {
    return sameName(withoutTrailingBackslash(a), withoutTrailingBackslash(b));
}

bool RegistryTree::sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

RegistryTree RegistryTree::fromJson(const QByteArray& json) {
    RegistryTree tree;
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return tree;
    const QJsonObject roots = document.object();
    for (const auto& root : roots) {
        if (!root.isObject())
            return tree;
        for (const auto& key : root.toObject()) {
            if (!key.isObject())
                return tree;
        }
    }
    tree.roots_ = roots;
    return tree;
}

QByteArray RegistryTree::toJson() const {
    return QJsonDocument(roots_).toJson(QJsonDocument::Indented);
}

void RegistryTree::set(RegistryRoot root, const QString& path, const QString& name,
                       const QString& text) {
    const QString rootKey = rootName(root);
    QJsonObject keys = roots_.value(rootKey).toObject();

    // Creating a key creates every missing key above it. A part may be empty, the first one too
    // ("\\Key").
    const QStringList parts = withoutTrailingBackslash(path).split(u'\\');
    QString prefix;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        prefix = i == 0 ? parts.at(i) : prefix + u'\\' + parts.at(i);
        const QString spelling = storedSpelling(keys, prefix);
        if (!keys.contains(spelling))
            keys.insert(spelling, QJsonObject{});
    }

    const QString keyName = storedSpelling(keys, prefix);
    QJsonObject values = keys.value(keyName).toObject();
    values.insert(storedSpelling(values, name), text);
    keys.insert(keyName, values);
    roots_.insert(rootKey, keys);
}

std::optional<QString> RegistryTree::get(RegistryRoot root, const QString& path,
                                         const QString& name) const {
    const QJsonObject keys = roots_.value(rootName(root)).toObject();
    const QString keyName = storedSpelling(keys, withoutTrailingBackslash(path));
    if (!keys.contains(keyName))
        return std::nullopt;
    const QJsonObject values = keys.value(keyName).toObject();
    const QJsonValue value = values.value(storedSpelling(values, name));
    if (!value.isString())
        return std::nullopt;
    // Another writer may have stored a terminating NUL, or text after one.
    QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

bool RegistryTree::remove(RegistryRoot root, const QString& path, const QString& name) {
    const QString rootKey = rootName(root);
    QJsonObject keys = roots_.value(rootKey).toObject();
    const QString keyName = storedSpelling(keys, withoutTrailingBackslash(path));
    if (!keys.contains(keyName))
        return false;
    QJsonObject values = keys.value(keyName).toObject();
    const QString valueName = storedSpelling(values, name);
    if (!values.contains(valueName))
        return false;
    values.remove(valueName);
    keys.insert(keyName, values);
    roots_.insert(rootKey, keys);
    return true;
}

bool RegistryTree::hasKey(RegistryRoot root, const QString& path) const {
    const QJsonObject keys = roots_.value(rootName(root)).toObject();
    return keys.contains(storedSpelling(keys, withoutTrailingBackslash(path)));
}

}  // namespace tolvane
