#include "session/Async.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

#include "platform/Services.h"

namespace session {

namespace {
ErrorDisplay& installedDisplay() {
    static ErrorDisplay display = showErrorDefault;
    return display;
}
} // namespace

void showErrorDefault(std::exception_ptr error) {
    if (!error) return;
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const platform::ProcessExit&) {
        return;
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Beklenmeyen bir hata oluştu.");
    }
    platform::MessageRequest r;
    r.text = text;
    r.kind = platform::MsgKind::Error;
    r.buttons = platform::kOk;
    r.first = platform::MsgButton::OK;
    platform::services().showMessage(r);
}

void showError(std::exception_ptr error) {
    if (!error) return;
    const ErrorDisplay display = installedDisplay(); // a copy: the display may replace itself
    try {
        display(error);
    } catch (...) {
        // An error display that fails has nowhere left to report to.
    }
}

ErrorDisplay setErrorDisplay(ErrorDisplay display) {
    ErrorDisplay previous = std::move(installedDisplay());
    installedDisplay() = display ? std::move(display) : ErrorDisplay(showErrorDefault);
    return previous;
}

} // namespace session

void TAwait::Await(std::function<void()> proc) {
    auto work = std::move(FAsync);
    QThreadPool::globalInstance()->start([work = std::move(work), proc = std::move(proc)]() mutable {
        std::exception_ptr workError;
        try {
            if (work) work();
        } catch (...) {
            workError = std::current_exception();
        }
        work = nullptr; // release what the work captured before handing over
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [proc = std::move(proc), workError] {
                if (proc) {
                    try {
                        proc();
                    } catch (...) {
                        session::showError(std::current_exception());
                    }
                }
                session::showError(workError);
            },
            Qt::QueuedConnection);
    });
}

TAwait Async(std::function<void()> work) {
    return TAwait(std::move(work));
}
