#pragma once
// Call before the first embedded browser view is created: the browser engine refuses to start
// its sandbox for the root user, so the sandbox is switched off when running as root.

namespace session {

void prepareEmbeddedBrowser();

}  // namespace session
