#pragma once
// Test double for platform::Services: records every request and answers from a script.
// exitProcess() throws platform::ProcessExit so a test sees the exit without ending.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <memory>
#include <vector>

#include "platform/Services.h"

namespace testing_support {

class FakeServices final : public platform::Services {
public:
    struct Started {
        QString program;
        QStringList arguments;
    };

    // Scripted answers for showMessage, used in order; when empty the answer is defaultAnswer.
    std::deque<int> answers;
    int defaultAnswer = platform::mrOk;
    QString saveFileName;  // what getSaveFileName answers
    bool throwOnExit = true;
    QDateTime clock = QDateTime(QDate(2026, 12, 11), QTime(10, 0));

    std::vector<platform::MessageRequest> messages;
    QStringList plainBoxes;
    QStringList plainWarnings;
    QStringList plainErrors;
    QStringList saveDialogFilters;
    std::vector<QUrl> openedUrls;
    std::vector<Started> started;
    std::vector<int> exits;
    std::vector<platform::SystemSound> sounds;

    int showMessage(const platform::MessageRequest& r) override {
        messages.push_back(r);
        if (answers.empty()) return defaultAnswer;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void showPlainBox(const QString& text) override { plainBoxes << text; }
    void showPlainWarning(const QString& text) override { plainWarnings << text; }
    void showPlainError(const QString& text) override { plainErrors << text; }
    QString getSaveFileName(const QString& filter, const QString&, const QString&) override {
        saveDialogFilters << filter;
        return saveFileName;
    }
    bool openUrl(const QUrl& url) override {
        openedUrls.push_back(url);
        return true;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        started.push_back({program, arguments});
        return true;
    }
    void exitProcess(int code) override {
        exits.push_back(code);
        if (throwOnExit) throw platform::ProcessExit{code};
    }
    void playSound(platform::SystemSound s) override { sounds.push_back(s); }
    QDateTime now() override { return clock; }

    QStringList messageTexts() const {
        QStringList out;
        for (const auto& m : messages) out << m.text;
        return out;
    }
};

// Installs a FakeServices for the lifetime of the guard and restores the previous ones.
class ScopedFakeServices {
public:
    ScopedFakeServices() {
        auto fake = std::make_unique<FakeServices>();
        fake_ = fake.get();
        previous_ = platform::installServices(std::move(fake));
    }
    ~ScopedFakeServices() { platform::installServices(std::move(previous_)); }
    FakeServices& operator*() { return *fake_; }
    FakeServices* operator->() { return fake_; }

private:
    FakeServices* fake_ = nullptr;
    std::unique_ptr<platform::Services> previous_;
};

}  // namespace testing_support
