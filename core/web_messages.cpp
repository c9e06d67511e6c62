#include "core/web_messages.h"

#include <array>
#include <utility>

namespace tolvane {
namespace {

constexpr std::array<std::pair<WebWindow, const char*>, 3> kWindowNames{{
    {WebWindow::Curr, "Curr"},
    {WebWindow::Tran, "Tran"},
    {WebWindow::WebBrowser, "WebBrowser"},
}};

QByteArray windowName(WebWindow window) {
    for (const auto& [known, name] : kWindowNames) {
        if (known == window)
            return name;
    }
    return {};
}

std::optional<WebWindow> windowNamed(const QByteArray& name) {
    for (const auto& [window, known] : kWindowNames) {
        if (name == known)
            return window;
    }
    return std::nullopt;
}

// A host has no blanks; "-" stands for none.
bool isHostWord(const QByteArray& word) {
    return !word.isEmpty() && !word.contains(' ') && !word.contains('\t');
}

}  // namespace

QByteArray WebMessage::line() const {
    switch (kind) {
    case Kind::Show: {
        const QByteArray host = siteHost.toUtf8();
        return "show " + windowName(window) + ' ' + (isHostWord(host) ? host : "-") + '\n';
    }
    case Kind::Shown:
        return "shown " + windowName(window) + '\n';
    case Kind::Idle:
        return "idle\n";
    }
    return {};
}

std::optional<WebMessage> WebMessage::parse(const QByteArray& line) {
    const QList<QByteArray> words = line.split(' ');
    if (words.size() == 1 && words[0] == "idle")
        return WebMessage{};
    if (words.size() < 2)
        return std::nullopt;
    const std::optional<WebWindow> window = windowNamed(words[1]);
    if (!window)
        return std::nullopt;
    if (words.size() == 2 && words[0] == "shown")
        return WebMessage{Kind::Shown, *window, {}};
    if (words.size() == 3 && words[0] == "show" && isHostWord(words[2])) {
        const QString host = words[2] == "-" ? QString() : QString::fromUtf8(words[2]);
        return WebMessage{Kind::Show, *window, host};
    }
    return std::nullopt;
}

QList<QByteArray> LineReader::feed(const QByteArray& bytes) {
    pending_ += bytes;
    QList<QByteArray> lines;
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        lines.append(pending_.left(end));
        pending_.remove(0, end + 1);
    }
    return lines;
}

}  // namespace tolvane
