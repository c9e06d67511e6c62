#include "core/maker_site.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Sets or clears an environment variable for one test, and puts it back after.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~EnvironmentValue() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(MakerSite, WithoutAHostOfItsOwnEveryAddressGoesToTheProgramsSite) {
    const EnvironmentValue site("TOLVANE_SITE_HOST", nullptr);
    const EnvironmentValue converter("TOLVANE_CONVERTER_HOST", nullptr);
    const EnvironmentValue dictionary("TOLVANE_DICTIONARY_HOST", nullptr);
    const MakerSite own = MakerSite::fromEnvironment(QStringLiteral("127.0.0.1:52731"));
    EXPECT_FALSE(MakerSite::servedElsewhere());
    EXPECT_EQ(own.homePage(), "http:\\\\127.0.0.1:52731");
    EXPECT_EQ(own.supportPage(), "127.0.0.1:52731/cp/support.html");
    EXPECT_EQ(own.converterAddress(), "http://127.0.0.1:52731/converter/classic");
    EXPECT_EQ(own.dictionaryAddress(), "http://127.0.0.1:52731/cgi-bin/trans.cgi");
}

TEST(MakerSite, EachServiceMayLiveOnAHostOfItsOwn) {
    const EnvironmentValue site("TOLVANE_SITE_HOST", "tolvane.example");
    const EnvironmentValue converter("TOLVANE_CONVERTER_HOST", "rates.example:8080");
    const EnvironmentValue dictionary("TOLVANE_DICTIONARY_HOST", nullptr);
    const MakerSite hosted = MakerSite::fromEnvironment(QStringLiteral("127.0.0.1:52731"));
    EXPECT_TRUE(MakerSite::servedElsewhere());
    EXPECT_EQ(hosted.contactPage(), "http://tolvane.example/cp/contact.html");
    EXPECT_EQ(hosted.converterAddress(), "http://rates.example:8080/converter/classic");
    EXPECT_EQ(hosted.dictionaryAddress(), "http://tolvane.example/cgi-bin/trans.cgi");
}

}  // namespace
}  // namespace tolvane
