// Request parsing and form decoding with whatever a client might send. The bytes are also fed in
// two pieces, which must give the same outcome as one.
#include "site/form_decoding.h"
#include "site/http_request.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

tolvane::HttpRequestParser parseInPieces(QByteArrayView bytes, qsizetype cut) {
    tolvane::HttpRequestParser parser;
    parser.feed(bytes.first(cut));
    parser.feed(bytes.sliced(cut));
    return parser;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    tolvane::HttpRequestParser whole;
    whole.feed(bytes);
    const tolvane::HttpRequestParser pieces = parseInPieces(bytes, bytes.size() / 3);
    if (whole.state() != pieces.state() || whole.failureStatus() != pieces.failureStatus()) {
        std::abort();
    }
    if (whole.state() == tolvane::HttpRequestParser::State::Complete) {
        const tolvane::HttpRequest& request = whole.request();
        if (request.body != pieces.request().body ||
            request.body.size() > tolvane::HttpRequestParser::kMaxBodySize) {
            std::abort();
        }
        (void)tolvane::UrlEncodedForm::read(request.body);
        (void)tolvane::UrlEncodedForm::read(request.query);
    }
    // Where every "%" is an escape, taking stray ones literally changes nothing.
    const auto strict = tolvane::UrlEncodedForm::read(bytes.toByteArray());
    const auto lenient =
        tolvane::UrlEncodedForm::read(bytes.toByteArray(), tolvane::StrayPercent::Literal);
    if (!lenient || (strict && strict->allFields() != lenient->allFields())) {
        std::abort();
    }
    // A field asked for by name is the first of that name in the whole decoded form. Each lookup
    // reads the form afresh, so only the first names are asked for: asking for every one made
    // long inputs quadratic and the run crawl.
    constexpr qsizetype kNamesAskedFor = 8;
    QSet<QString> asked;
    for (const auto& [name, value] : lenient->allFields()) {
        if (asked.size() == kNamesAskedFor) {
            break;
        }
        if (!asked.contains(name)) {
            asked.insert(name);
            if (lenient->field(name) != value) {
                std::abort();
            }
        }
    }
    return 0;
}
