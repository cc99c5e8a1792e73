#include "session/Tdosyaindir.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

#include "platform/Services.h"
#include "session/ContentEncoding.h"
#include "session/LoginRules.h"
#include "session/ServerEndpoints.h"

namespace session {

namespace {

constexpr int kTimeoutMs = 60000;

QString u(const char* s) { return QString::fromUtf8(s); }

void setHeaders(QNetworkRequest& request) {
    request.setRawHeader("Accept",
                         "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8");
    // Set here, the network layer leaves a compressed body to us (decodeContent).
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    request.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    request.setRawHeader("User-Agent", "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like "
                                       "Gecko) Chrome/60.0.3112.32 Safari/537.36");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setTransferTimeout(kTimeoutMs);
}

}  // namespace

Tdosyaindir::Tdosyaindir(QWidget* owner, int serverVersion) : QDialog(owner), address(endpointSettings().updateUrl) {
    setObjectName(QStringLiteral("dosyaindir"));
    setWindowTitle(u("Dosya İndir"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setFixedSize(543, 309);
    setModal(true);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    sLabel1 = new QLabel(this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setWordWrap(true);
    QFont big(QStringLiteral("Tahoma"));
    big.setPixelSize(27);
    sLabel1->setFont(big);
    sLabel1->setStyleSheet(QStringLiteral("color: #434C58;"));  // 5786691 as a Windows RGB value
    root->addWidget(sLabel1, 1);

    auto* bottom = new QWidget(this);
    bottom->setFixedHeight(58);
    auto* column = new QVBoxLayout(bottom);
    column->setContentsMargins(0, 0, 0, 0);
    bilgi = new QLabel(bottom);
    bilgi->setObjectName(QStringLiteral("bilgi"));
    QFont small(QStringLiteral("Tahoma"));
    small.setPixelSize(13);
    small.setBold(true);
    bilgi->setFont(small);
    ProgressBar1 = new QProgressBar(bottom);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(u("İndirme"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    column->addWidget(bilgi);
    column->addWidget(ProgressBar1);
    root->addWidget(bottom);

    // "\r\n" as the message has it; the label breaks lines at "\n".
    sLabel1->setText(updateMessage(serverVersion));
    basladi = false;
}

Tdosyaindir::~Tdosyaindir() = default;

QString Tdosyaindir::targetPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(folder) + QStringLiteral("/KorvelSetup.exe");
}

void Tdosyaindir::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Becoming active normally follows; without a window manager it may not, so start anyway.
    QTimer::singleShot(0, this, &Tdosyaindir::FormActivate);
}

void Tdosyaindir::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !basladi)
        QTimer::singleShot(0, this, &Tdosyaindir::FormActivate);
}

void Tdosyaindir::closeEvent(QCloseEvent* event) {
    if (finished_) event->accept();
    else event->ignore();
}

void Tdosyaindir::reject() {
    if (finished_) QDialog::reject();
}

void Tdosyaindir::endProgram() {
    platform::services().exitProcess(0);
    finished_ = true;
    done(QDialog::Rejected);
}

void Tdosyaindir::FormActivate() {
    if (basladi) return;
    basladi = true;

    const QString target = targetPath();
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (QFile::exists(target) && !QFile::remove(target)) {
        NetHTTPClient1RequestError(u("Eski kurulum dosyası silinemedi: ") + target);
        return;
    }

    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(address)};
    setHeaders(request);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    // A body without a stated length has no total (the network layer reports one at the end).
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64 total) {
        const bool stated = reply->header(QNetworkRequest::ContentLengthHeader).isValid();
        NetHTTPClient1ReceiveData(stated ? total : 0, received);
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // The request blocks the program; the window keeps painting meanwhile.
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (reply->error() != QNetworkReply::NoError) {
        const QString text = reply->errorString();
        delete reply;
        NetHTTPClient1RequestError(text);
        return;
    }
    const std::optional<QByteArray> body = decodeContent(reply->readAll(), reply->rawHeader("Content-Encoding"));
    delete reply;
    if (!body) {
        NetHTTPClient1RequestError(u("İndirilen dosya açılamadı"));
        return;
    }

    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(*body) != body->size() || !file.commit()) {
        NetHTTPClient1RequestError(file.errorString());
        return;
    }
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    if (!platform::services().startProgram(target, {QStringLiteral("/silent")})) {
        NetHTTPClient1RequestError(u("Kurulum programı başlatılamadı: ") + target);
        return;
    }
    endProgram();
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 total, qint64 received) {
    if (total <= 0) return;
    bilgi->setText(downloadProgressText(received, total, locale));
    // Files over 2 GiB are counted in KiB on the bar, whose range is an int.
    const bool large = total > std::numeric_limits<int>::max();
    ProgressBar1->setMaximum(static_cast<int>(large ? total / 1024 : total));
    ProgressBar1->setValue(static_cast<int>(large ? received / 1024 : received));
    emit progressShown(received, total);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Tdosyaindir::NetHTTPClient1RequestError(const QString& errorText) {
    platform::services().showPlainError(u("Hata Oluştu !") + QStringLiteral("\r\n") + u("Hata: ") + errorText);
    endProgram();
}

}  // namespace session
