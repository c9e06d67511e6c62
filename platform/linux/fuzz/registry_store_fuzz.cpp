// The registry store's file as it may be found on disk, damaged or written by hand. Every value
// the store reads must read the same after it writes the file back, and a value saved into it
// must read back while leaving every other value as it was.
#include "core/registry_paths.h"
#include "core/registry_tree.h"
#include "platform/linux/file_registry_store.h"
#include "testing/fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace {

using tolvane::fuzzCheck;
using tolvane::RegistryTree;

constexpr auto kRoot = tolvane::RegistryRoot::LocalMachine;
constexpr qsizetype kMostValues = 16;
constexpr qsizetype kLongestText = 256;
constexpr std::size_t kStoreReads = 2;
// Saving makes every key above the saved one, each looked up by name among all the file's keys,
// so a key of hundreds of parts took seconds an input. The program's own keys have a handful of
// parts; a key from the file is saved under only up to this many.
constexpr qsizetype kDeepestSavedKey = 16;

struct ValueName {
    QString key;
    QString name;
};

// The values of the machine root as the document spells them, whether or not they are strings.
std::vector<ValueName> valuesIn(const QByteArray& json) {
    std::vector<ValueName> values;
    const QJsonObject keys = QJsonDocument::fromJson(json)
                                 .object()
                                 .value(QStringLiteral("HKEY_LOCAL_MACHINE"))
                                 .toObject();
    for (auto key = keys.begin(); key != keys.end(); ++key) {
        const QJsonObject names = key.value().toObject();
        for (auto name = names.begin(); name != names.end(); ++name) {
            if (static_cast<qsizetype>(values.size()) == kMostValues)
                return values;
            values.push_back({key.key(), name.key()});
        }
    }
    return values;
}

std::vector<std::optional<QString>> read(const RegistryTree& tree,
                                         const std::vector<ValueName>& values) {
    std::vector<std::optional<QString>> texts;
    texts.reserve(values.size());
    for (const ValueName& value : values)
        texts.push_back(tree.get(kRoot, value.key, value.name));
    return texts;
}

bool sameValue(const ValueName& a, const ValueName& b) {
    return RegistryTree::sameKey(a.key, b.key) && RegistryTree::sameName(a.name, b.name);
}

void checkSave(RegistryTree tree, const std::vector<ValueName>& values, const ValueName& saved,
               const QString& text) {
    const auto before = read(tree, values);
    tree.set(kRoot, saved.key, saved.name, text);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    fuzzCheck(tree.get(kRoot, saved.key, saved.name) == (nul < 0 ? text : text.left(nul)),
              "a saved value reads back up to its first NUL");
    for (qsizetype bar = saved.key.indexOf(u'\\'); bar >= 0;
         bar = saved.key.indexOf(u'\\', bar + 1))
        fuzzCheck(tree.hasKey(kRoot, saved.key.left(bar)), "saving makes every key above");
    const auto after = read(tree, values);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!sameValue(values[i], saved))
            fuzzCheck(after[i] == before[i], "saving one value leaves the others alone");
    }
    const RegistryTree again = RegistryTree::fromJson(tree.toJson());
    fuzzCheck(again.get(kRoot, saved.key, saved.name) == tree.get(kRoot, saved.key, saved.name),
              "a saved value survives writing the file");
    fuzzCheck(tree.remove(kRoot, saved.key, saved.name), "a saved value can be deleted");
}

// The store's own file, rewritten for every input: in memory where there is a memory file
// system, so that the disk does not set the pace.
QString storePath() {
    static const QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                          ? QStringLiteral("/dev/shm/tolvane-fuzz-XXXXXX")
                                          : QDir::tempPath() +
                                                QStringLiteral("/tolvane-fuzz-XXXXXX"));
    return folder.filePath(QStringLiteral("registry.json"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const RegistryTree tree = RegistryTree::fromJson(bytes);
    const std::vector<ValueName> values = valuesIn(bytes);

    // What the store reads from the file is what the tree holds.
    {
        QFile file(storePath());
        fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                      file.write(bytes) == bytes.size(),
                  "the store's file can be written");
    }
    // The store reads the whole file for every value: a few are enough.
    tolvane::FileRegistryStore store(storePath());
    for (std::size_t i = 0; i < std::min<std::size_t>(values.size(), kStoreReads); ++i) {
        const ValueName& value = values[i];
        fuzzCheck(
            store.getstring(kRoot, value.key, value.name) == tree.get(kRoot, value.key, value.name),
            "the store reads its file as the tree does");
    }

    // Written back, the file reads the same, and writing it again changes nothing.
    const QByteArray written = tree.toJson();
    const RegistryTree reread = RegistryTree::fromJson(written);
    fuzzCheck(reread.toJson() == written, "a written file writes back unchanged");
    fuzzCheck(read(reread, values) == read(tree, values),
              "a file read and written back reads the same");

    // One of the program's own values, or one the file already has, saved with text from the
    // input; the input's size picks which.
    const QString text = QString::fromUtf8(bytes.left(kLongestText));
    switch (size % 3) {
        case 0:
            checkSave(tree, values, {tolvane::kVersionKey, QStringLiteral("TNFirst")}, text);
            break;
        case 1:
            checkSave(tree, values, {tolvane::kRunKey, tolvane::kRunValue}, text);
            break;
        default:
            if (!values.empty() && values.front().key.count(u'\\') < kDeepestSavedKey)
                checkSave(tree, values, values.front(), text);
    }
    return 0;
}
