#include "core/local_site_target.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

const QString kUsual = QStringLiteral("127.0.0.1:52731");

TEST(LocalSiteTarget, EveryFormTheProgramWritesNamesTheSite) {
    for (const char* target :
         {"http:\\\\127.0.0.1:52731", "127.0.0.1:52731/cp/support.html",
          "http://127.0.0.1:52731/cp/contact.html", "HTTP://127.0.0.1:52731?x=1"}) {
        EXPECT_TRUE(namesLocalSite(QString::fromLatin1(target), kUsual)) << target;
    }
}

TEST(LocalSiteTarget, OtherHostsAndLongerPortsAreNotTheSite) {
    for (const char* target : {"http://127.0.0.1:527310/", "http://127.0.0.1:5273/",
                               "http://example.org/127.0.0.1:52731x", "/usr/bin/tool", ""}) {
        EXPECT_FALSE(namesLocalSite(QString::fromLatin1(target), kUsual)) << target;
    }
    // Served from elsewhere, the program names no site of its own.
    EXPECT_FALSE(namesLocalSite(QStringLiteral("http://127.0.0.1:52731/"), QString()));
}

TEST(LocalSiteTarget, RetargetingMovesOnlyTheHost) {
    EXPECT_EQ(retargetLocalSite(QStringLiteral("http:\\\\127.0.0.1:52731"), kUsual,
                                QStringLiteral("127.0.0.1:40001")),
              "http:\\\\127.0.0.1:40001");
    EXPECT_EQ(retargetLocalSite(QStringLiteral("127.0.0.1:52731/cp/support.html"), kUsual,
                                QStringLiteral("127.0.0.1:40001")),
              "127.0.0.1:40001/cp/support.html");
    EXPECT_EQ(retargetLocalSite(QStringLiteral("http://example.org/"), kUsual,
                                QStringLiteral("127.0.0.1:40001")),
              "http://example.org/");
}

}  // namespace
}  // namespace tolvane
