#pragma once
// Unpacks an HTTP body sent with "Content-Encoding: gzip" or "deflate" (zlib or raw deflate);
// "identity" and no encoding pass through. nullopt for another encoding or a damaged body.

#include <QByteArray>
#include <optional>

namespace session {

std::optional<QByteArray> decodeContent(const QByteArray& body, const QByteArray& contentEncoding);

}  // namespace session
