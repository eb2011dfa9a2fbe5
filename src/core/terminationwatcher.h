#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the operating system's polite requests to end the program (SIGTERM
// at logout or from a service manager, SIGINT from a terminal, SIGHUP when
// the terminal goes) into a signal in the GUI thread, so the program closes
// as if the user had closed its window: the link is stopped and the
// settings are written. A second request ends the program at once, for a
// close that hangs. Does nothing where there are no such signals.
class CTerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit CTerminationWatcher(QObject* pParent = nullptr);
    ~CTerminationWatcher() override;

Q_SIGNALS:
    void terminationRequested(int nSignal);

private:
    void OnReadable();

    QSocketNotifier* m_pNotifier = nullptr;
};
