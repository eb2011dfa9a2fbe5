#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window of type T (a message box, a file dialog, a
// nested dialog) once it is up, so a test can drive code that runs exec().
// Returns a flag that tells whether it was answered. An answerer whose window
// never came belongs to the application, so it goes with it at exit.
template <class T>
std::shared_ptr<bool> AnswerModal(std::function<void(T*)> answer)
{
    auto pDone = std::make_shared<bool>(false);
    auto* pTimer = new QTimer(qApp);
    pTimer->setInterval(20);
    QObject::connect(pTimer, &QTimer::timeout, [pTimer, pDone, answer] {
        T* pWindow = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!pWindow || !pWindow->isVisible())
            return;
        pTimer->stop();
        pTimer->deleteLater();
        *pDone = true;
        answer(pWindow);
    });
    pTimer->start();
    return pDone;
}
