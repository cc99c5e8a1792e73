#include "platform/Services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <cstdlib>

#include "platform/MessageDialog.h"

namespace platform {

namespace {

class RealServices final : public Services {
public:
    int showMessage(const MessageRequest& request) override { return runMessageDialog(request); }

    void showPlainBox(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    void showPlainWarning(const QString& text) override {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    QString getSaveFileName(const QString& filter, const QString& defaultExt, const QString& suggestedName) override {
        // "Excel|*.xls*" -> "Excel (*.xls*)"
        QString qtFilter = filter;
        const int bar = filter.indexOf(QLatin1Char('|'));
        if (bar >= 0) qtFilter = filter.left(bar) + QStringLiteral(" (") + filter.mid(bar + 1) + QStringLiteral(")");
        QFileDialog dialog(QApplication::activeWindow(), QString(), suggestedName, qtFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultExt);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }

    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    bool startProgram(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }

    void exitProcess(int code) override { std::_Exit(code); }

    void playSound(SystemSound) override { QApplication::beep(); }

    QDateTime now() override { return QDateTime::currentDateTime(); }
};

}  // namespace

void Services::showPlainError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

namespace {

std::unique_ptr<Services>& current() {
    static std::unique_ptr<Services> s = std::make_unique<RealServices>();
    return s;
}

}  // namespace

Services& services() { return *current(); }

std::unique_ptr<Services> installServices(std::unique_ptr<Services> replacement) {
    if (!replacement) replacement = std::make_unique<RealServices>();
    std::swap(current(), replacement);
    return replacement;
}

}  // namespace platform
