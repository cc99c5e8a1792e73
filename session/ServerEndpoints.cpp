#include "session/ServerEndpoints.h"

#include <QMutex>
#include <QMutexLocker>

#include "session/Endpoints.h"

namespace session {

namespace {

// Written by the login's background lookup, read on the user-interface thread.
struct State {
    QMutex mutex;
    EndpointSettings settings = EndpointSettings::builtIn();
    bool lan = false;
};

State& state() {
    static State s;
    return s;
}

QString pictureAddress(const QString& webRoot) { return webRoot + QStringLiteral("resimgoster.ashx?id="); }

}  // namespace

EndpointSettings EndpointSettings::builtIn() {
    EndpointSettings s;
    s.publicServerHost = QString::fromUtf8(endpoints::kPublicServerHost);
    s.lanServerHost = QString::fromUtf8(endpoints::kLanServerHost);
    s.publicWebRoot = QString::fromUtf8(endpoints::kPublicWebRoot);
    s.lanWebRoot = QString::fromUtf8(endpoints::kLanWebRoot);
    s.ownPublicIp = QString::fromUtf8(endpoints::kOwnPublicIp);
    s.externalIpUrl = QString::fromUtf8(endpoints::kExternalIpUrl);
    s.updateUrl = QString::fromUtf8(endpoints::kUpdateUrl);
    return s;
}

EndpointSettings endpointSettings() {
    QMutexLocker lock(&state().mutex);
    return state().settings;
}

void setEndpointSettings(const EndpointSettings& settings) {
    QMutexLocker lock(&state().mutex);
    state().settings = settings;
    state().lan = false;
}

QString SunucuAdresi() {
    QMutexLocker lock(&state().mutex);
    return state().lan ? state().settings.lanServerHost : state().settings.publicServerHost;
}

QString ResimAdresi() {
    QMutexLocker lock(&state().mutex);
    return pictureAddress(state().lan ? state().settings.lanWebRoot : state().settings.publicWebRoot);
}

QString WebAdresi() {
    QMutexLocker lock(&state().mutex);
    return state().lan ? state().settings.lanWebRoot : state().settings.publicWebRoot;
}

void usePublicEndpoints() {
    QMutexLocker lock(&state().mutex);
    state().lan = false;
}

void useLanEndpoints() {
    QMutexLocker lock(&state().mutex);
    state().lan = true;
}

bool lanEndpointsInUse() {
    QMutexLocker lock(&state().mutex);
    return state().lan;
}

}  // namespace session
