#include "session/Tgirisform.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <QVBoxLayout>
#include <memory>

#include "platform/Services.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/Async.h"
#include "session/ExternalIp.h"
#include "session/IniFile.h"
#include "session/LoginRules.h"
#include "session/ServerEndpoints.h"
#include "session/Tdosyaindir.h"
#include "session/Utilities.h"
#include "session/records/Records.h"

namespace session {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// Every typed letter becomes upper case, as the user's language writes it (i -> İ in Turkish).
class UpperCase final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = QLocale().toUpper(input);
        return Acceptable;
    }
};

QLabel* fieldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    // 1510114 as a Windows RGB value.
    label->setStyleSheet(QStringLiteral("QLabel { background: #E20A17; color: white; font-weight: bold; padding: 3px; }"));
    return label;
}

QLineEdit* upperCaseEdit(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessibleName);
    edit->setValidator(new UpperCase(edit));
    return edit;
}

}  // namespace

Tgirisform::Tgirisform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("girisform"));
    setWindowTitle(u("Giriş"));
    // No owner: the window has its own taskbar entry while the main window is not shown yet.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(368, 550);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(24, 24, 24, 24);
    root->setSpacing(8);

    contactLabel = new QLabel(this);
    contactLabel->setObjectName(QStringLiteral("contactLabel"));
    contactLabel->setAlignment(Qt::AlignCenter);
    contactLabel->setWordWrap(true);
    QFont contactFont(QStringLiteral("Arial"));
    contactFont.setPixelSize(15);
    contactFont.setBold(true);
    contactLabel->setFont(contactFont);
    contactLabel->setStyleSheet(QStringLiteral("color: black;"));
    contactLabel->setText(u("Korvel Otomotiv\nB2B Sipariş Sistemi\n\nKullanıcı adınız ve şifreniz için\n"
                            "satış temsilcinize başvurunuz."));
    auto* shadow = new QGraphicsDropShadowEffect(contactLabel);
    shadow->setColor(Qt::white);
    shadow->setOffset(1, 1);
    shadow->setBlurRadius(0);
    contactLabel->setGraphicsEffect(shadow);
    root->addWidget(contactLabel);
    root->addStretch(1);

    Label1 = fieldLabel(u(" Kullanıcı Adı:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    adi = upperCaseEdit("adi", u("Kullanıcı Adı"), this);
    Label1->setBuddy(adi);
    Label2 = fieldLabel(u(" Şifre:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    sifre = upperCaseEdit("sifre", u("Şifre"), this);
    sifre->setEchoMode(QLineEdit::Password);
    Label2->setBuddy(sifre);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(adi), static_cast<QWidget*>(Label2),
                       static_cast<QWidget*>(sifre)})
        root->addWidget(w);

    benihatirla = new QCheckBox(u("Beni hatırla"), this);
    benihatirla->setObjectName(QStringLiteral("benihatirla"));
    benihatirla->setStyleSheet(QStringLiteral("QCheckBox { color: white; }"));
    benihatirla->setChecked(true);
    root->addWidget(benihatirla);

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(u("Giriş"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(u("Giriş"));
    Button2 = new QPushButton(u("Vazgeç"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAccessibleName(u("Vazgeç"));
    // Enter in the edits is handled by the edits, never by a default button.
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    RxGIFAnimator1 = new QProgressBar(this);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setAccessibleName(u("Bağlanıyor"));
    RxGIFAnimator1->setRange(0, 0);  // an endless busy animation
    RxGIFAnimator1->setTextVisible(false);
    RxGIFAnimator1->setFixedSize(40, 12);
    RxGIFAnimator1->hide();
    buttons->addWidget(Button1);
    buttons->addWidget(RxGIFAnimator1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    root->addLayout(buttons);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, benihatirla);
    setTabOrder(benihatirla, adi);
    setTabOrder(adi, sifre);

    adi->installEventFilter(this);
    sifre->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);

    FormCreate();
}

Tgirisform::~Tgirisform() = default;

void Tgirisform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    adi->setFocus();
}

void Tgirisform::paintEvent(QPaintEvent*) {
    // The background picture: the company colours, dark at the foot.
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0.0, QColor(0xF4, 0xF4, 0xF4));
    g.setColorAt(0.35, QColor(0xC8, 0x1E, 0x28));
    g.setColorAt(1.0, QColor(0x3A, 0x06, 0x0A));
    p.fillRect(rect(), g);
}

void Tgirisform::keyPressEvent(QKeyEvent* event) {
    // Esc does not close the login; "Vazgeç" or the window's close button does.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

bool Tgirisform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == adi) adiKeyDown(key);
        else if (watched == sifre) sifreKeyDown(key);
        if (key->isAccepted() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::FormCreate() {
    usePublicEndpoints();
    idsi = BilgisayarIdBul();
    AyarOku();
}

QString Tgirisform::settingsPath() { return AyarKlasoru() + QLatin1Char('/') + settingsFileName(); }

void Tgirisform::AyarOku() {
    IniFile ini;
    if (!ini.load(settingsPath())) return;
    benihatirla->setChecked(ini.readBool(settingsSection(), rememberKey(), true));
    if (!benihatirla->isChecked()) return;
    adi->setText(ini.readString(settingsSection(), nameKey(), QString()));
    sifre->setText(ini.readString(settingsSection(), passwordKey(), QString()));
}

void Tgirisform::AyarKaydet() {
    const QString path = settingsPath();
    // The settings folder's parent may be missing on a fresh account.
    QDir().mkpath(QFileInfo(path).absolutePath());
    IniFile ini;
    ini.load(path);  // keep whatever else the file holds
    ini.writeString(settingsSection(), nameKey(), adi->text());
    ini.writeString(settingsSection(), passwordKey(), sifre->text());
    ini.writeBool(settingsSection(), rememberKey(), benihatirla->isChecked());
    // Not being able to remember the user does not stop the login.
    ini.save(path);
}

void Tgirisform::adiKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        event->ignore();
        return;
    }
    event->accept();
    if (adi->text().trimmed().isEmpty()) {
        platform::services().playSound(platform::SystemSound::Stop);
        platform::services().showPlainWarning(u("Lütfen kullanıcı adını giriniz !"));
        adi->selectAll();
        adi->setFocus();
        return;
    }
    sifre->selectAll();
    sifre->setFocus();
}

void Tgirisform::sifreKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        event->ignore();
        return;
    }
    event->accept();
    if (sifre->text().trimmed().isEmpty()) {
        platform::services().playSound(platform::SystemSound::Stop);
        platform::services().showPlainWarning(u("Lütfen kullanıcı şifresini giriniz !"));
        sifre->selectAll();
        sifre->setFocus();
        return;
    }
    // A login already under way is not started twice.
    if (Button1->isEnabled()) Button1Click();
}

