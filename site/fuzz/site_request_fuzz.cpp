// Request parsing and form decoding with whatever a client might send. The bytes are also fed in
// two pieces, which must give the same outcome as one.
#include "site/form_decoding.h"
#include "site/http_request.h"

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
        (void)tolvane::decodeForm(request.body);
        (void)tolvane::decodeForm(request.query);
    }
    // Where every "%" is an escape, taking stray ones literally changes nothing.
    const auto strict = tolvane::decodeForm(bytes);
    const auto lenient = tolvane::decodeForm(bytes, tolvane::StrayPercent::Literal);
    if (!lenient || (strict && *strict != *lenient)) {
        std::abort();
    }
    return 0;
}
