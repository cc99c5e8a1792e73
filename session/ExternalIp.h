#pragma once
// The external address lookup: asks a what-is-my-IP web service, which answers with the
// caller's address as plain text. Blocking; meant for a background task (any thread).

#include <QString>

namespace session {

struct IpLookup {
    QString url;
    int attempts = 5;            // requests before giving up
    int readTimeoutMs = 1500;    // no data for this long fails the attempt
    int connectTimeoutMs = 15000;
    int pauseMs = 1000;          // between a failed attempt and the next
};

// The answer with leading and trailing blanks removed; empty text when every attempt failed
// (no connection, time-out, an error status, or an answer too long to be an address).
QString lookUpExternalIp(const IpLookup& lookup);

// The lookup with the endpoint settings in force.
QString DisIpAl();

}  // namespace session
