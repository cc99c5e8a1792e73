#pragma once
// The replaceable services behind every modal interaction and operating-system action of
// the client. Production installs the real Qt/OS implementation; tests install a fake that
// records what was asked and answers as scripted. Everything here is called on the UI thread.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

class QWidget;

namespace platform {

// Message dialog kinds, in the platform's order.
enum class MsgKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// Message dialog buttons; a set is a bit set over these numbers ({OK} = 4, {Yes, No} = 3).
enum class MsgButton {
    Yes = 0, No = 1, OK = 2, Cancel = 3, Abort = 4, Retry = 5, Ignore = 6,
    All = 7, NoToAll = 8, YesToAll = 9, Help = 10, Close = 11
};
using MsgButtons = unsigned;
constexpr MsgButtons bit(MsgButton b) { return 1u << static_cast<unsigned>(b); }
constexpr MsgButtons kYesNo = bit(MsgButton::Yes) | bit(MsgButton::No);
constexpr MsgButtons kOk = bit(MsgButton::OK);

// Modal results.
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                   mrNo = 7, mrClose = 8, mrHelp = 9, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14 };

struct MessageRequest {
    QString text;
    MsgKind kind = MsgKind::Information;
    MsgButtons buttons = kOk;
    MsgButton first = MsgButton::OK;
};

enum class SystemSound { Stop = 16, Question = 32, Exclamation = 48, Asterisk = 64 };

class Services {
public:
    virtual ~Services() = default;

    // The program's message dialog (Turkish captions and buttons); returns the modal result.
    virtual int showMessage(const MessageRequest& request) = 0;
    // A plain box with the text and one OK button (the connection retry's per-attempt box).
    virtual void showPlainBox(const QString& text) = 0;
    // The platform's plain warning dialog (caption "Warning", button "OK").
    virtual void showPlainWarning(const QString& text) = 0;
    // The platform's plain error dialog (caption "Error", button "OK").
    virtual void showPlainError(const QString& text);
    // Save-file dialog; empty when cancelled. filter like "Excel|*.xls*".
    virtual QString getSaveFileName(const QString& filter, const QString& defaultExt,
                                    const QString& suggestedName) = 0;
    // Opens a file or web address with the system's handler.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a program with arguments; true when it started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Ends the process at once with this exit code. The real one never returns.
    virtual void exitProcess(int code) = 0;
    virtual void playSound(SystemSound sound) = 0;
    virtual QDateTime now() = 0;
};

// The installed services; the real ones unless a test installed others.
Services& services();
// Installs replacement services (tests); returns the previous ones. nullptr restores the real ones.
std::unique_ptr<Services> installServices(std::unique_ptr<Services> replacement);

// Thrown by fake services from exitProcess() so a test can see that the process would end.
struct ProcessExit {
    int code = 0;
};

}  // namespace platform
