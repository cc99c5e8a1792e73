#pragma once
// The server picture of a stock item, loaded synchronously on the user-interface thread.

#include <QByteArray>
#include <QString>
#include <exception>
#include <optional>

namespace remote {
class Connection;
}

namespace catalogue {

class PictureView;

// Asks ResimVer5 for the item's JPEG picture over the main connection and puts it into the
// target. No picture (length 0, or fewer or more bytes than announced): the target is left
// alone and nothing is said. A failed call or an undecodable picture: a plain box with the
// error's kind, ": " and its text. A connection that cannot be opened: BaglantiKur reports it.
void ResimYukle(remote::Connection& bagc, int stokno, PictureView* target);

// "Kind: text" of an exception, as the picture load reports it.
QString hataAciklamasi(const std::exception& e);

}  // namespace catalogue
