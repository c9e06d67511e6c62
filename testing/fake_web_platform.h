#pragma once

#include "platform/web_platform.h"
#include "platform/web_view.h"
#include "testing/fake_platform.h"

#include <QWidget>

#include <map>

namespace tolvane {

// A web view that loads nothing: it records what it is asked, and tests raise its events one
// by one and set the markup it reads.
class FakeWebView : public WebView {
public:
    FakeWebView(QWidget* parent, WebViewOptions options)
        : WebView(parent), options(std::move(options)), area(new QWidget(parent)) {}

    QWidget* widget() override { return area; }
    void Navigate(const QString& address) override { navigated.append(address); }
    bool GoBack() override {
        ++backs;
        return canGoBack;
    }
    bool GoForward() override {
        ++forwards;
        return canGoForward;
    }
    void GoHome() override { ++homes; }
    void Stop() override { ++stops; }
    DocumentMarkup documentMarkup() const override { return markup; }

    // The document as it reads after a load.
    void loads(const QString& text) { markup = DocumentMarkup::of(text); }

    WebViewOptions options;
    QWidget* area;
    QStringList navigated;
    DocumentMarkup markup = DocumentMarkup::unreadable(91, QStringLiteral("no document"));
    bool canGoBack = false;
    bool canGoForward = false;
    int backs = 0;
    int forwards = 0;
    int homes = 0;
    int stops = 0;
};

class FakeWebViews : public WebViews {
public:
    WebView* make(QWidget* parent, const WebViewOptions& options) override {
        auto* view = new FakeWebView(parent, options);
        made.push_back(view);
        return view;
    }
    std::vector<FakeWebView*> made;
};

// Private files in memory; writing or removing can be made to fail.
class FakePrivateFiles : public PrivateFiles {
public:
    Written write(const QString& name, const QByteArray& contents) override {
        ++writes;
        if (writeError != 0)
            return {false, {}, writeError, QStringLiteral("Permission denied")};
        files[name] = contents;
        return {true, QStringLiteral("/run/user/1000/tolvane/") + name, 0, {}};
    }
    bool remove(const QString& name) override {
        ++removals;
        return !removeLocked && files.erase(name) > 0;
    }

    std::map<QString, QByteArray> files;
    int writes = 0;
    int removals = 0;
    int writeError = 0;
    bool removeLocked = false;
};

// Every service a web window uses, faked.
struct FakeWebPlatform {
    FakeMessageBoxes messages;
    FakeProgramControl program;
    FakeRegistry registry;
    FakeWebViews views;
    FakePrivateFiles files;

    WebPlatform services() {
        return {.messages = messages,
                .program = program,
                .registry = registry,
                .views = views,
                .files = files,
                .title = QStringLiteral("Tolvane"),
                .site = MakerSite(QStringLiteral("site.test"))};
    }
};

}  // namespace tolvane
