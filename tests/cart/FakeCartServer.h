#pragma once
// A server side for the cart tests: one customer's cart held in memory with the methods the cart
// page calls, every call recorded into a shared event log (with the messages the user saw), and
// hooks to hold an answer back.

#include <QString>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "FakeServices.h"
#include "platform/Services.h"
#include "wire/Value.h"

namespace cart_test {

// What happened, in order: "call:<Method>" from the server, "msg:<text>" from the user's screen.
class EventLog {
public:
    void add(std::string e) {
        std::lock_guard lock(m_);
        events_.push_back(std::move(e));
    }
    std::vector<std::string> events() const {
        std::lock_guard lock(m_);
        return events_;
    }
    void clear() {
        std::lock_guard lock(m_);
        events_.clear();
    }

private:
    mutable std::mutex m_;
    std::vector<std::string> events_;
};

// The fake services, also writing each message into the event log.
class LoggedServices final : public platform::Services {
public:
    LoggedServices(testing_support::FakeServices& fake, EventLog& log) : fake_(fake), log_(log) {}
    int showMessage(const platform::MessageRequest& r) override {
        log_.add("msg:" + r.text.toStdString());
        return fake_.showMessage(r);
    }
    void showPlainBox(const QString& t) override { fake_.showPlainBox(t); }
    void showPlainWarning(const QString& t) override { fake_.showPlainWarning(t); }
    QString getSaveFileName(const QString& f, const QString& e, const QString& s) override {
        return fake_.getSaveFileName(f, e, s);
    }
    bool openUrl(const QUrl& u) override { return fake_.openUrl(u); }
    bool startProgram(const QString& p, const QStringList& a) override { return fake_.startProgram(p, a); }
    void exitProcess(int code) override { fake_.exitProcess(code); }
    void playSound(platform::SystemSound s) override { fake_.playSound(s); }
    QDateTime now() override { return fake_.now(); }

private:
    testing_support::FakeServices& fake_;
    EventLog& log_;
};

struct CartLine {
    int sirano = 0;
    int sec = 0;
    int stokno = 0;
    std::string barkod, stokadi;
    double miktar = 1, birimfiyat = 0, tutar = 0, indirimtutar = 0, vergitutari = 0;
    double ind[4] = {0, 0, 0, 0};
    int kdv = 18;
};

struct Company {
    int sirano;
    std::string adi;
    std::string uyari;
};

// Holds back the next call that passes it, until released; other calls go through.
class Gate {
public:
    void arm() {
        std::lock_guard lock(m_);
        armed_ = true;
        released_ = false;
    }
    void release() {
        {
            std::lock_guard lock(m_);
            released_ = true;
        }
        cv_.notify_all();
    }
    void pass() {
        std::unique_lock lock(m_);
        if (!armed_) return;
        armed_ = false;
        cv_.wait(lock, [&] { return released_; });
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool armed_ = false;
    bool released_ = false;
};

class FakeCartServer final : public wire::Dispatcher {
public:
    explicit FakeCartServer(EventLog& log) : log_(log) {}

    // Guarded by mutex(); tests change them between actions.
    std::vector<CartLine> lines;
    std::vector<std::pair<int, std::string>> deliveryKinds{{1, "Gel Al"}, {2, "Teslim"}, {3, "Kargo ile"}};
    std::vector<std::pair<int, std::string>> cargoKinds{{10, "Anlaşmalı"}, {20, "Alıcı Ödemeli"}};
    std::map<int, std::vector<Company>> companies{
        {10, {{101, "Hızlı Kargo", "Cumartesi teslimat yok"}}},
        {20, {{201, "Yurtiçi", "Ağır parça ücretli"}, {202, "Aras", "İki gün"}}}};
    bool orderResult = true;
    int changeResult = 1;
    std::string overdueText;
    std::vector<wire::Call> calls;  // every call in arrival order
    Gate cartGate;                  // holds a SepetVer2 answer (the cart as it was when asked)
    std::string cartError;          // when set, SepetVer2 fails with this text
    std::function<std::string()> overdueAnswer;  // when set, answers CariVadeGunGecmismiBul

    std::mutex& mutex() { return m_; }
    std::vector<wire::Call> callsOf(const std::string& method) {
        std::lock_guard lock(m_);
        std::vector<wire::Call> out;
        for (const auto& c : calls)
            if (c.command == "TServerMethods1." + method) out.push_back(c);
        return out;
    }

    wire::Answer dispatch(const wire::Call& call) override;

    static wire::Table cartTable(const std::vector<CartLine>& lines);

private:
    EventLog& log_;
    std::mutex m_;
};

}  // namespace cart_test
