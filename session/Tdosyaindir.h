#pragma once
// The update window: downloads the installer from the update web server with progress, saves
// it to the local data folder, starts it silently and ends the program. Once shown it cannot be
// closed; a download error is reported and ends the program as well.

#include <QDialog>
#include <QLocale>
#include <QString>

class QLabel;
class QNetworkAccessManager;
class QProgressBar;

namespace session {

class Tdosyaindir final : public QDialog {
    Q_OBJECT
public:
    // Yeni: the window for the server's version.
    Tdosyaindir(QWidget* owner, int serverVersion);
    ~Tdosyaindir() override;

    // Starts the download the first time; later calls do nothing.
    void FormActivate();
    // A part of the body arrived; only a known total (> 0) moves the text and the bar.
    void NetHTTPClient1ReceiveData(qint64 total, qint64 received);
    // The request failed: message, then the process ends.
    void NetHTTPClient1RequestError(const QString& errorText);

    // The installer's address (the built-in update address unless changed before showing).
    QString address;
    // Where the installer is saved: the local data folder + "/KorvelSetup.exe".
    static QString targetPath();
    // Numbers in the progress text follow this locale (the user's unless changed).
    QLocale locale;

    bool basladi = false;
    QLabel* sLabel1 = nullptr;
    QLabel* bilgi = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

signals:
    // The progress text and bar were set for this much of the body.
    void progressShown(qint64 received, qint64 total);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // Ends the process; only a replaced exit service returns, and then the window closes.
    void endProgram();
    bool finished_ = false;
};

}  // namespace session
