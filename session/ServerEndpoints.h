#pragma once
// The addresses the client talks to: the application server host, the picture address prefix
// and the web root, each in a public and a LAN form, and the addresses the login and the update
// use. The built-in values come from the build; tests replace them in code before a login.
//
// SunucuAdresi, ResimAdresi and WebAdresi are in their public forms until the login finds that
// this computer's external address is the wholesaler's own; they then stay in their LAN forms.

#include <QString>

namespace session {

struct EndpointSettings {
    QString publicServerHost;
    QString lanServerHost;
    QString publicWebRoot;  // ends in "/"
    QString lanWebRoot;     // ends in "/"
    QString ownPublicIp;    // the wholesaler's own public address
    QString externalIpUrl;  // answers with the caller's address as plain text
    QString updateUrl;      // the installer

    // External address lookup: attempts before giving up, per-attempt time-outs, pause between.
    int ipLookupAttempts = 5;
    int ipLookupReadTimeoutMs = 1500;
    int ipLookupConnectTimeoutMs = 15000;
    int ipLookupPauseMs = 1000;

    // The values the program was built with.
    static EndpointSettings builtIn();
};

// The settings in force; the built-in ones unless replaced.
EndpointSettings endpointSettings();
// Replaces the settings and puts the three values back to their public forms.
void setEndpointSettings(const EndpointSettings& settings);

QString SunucuAdresi();  // application server host
QString ResimAdresi();   // web root + "resimgoster.ashx?id="
QString WebAdresi();     // web root, ending in "/"

void usePublicEndpoints();
void useLanEndpoints();
bool lanEndpointsInUse();

}  // namespace session
