#include "catalogue/ResimYukle.h"

#include <QImage>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "catalogue/PictureView.h"
#include "platform/Services.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"

namespace catalogue {

namespace {

class PictureDecodeError : public std::runtime_error {
public:
    PictureDecodeError() : std::runtime_error("Resim çözülemedi (JPEG bekleniyordu)") {}
};

QString className(const std::exception& e) {
    const char* mangled = typeid(e).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
    const int colon = name.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

}  // namespace

QString hataAciklamasi(const std::exception& e) {
    return className(e) + QStringLiteral(": ") + QString::fromUtf8(e.what());
}

void ResimYukle(remote::Connection& bagc, int stokno, PictureView* target) {
    if (!remote::BaglantiKur(bagc, 1)) return;
    try {
        remote::TServerMethods1Client proxy(bagc);
        std::int64_t boy = 0;
        const std::string* stream = proxy.ResimVer5(stokno, boy);
        if (const std::optional<QByteArray> bytes = remote::readStream(stream, boy)) {
            QImage image;
            if (!image.loadFromData(*bytes, "JPG")) throw PictureDecodeError();
            if (target) target->setPicture(image);
        }
    } catch (const std::exception& e) {
        platform::services().showPlainBox(hataAciklamasi(e));
    }
    bagc.close();
}

}  // namespace catalogue
