#pragma once

#include "portchoice.h"
#include "statusmessage.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class CKV520Device;
class CKV521Simulator;
class CLinkStatusField;
class ISerialPortEnumerator;
class QLabel;
class QStatusBar;
class QWidget;

// The link to the detector: which port (or the simulated detector) it uses,
// the simulator's lifetime, the link's state in the status bar with the
// messages that belong to it, and the restart of a worker that failed.
class CConnectionController : public QObject
{
    Q_OBJECT
public:
    // The link's state at one poll step.
    enum class LinkState { Offline, Online, Failed, NoData };

    // Set before the window is built: the port the device object opens instead
    // of searching for the detector (command line, simulator).
    static void SetDevicePort(const QString& strPort);
    // Set before the window is built: start with the simulated detector for
    // this run (--simulate), whatever port is set above.
    static void SetSimulated(bool bSimulated);
    // Set before the window is built: where the port list comes from (tests give their own).
    static void SetPortEnumerator(std::shared_ptr<ISerialPortEnumerator> pEnumerator);

    // Adds the link field to the bar; pReadyLabel is emptied while the worker restarts.
    CConnectionController(CKV520Device* pDevice, QStatusBar* pBar, QLabel* pReadyLabel, QWidget* pDialogParent,
                          QObject* pParent = nullptr);
    ~CConnectionController() override;

    CLinkStatusField* LinkField() const { return m_pLinkField; }
    QLabel* LinkLabel() const;
    CPortChoice PortChoice() const { return m_PortChoice; }

    // Connects as chosen at the start and starts the link.
    void Start();
    // Stops the link before another port is chosen.
    void Stop();
    // Connects as chosen and starts the link again. False (with a status
    // message) when the simulator or the link cannot be started.
    bool Reconnect(const CPortChoice& choice);
    // The port chooser; the choice when it differs from the link of now.
    std::optional<CPortChoice> ChoosePort();

    // One poll step: the link's state shown, its messages put up or taken
    // down, a failed worker restarted. True when the state changed.
    bool Tick(LinkState* pState);

Q_SIGNALS:
    // The user asked for the port chooser through the link's message.
    void portChoiceWanted();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool ApplyPortChoice(const CPortChoice& choice);
    void UpdateLinkPort();
    void ShowLinkProblem();
    void ShowNoDataCause(int nCauses);

    CKV520Device* m_pDevice;
    QStatusBar* m_pBar;
    QLabel* m_pReadyLabel;
    QWidget* m_pDialogParent;
    CLinkStatusField* m_pLinkField = nullptr;
    CPortChoice m_PortChoice;
    // Shared only so the type may stay incomplete where no simulator is built.
    std::shared_ptr<CKV521Simulator> m_pSimulator;
    // The link message on display now, taken down when the link comes up
    // unless another message has replaced it meanwhile.
    CStatusMessage m_LinkMessage;
    // The link problem last shown, so a port that keeps failing is reported
    // once instead of at every reconnection attempt.
    QString m_strShownLinkError;
    // The IDevice::NoData* causes already told in the status bar.
    int m_nShownNoDataCauses = 0;
    // The state at the last step; -1 before the first and after a port switch.
    int m_nLinkState = -1;
};
