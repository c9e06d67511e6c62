#include "site/http_request.h"

#include <algorithm>
#include <optional>

namespace tolvane {
namespace {

constexpr int kBadRequest = 400;
constexpr int kLengthRequired = 411;
constexpr int kContentTooLarge = 413;
constexpr int kUriTooLong = 414;
constexpr int kHeadersTooLarge = 431;
constexpr int kNotImplemented = 501;
constexpr int kVersionNotSupported = 505;

bool isTokenChar(char c) {
    static constexpr QByteArrayView kSymbols = "!#$%&'*+-.^_`|~";
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           kSymbols.contains(c);
}

bool isToken(QByteArrayView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

bool isVisible(char c) {
    return c > 0x20 && c < 0x7f;
}

bool isDigits(QByteArrayView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Field values: visible characters, blanks and tabs, and any byte above ASCII.
bool isFieldValue(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == '\t' || (byte >= 0x20 && byte != 0x7f);
    });
}

QList<QByteArrayView> splitLines(QByteArrayView head) {
    QList<QByteArrayView> lines;
    for (qsizetype start = 0; start <= head.size();) {
        qsizetype end = head.indexOf('\n', start);
        if (end < 0) {
            end = head.size();
        }
        QByteArrayView line = head.sliced(start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

QList<QByteArrayView> splitAtBlanks(QByteArrayView line) {
    QList<QByteArrayView> parts;
    qsizetype start = 0;
    for (qsizetype blank = line.indexOf(' '); blank >= 0; blank = line.indexOf(' ', start)) {
        parts.append(line.sliced(start, blank - start));
        start = blank + 1;
    }
    parts.append(line.sliced(start));
    return parts;
}

// Where the empty line that ends the head starts, and how long the terminator is.
std::optional<QPair<qsizetype, qsizetype>> findHeadEnd(QByteArrayView buffer, qsizetype from) {
    for (qsizetype i = from; i < buffer.size(); ++i) {
        if (buffer[i] != '\n') {
            continue;
        }
        if (i + 1 < buffer.size() && buffer[i + 1] == '\n') {
            return QPair<qsizetype, qsizetype>{i, 2};
        }
        if (i + 2 < buffer.size() && buffer[i + 1] == '\r' && buffer[i + 2] == '\n') {
            return QPair<qsizetype, qsizetype>{i, 3};
        }
    }
    return std::nullopt;
}

}  // namespace

QByteArray HttpRequest::header(QByteArrayView name) const {
    for (const auto& [headerName, value] : headers) {
        if (headerName == name) {
            return value;
        }
    }
    return {};
}

bool HttpRequest::wantsKeepAlive() const {
    bool close = false;
    bool keepAlive = false;
    for (const auto& [name, value] : headers) {
        if (name != "connection") {
            continue;
        }
        for (const QByteArray& token : value.split(',')) {
            const QByteArray option = token.trimmed().toLower();
            close = close || option == "close";
            keepAlive = keepAlive || option == "keep-alive";
        }
    }
    return !close && (minorVersion >= 1 || keepAlive);
}

HttpRequestParser::State HttpRequestParser::fail(int status) {
    failureStatus_ = status;
    buffer_.clear();
    state_ = State::Failed;
    return state_;
}

HttpRequestParser::State HttpRequestParser::feed(QByteArrayView bytes) {
    if (state_ != State::Incomplete) {
        excess_ = excess_ || !bytes.isEmpty();
        return state_;
    }
    if (headDone_) {
        // Only what the body still needs is kept.
        const qsizetype needed = bodySize_ - buffer_.size();
        excess_ = excess_ || bytes.size() > needed;
        buffer_.append(bytes.first(std::min(bytes.size(), needed)));
        return takeBody();
    }
    const qsizetype scanFrom = std::max<qsizetype>(0, buffer_.size() - 2);
    // Enough for the largest head with the largest body behind it.
    const qsizetype room = kMaxHeadSize + 3 + kMaxBodySize - buffer_.size();
    excess_ = excess_ || bytes.size() > room;
    buffer_.append(bytes.first(std::min(bytes.size(), room)));
    // Empty lines before the request line are allowed and skipped.
    qsizetype skipped = 0;
    while (skipped < buffer_.size() && (buffer_[skipped] == '\r' || buffer_[skipped] == '\n')) {
        ++skipped;
    }
    buffer_.remove(0, skipped);

    // A request line too long for any target is refused as such before anything else is
    // looked at, however much of it has come: the answer must not depend on how the bytes
    // were cut into pieces.
    const qsizetype lineEnd = buffer_.indexOf('\n');
    if ((lineEnd < 0 ? buffer_.size() : lineEnd) > kMaxTargetSize + 64) {
        return fail(kUriTooLong);
    }
    const auto end = findHeadEnd(buffer_, std::max<qsizetype>(0, scanFrom - skipped));
    if (!end) {
        if (buffer_.size() > kMaxHeadSize) {
            return fail(kHeadersTooLarge);
        }
        return state_;
    }
    const auto [headSize, terminatorSize] = *end;
    if (headSize > kMaxHeadSize) {
        return fail(kHeadersTooLarge);
    }
    if (parseHead(QByteArrayView(buffer_).first(headSize)) == State::Failed) {
        return state_;
    }
    headDone_ = true;
    QByteArray rest = buffer_.mid(headSize + terminatorSize);
    buffer_.clear();
    return feed(rest);
}

HttpRequestParser::State HttpRequestParser::parseHead(QByteArrayView head) {
    const QList<QByteArrayView> lines = splitLines(head);
    const QList<QByteArrayView> parts = splitAtBlanks(lines.first());
    if (parts.size() != 3 || !isToken(parts[0])) {
        return fail(kBadRequest);
    }
    const QByteArrayView target = parts[1];
    if (target.size() > kMaxTargetSize) {
        return fail(kUriTooLong);
    }
    if (!target.startsWith('/') || !std::all_of(target.begin(), target.end(), isVisible)) {
        return fail(kBadRequest);
    }
    const QByteArrayView version = parts[2];
    if (version.size() != 8 || !version.startsWith("HTTP/") || version[6] != '.' ||
        !isDigits(version.sliced(5, 1)) || !isDigits(version.sliced(7, 1))) {
        return fail(kBadRequest);
    }
    if (version[5] != '1') {
        return fail(kVersionNotSupported);
    }
    request_.minorVersion = version[7] - '0';
    request_.method = parts[0].toByteArray();
    const qsizetype question = target.indexOf('?');
    request_.path = (question < 0 ? target : target.first(question)).toByteArray();
    request_.query = question < 0 ? QByteArray() : target.sliced(question + 1).toByteArray();

    if (lines.size() - 1 > kMaxHeaderCount) {
        return fail(kHeadersTooLarge);
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        const qsizetype colon = line.indexOf(':');
        // A line starting with a blank would continue the previous one: no longer allowed.
        if (colon <= 0 || !isToken(line.first(colon))) {
            return fail(kBadRequest);
        }
        const QByteArrayView value = line.sliced(colon + 1).trimmed();
        if (!isFieldValue(value)) {
            return fail(kBadRequest);
        }
        request_.headers.append({line.first(colon).toByteArray().toLower(), value.toByteArray()});
    }

    if (!request_.header("transfer-encoding").isNull()) {
        return fail(kNotImplemented);
    }
    QByteArray length;
    for (const auto& [name, value] : request_.headers) {
        if (name != "content-length") {
            continue;
        }
        if (!isDigits(value) || (!length.isNull() && length != value)) {
            return fail(kBadRequest);
        }
        length = value;
    }
    if (length.isNull()) {
        return request_.method == "POST" ? fail(kLengthRequired) : state_;
    }
    // Nine digits cannot overflow and already exceed every limit.
    if (length.size() > 9 || length.toLongLong() > kMaxBodySize) {
        return fail(kContentTooLarge);
    }
    bodySize_ = length.toLongLong();
    return state_;
}

HttpRequestParser::State HttpRequestParser::takeBody() {
    if (buffer_.size() < bodySize_) {
        return state_;
    }
    request_.body = std::move(buffer_);
    buffer_.clear();
    state_ = State::Complete;
    return state_;
}

}  // namespace tolvane