void Tgirisform::Button1Click() {
    Button1->setText(u("Bağlanıyor..."));
    Button1->setEnabled(false);
    RxGIFAnimator1->show();
    auto ip = std::make_shared<QString>();
    const QString ownIp = endpointSettings().ownPublicIp;
    QPointer<Tgirisform> self(this);
    Async([ip, ownIp] {
        *ip = DisIpAl();
        if (!ip->isEmpty() && *ip == ownIp) useLanEndpoints();
    }).Await([self, ip] {
        if (!self) return;
        self->Button1->setText(u("Giriş!"));
        self->RxGIFAnimator1->hide();
        self->Devamet(*ip);
    });
}

void Tgirisform::Devamet(const QString& ip) {
    if (ip.trimmed().isEmpty()) {
        MesajGoster(u("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"), MsgKind::Error, platform::kOk, MsgButton::OK);
        Button1->setEnabled(true);
        emit loginStepFinished();
        return;
    }
    Bilgim->SetDisip(ip.toStdString());
    bagim->setHostName(SunucuAdresi());

    std::shared_ptr<remote::Connection> copy = bagim->clone();
    auto answer = std::make_shared<TSonucBilgisi>();
    auto answered = std::make_shared<bool>(false);
    const QString id = idsi;
    QPointer<Tgirisform> self(this);
    Async([copy, answer, answered, id] { *answered = SunucuBilgisiAl(*copy, id, *answer); })
        .Await([self, answer, answered] {
            if (self) self->loginAnswered(*answered, *answer);
        });
}

bool Tgirisform::SunucuBilgisiAl(remote::Connection& copy, const QString& idsi, TSonucBilgisi& into) {
    if (!remote::BaglantiKur(copy, 0)) return false;
    try {
        remote::TServerMethods1Client proxy(copy);
        const TSonucBilgisi* server = proxy.BuyukGetir(idsi);
        if (!server) {  // an answer without a record is no answer
            copy.close();
            return false;
        }
        into.Kopyala(*server);
    } catch (...) {
        copy.close();
        return false;
    }
    copy.close();
    into.SetBilgiSayarAdi(BilgisayarAdiAl().toStdString());
    into.SetBilgisayarKullanici(KullaniciAdiAl().toStdString());
    into.SetIcip(IcIpAl().toStdString());
    into.SetBILGISAYARID(BilgisayarIdBul().toStdString());
    into.SetDisip(DisIpAl().toStdString());
    return true;
}

void Tgirisform::backToIdle() {
    Button1->setEnabled(true);
    adi->selectAll();
    adi->setFocus();
    emit loginStepFinished();
}

void Tgirisform::endProcess() {
    platform::services().exitProcess(0);
    // Only a replaced exit service returns; the window then closes without a user.
    reject();
    emit loginStepFinished();
}

void Tgirisform::loginAnswered(bool answered, const TSonucBilgisi& answer) {
    RxGIFAnimator1->hide();
    if (!answered) {
        MesajGoster(u("Bağlantı Kurulamadı !"), MsgKind::Error, platform::kOk, MsgButton::OK);
        backToIdle();
        return;
    }
    Bilgim->Kopyala(answer);
    if (needsUpdate(Bilgim->Version())) GuncellemeAc();
    if (!Bilgim->Varmi()) {
        IstekFormuAc(WebAdresi());
        endProcess();
        return;
    }
    if (credentialsMatch(adi->text(), sifre->text(), *Bilgim)) {
        AyarKaydet();
        if (Bilgim->AKTIF() == 1) {
            if (isSalesStaff(Bilgim->MusteriTipi()) && !CariSec()) return;
            accept();
            emit loginStepFinished();
            return;
        }
    }
    MesajGoster(u("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"), MsgKind::Warning, platform::kOk,
                MsgButton::OK);
    backToIdle();
}

bool Tgirisform::CariSec() {
    if (pickCustomer && pickCustomer(*this)) return true;
    endProcess();
    return false;
}

void Tgirisform::GuncellemeAc() {
    Tdosyaindir window(this, Bilgim->Version());
    window.exec();
}

void Tgirisform::IstekFormuAc(const QString& webRoot) {
    const QString address = requestFormAddress(webRoot, BilgisayarIdBul());
    if (openRequestForm) openRequestForm(requestFormCaption(), address);
    else platform::services().openUrl(QUrl(address));
}

void Tgirisform::Button2Click() { endProcess(); }

}  // namespace session
