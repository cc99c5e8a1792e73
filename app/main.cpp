#include <QApplication>
#include <QScreen>
#include <clocale>

#include "app/AppStyle.h"
#include "app/TForm1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers for files and the wire use the C conventions; user-visible ones are formatted
    // explicitly with the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    applyVisualStyle(app);

    TForm1 form;
    form.GirisYap();
    // Without a window manager "maximised" means nothing; start at the screen's size anyway.
    if (QScreen* screen = form.screen()) form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    return app.exec();
}
