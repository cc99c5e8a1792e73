#pragma once
// Drives the next window of the given class that is shown modally, once it is up.

#include <QApplication>
#include <QTimer>
#include <functional>

template <class Window>
void whenModal(std::function<void(Window&)> drive) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, drive] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!w) return;
        timer->stop();
        timer->deleteLater();
        drive(*w);
    });
    timer->start();
}
