#include "ui/eventloop.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace ui {

void post(std::function<void()> fn) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn), Qt::QueuedConnection);
}

void quit() { QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection); }

}  // namespace ui
