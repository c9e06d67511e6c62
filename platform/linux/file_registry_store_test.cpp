#include "platform/linux/file_registry_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tolvane {
namespace {

constexpr auto kRoot = RegistryRoot::LocalMachine;
const QString kKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");

// For the life of the object, this thread loses the rights by which root ignores file
// permissions, so that permission failures can be tested when the tests run as root.
class WithoutPermissionOverrides {
public:
    WithoutPermissionOverrides() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        syscall(SYS_capset, &header_, reduced);
    }
    ~WithoutPermissionOverrides() { syscall(SYS_capset, &header_, saved_); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
};

class FileRegistryStoreTest : public testing::Test {
protected:
    QString storePath() const { return dir.filePath("tolvane/registry.json"); }
    void writeRaw(const QByteArray& bytes) {
        QDir().mkpath(dir.filePath("tolvane"));
        QFile file(storePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readRaw() const {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    FileRegistryStore store{storePath()};
};

TEST_F(FileRegistryStoreTest, ValuesReadBackAsWrittenAndMissingOnesReadAsNothing) {
    EXPECT_EQ(store.getstring(kRoot, kKey, "TNFirst"), std::nullopt);
    store.savestring(kRoot, kKey, "TNFirst", "1");
    store.savestring(kRoot, kKey, "Path", QStringLiteral("/בית/משתמש/tolvane"));
    EXPECT_EQ(store.getstring(kRoot, kKey, "TNFirst"), QStringLiteral("1"));
    EXPECT_EQ(store.getstring(kRoot, kKey, "Path"), QStringLiteral("/בית/משתמש/tolvane"));
    EXPECT_EQ(store.getstring(kRoot, kKey, "Other"), std::nullopt);
    EXPECT_EQ(store.getstring(kRoot, "SOFTWARE\\Nowhere", "TNFirst"), std::nullopt);

    store.savestring(kRoot, kKey, "TNFirst", "2");
    EXPECT_EQ(store.getstring(kRoot, kKey, "TNFirst"), QStringLiteral("2"));
}

TEST_F(FileRegistryStoreTest, AnEmptyValueExistsButCountsAsAbsent) {
    store.savestring(kRoot, kKey, "TNFlash", "");
    const auto value = store.getstring(kRoot, kKey, "TNFlash");
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(value->isEmpty());
    EXPECT_FALSE(isPresent(value));
    EXPECT_FALSE(isPresent(std::nullopt));
    EXPECT_TRUE(isPresent(QStringLiteral("1")));
}

TEST_F(FileRegistryStoreTest, OneTrailingBackslashAndLetterCaseNameTheSameKey) {
    store.savestring(kRoot, kKey, "TNFlash", "1");
    EXPECT_EQ(store.getstring(kRoot, kKey + "\\", "TNFlash"), QStringLiteral("1"));
    EXPECT_EQ(store.getstring(kRoot, kKey.toLower(), "tnflash"), QStringLiteral("1"));

    store.DeleteValue(kRoot, kKey + "\\", "TNFLASH");
    EXPECT_EQ(store.getstring(kRoot, kKey, "TNFlash"), std::nullopt);
}

TEST_F(FileRegistryStoreTest, SavingCreatesEveryMissingKeyAbove) {
    store.savestring(kRoot, kKey + "\\Run", "Tolvane", "/usr/bin/tolvane");
    RegistryTree tree = RegistryTree::fromJson(readRaw());
    for (const char* key : {"SOFTWARE", "SOFTWARE\\Microsoft", "SOFTWARE\\Microsoft\\Windows",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"})
        EXPECT_TRUE(tree.hasKey(kRoot, key)) << key;
}

TEST_F(FileRegistryStoreTest, KeysWithEmptyPartsReadBackWhatWasSavedUnderThem) {
    // A hand-edited file may name such keys; saving under them must not move the value.
    for (const QString& key : {QStringLiteral("\\Lead"), QStringLiteral("\\\\Two\\Lead"),
                               QStringLiteral("Mid\\\\Part"), QString()}) {
        store.savestring(kRoot, key, "Name", key + "!");
        EXPECT_EQ(store.getstring(kRoot, key, "Name"), key + "!") << key.toStdString();
    }
    EXPECT_EQ(store.getstring(kRoot, "Lead", "Name"), std::nullopt);
}

TEST_F(FileRegistryStoreTest, DeletingWhatIsAbsentIsSilentAndCreatesNothing) {
    store.DeleteValue(kRoot, kKey, "TNFlash");
    EXPECT_FALSE(QFile::exists(storePath()));

    store.savestring(kRoot, kKey, "TNFirst", "1");
    const QByteArray before = readRaw();
    store.DeleteValue(kRoot, kKey, "TNFlash");
    store.DeleteValue(kRoot, "SOFTWARE\\Nowhere\\Deeper", "TNFlash");
    EXPECT_EQ(readRaw(), before);
    EXPECT_FALSE(RegistryTree::fromJson(readRaw()).hasKey(kRoot, "SOFTWARE\\Nowhere"));
}

TEST_F(FileRegistryStoreTest, TextAfterANulIsNotPartOfTheValue) {
    writeRaw(R"({"HKEY_LOCAL_MACHINE": {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion":
             {"Ended": "1\u0000", "Embedded": "ab\u0000cd", "Number": 1}}})");
    EXPECT_EQ(store.getstring(kRoot, kKey, "Ended"), QStringLiteral("1"));
    EXPECT_EQ(store.getstring(kRoot, kKey, "Embedded"), QStringLiteral("ab"));
    // Only string values are read, as with any other registry type.
    EXPECT_EQ(store.getstring(kRoot, kKey, "Number"), std::nullopt);
}

TEST_F(FileRegistryStoreTest, ACorruptStoreReadsAsEmptyAndTheNextSaveStartsItAfresh) {
    for (const QByteArray& corrupt :
         {QByteArray("{\"HKEY_LOCAL_MACHINE\": {\"SOFT"), QByteArray("[1, 2]"),
          QByteArray("{\"a\": 5}"), QByteArray("\xff\xfe\x00garbage", 10)}) {
        writeRaw(corrupt);
        EXPECT_EQ(store.getstring(kRoot, kKey, "TNFirst"), std::nullopt);
    }
    store.savestring(kRoot, kKey, "TNFirst", "1");
    EXPECT_EQ(store.getstring(kRoot, kKey, "TNFirst"), QStringLiteral("1"));
}

TEST_F(FileRegistryStoreTest, AnUnwritableFolderChangesNothingAndReportsNothing) {
    store.savestring(kRoot, kKey, "TNFirst", "1");
    const QByteArray before = readRaw();
    QFile::setPermissions(dir.filePath("tolvane"), QFile::ReadOwner | QFile::ExeOwner);
    {
        WithoutPermissionOverrides asAnOrdinaryUser;
        if (QFile(dir.filePath("tolvane/probe")).open(QIODevice::WriteOnly))
            GTEST_SKIP() << "running with rights that ignore folder permissions";

        store.savestring(kRoot, kKey, "TNFlash", "1");
        store.DeleteValue(kRoot, kKey, "TNFirst");
        EXPECT_EQ(store.getstring(kRoot, kKey, "TNFirst"), QStringLiteral("1"));
        EXPECT_EQ(store.getstring(kRoot, kKey, "TNFlash"), std::nullopt);
    }
    EXPECT_EQ(readRaw(), before);
    QFile::setPermissions(dir.filePath("tolvane"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(FileRegistryStoreTest, AFolderThatCannotBeMadeLeavesTheStoreEmptyWithoutComplaint) {
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FileRegistryStore blocked(dir.filePath("blocker/tolvane/registry.json"));
    blocked.savestring(kRoot, kKey, "TNFirst", "1");
    blocked.DeleteValue(kRoot, kKey, "TNFirst");
    EXPECT_EQ(blocked.getstring(kRoot, kKey, "TNFirst"), std::nullopt);
}

TEST_F(FileRegistryStoreTest, WritesLeaveNoTemporaryFilesBehind) {
    for (int i = 0; i < 5; ++i)
        store.savestring(kRoot, kKey, QStringLiteral("V%1").arg(i), "x");
    EXPECT_EQ(QDir(dir.filePath("tolvane")).entryList(QDir::Files), QStringList{"registry.json"});
}

}  // namespace
}  // namespace tolvane
