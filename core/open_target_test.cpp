#include "core/open_target.h"

#include <gtest/gtest.h>

#include <map>

namespace tolvane {
namespace {

using Kind = OpenAction::Kind;

class OpenTargetTest : public testing::Test {
protected:
    OpenAction resolve(const QString& target) {
        return resolveOpenTarget(target, [this](const QString& path) {
            probed.append(path);
            const auto it = files.find(path);
            return it == files.end() ? PathFacts{} : it->second;
        });
    }

    std::map<QString, PathFacts> files{
        {"/usr/bin/gedit", {true, false, true}},
        {"/home/u/My Documents/מכתב.odt", {true, false, false}},
        {"/home/u/bin", {true, true, true}},
        {"notes.txt", {true, false, false}},
    };
    QStringList probed;
};

TEST_F(OpenTargetTest, AnEmptyTargetOpensNothing) {
    EXPECT_EQ(resolve("").kind, Kind::Nothing);
    EXPECT_TRUE(probed.isEmpty());
}

TEST_F(OpenTargetTest, LocalFilesStartOrOpenAsTheyAre) {
    EXPECT_EQ(resolve("/usr/bin/gedit"), (OpenAction{Kind::Start, "/usr/bin/gedit", {}}));
    EXPECT_EQ(resolve("/home/u/My Documents/מכתב.odt"),
              (OpenAction{Kind::OpenFile, "/home/u/My Documents/מכתב.odt", {}}));
    // A folder opens in the file manager even though it can be entered.
    EXPECT_EQ(resolve("/home/u/bin").kind, Kind::OpenFile);
    // The path is passed on unchanged, spaces and all, without added quotes.
    EXPECT_EQ(probed.at(1), "/home/u/My Documents/מכתב.odt");
    // An existing file whose name looks like a host is still the file.
    EXPECT_EQ(resolve("notes.txt").kind, Kind::OpenFile);
}

TEST_F(OpenTargetTest, WindowsStyleAddressesOpenAsWebAddresses) {
    EXPECT_EQ(resolve("http:\\\\www.example.co.il").url, QUrl("http://www.example.co.il"));
    EXPECT_EQ(resolve("http:\\\\www.example.co.il\\cp\\a.html").url,
              QUrl("http://www.example.co.il/cp/a.html"));
    EXPECT_EQ(resolve("www.example.co.il/cp/support.html").url,
              QUrl("http://www.example.co.il/cp/support.html"));
    EXPECT_EQ(resolve("localhost.test:8080/x").url, QUrl("http://localhost.test:8080/x"));
    EXPECT_EQ(resolve("https://example.com/a b").kind, Kind::OpenUrl);
    EXPECT_EQ(resolve("mailto:someone@example.com").url, QUrl("mailto:someone@example.com"));
}

TEST_F(OpenTargetTest, WhatIsNeitherAFileNorAnAddressOpensNothing) {
    EXPECT_EQ(resolve("C:\\Mail.exe").kind, Kind::Nothing);
    EXPECT_EQ(resolve("/no/such/program").kind, Kind::Nothing);
    EXPECT_EQ(resolve("just words").kind, Kind::Nothing);
    EXPECT_EQ(resolve("rm -rf ~; echo").kind, Kind::Nothing);
}

TEST(NavigationUrlTest, AddressesReadAsTheOldBrowserControlReadThem) {
    EXPECT_EQ(navigationUrl("http:\\\\127.0.0.1:52731"), QUrl("http://127.0.0.1:52731"));
    EXPECT_EQ(navigationUrl("http:\\\\www.example.co.il\\cp\\a.html"),
              QUrl("http://www.example.co.il/cp/a.html"));
    EXPECT_EQ(navigationUrl("www.example.co.il"), QUrl("http://www.example.co.il"));
    EXPECT_EQ(navigationUrl("127.0.0.1:8080/x"), QUrl("http://127.0.0.1:8080/x"));
    EXPECT_EQ(navigationUrl("/run/user/1000/tolvane/Currencies.htm"),
              QUrl("file:///run/user/1000/tolvane/Currencies.htm"));
    EXPECT_EQ(navigationUrl("about:blank"), QUrl("about:blank"));
    EXPECT_EQ(navigationUrl("https://example.com/a?q=1"), QUrl("https://example.com/a?q=1"));
    EXPECT_EQ(navigationUrl("  "), QUrl("about:blank"));
}

}  // namespace
}  // namespace tolvane
