#pragma once
// A scripted application server, a web side for the external address and the installer, a
// temporary settings folder and the fake services: what a login needs, all on this machine.

#include <gtest/gtest.h>

#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "FakeServices.h"
#include "HttpResponder.h"
#include "remote/Connection.h"
#include "session/ServerEndpoints.h"
#include "session/records/Records.h"
#include "tests/remote/ScriptedDispatcher.h"
#include "wire/TestServer.h"

namespace testing_support {

inline QString u(const char* s) { return QString::fromUtf8(s); }

class LoginFixture : public ::testing::Test {
protected:
    static constexpr const char* kOwnIp = "203.0.113.10";
    static constexpr const char* kOtherIp = "198.51.100.7";

    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        fake->throwOnExit = false;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

        server.dispatcher.on("TServerMethods1.BuyukGetir", [this](const wire::Call& call) {
            TSonucBilgisi r = serverRecord;
            return ScriptedDispatcher::reply(call, wire::Value::object(r.toJson()));
        });
        serverRecord.SetADI("DEMO");
        serverRecord.SetSIFRE("GIZLI");
        serverRecord.SetAKTIF(1);
        serverRecord.SetVarmi(true);
        serverRecord.SetVersion(3);
        serverRecord.SetMusteriTipi(3);
        serverRecord.SetCARINO(120);
        serverRecord.SetCariAdi("ÖRNEK OTO YEDEK PARÇA");
        serverRecord.SetSaticiAdi("AYŞE YILMAZ");
        serverRecord.SetSaticiTelefon("0212 555 00 00");
        serverRecord.SetSaticiMail("ayse@korvel.example");
        serverRecord.SetBILGISAYARID("SUNUCUNUN");
        serverRecord.SetDisip("0.0.0.0");

        setIpAnswer(kOtherIp);
        web.on("/exe/KorvelSetup.exe", {200, QByteArray(300 * 1024, 'K'), true});

        session::EndpointSettings s;
        s.publicServerHost = "127.0.0.1";
        s.lanServerHost = "127.0.0.1";
        s.publicWebRoot = web.url("/");
        s.lanWebRoot = web.url("/lan/");
        s.ownPublicIp = kOwnIp;
        s.externalIpUrl = web.url("/ip");
        s.updateUrl = web.url("/exe/KorvelSetup.exe");
        s.ipLookupAttempts = 3;
        s.ipLookupPauseMs = 10;
        s.ipLookupReadTimeoutMs = 1500;
        session::setEndpointSettings(s);

        bagc.setPort(server.port());
        bagc.setRetryPause([] {});
    }
    void TearDown() override { session::setEndpointSettings(session::EndpointSettings::builtIn()); }

    void setIpAnswer(const QByteArray& ip) { web.on("/ip", {200, ip + "\n", true, "text/plain"}); }
    int ipRequests() const {
        int n = 0;
        for (const auto& r : web.requests) n += r.path == "/ip";
        return n;
    }
    int loginCalls() const {
        int n = 0;
        for (const auto& c : server.dispatcher.calls()) n += c.command == "TServerMethods1.BuyukGetir";
        return n;
    }

    struct Server {
        ScriptedDispatcher dispatcher;
        wire::TestServer test{dispatcher};
        quint16 port() const { return test.port(); }
    };

    QTemporaryDir home;
    ScopedFakeServices fake;
    Server server;
    HttpResponder web;
    TSonucBilgisi serverRecord;
    remote::Connection bagc;
};

}  // namespace testing_support
