#include "session/ContentEncoding.h"

#include <zlib.h>

namespace session {

namespace {

// windowBits: 16 + 15 gzip, 15 zlib, -15 raw deflate.
std::optional<QByteArray> inflate(const QByteArray& in, int windowBits) {
    z_stream z{};
    if (inflateInit2(&z, windowBits) != Z_OK) return std::nullopt;
    QByteArray out;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    z.avail_in = static_cast<uInt>(in.size());
    char buffer[64 * 1024];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        rc = ::inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) break;
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - z.avail_out));
        if (rc == Z_OK && z.avail_in == 0 && z.avail_out != 0) rc = Z_BUF_ERROR;  // cut short
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END) return std::nullopt;
    return out;
}

}  // namespace

std::optional<QByteArray> decodeContent(const QByteArray& body, const QByteArray& contentEncoding) {
    const QByteArray e = contentEncoding.trimmed().toLower();
    if (e.isEmpty() || e == "identity") return body;
    if (e == "gzip" || e == "x-gzip") return inflate(body, 16 + MAX_WBITS);
    if (e == "deflate") {
        if (auto zlib = inflate(body, MAX_WBITS)) return zlib;
        return inflate(body, -MAX_WBITS);  // some servers send raw deflate
    }
    return std::nullopt;
}

}  // namespace session
