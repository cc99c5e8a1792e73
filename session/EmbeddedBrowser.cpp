#include "session/EmbeddedBrowser.h"

#include <QByteArray>
#include <QtGlobal>
#include <unistd.h>

namespace session {

void prepareEmbeddedBrowser() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArray("1"));
}

}  // namespace session
