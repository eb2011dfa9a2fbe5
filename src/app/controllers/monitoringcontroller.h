#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class CKV520Device;
class CMonitorReporter;
class CRecordFeed;
class IDevice;
#include <QLabel>
class QStatusBar;

// Publishing from the window while it runs: the service's own reporter and
// configuration file, fed by the window's record feed as one more sink, so
// the detector's port is opened once. Off unless switched on in Preferences;
// while off nothing is published and no socket is opened. The status bar
// shows the broker's state while publishing to one.
class CMonitoringController : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kEnabledKey = "Monitoring/Enabled";
    static constexpr const char* kConfigKey = "Monitoring/ConfigFile";

    // pDevice gives the frame counts of the metrics; may be null.
    CMonitoringController(CRecordFeed* pFeed, CKV520Device* pDevice, QStatusBar* pBar, QObject* pParent = nullptr);
    ~CMonitoringController() override;

    // Switches on as the settings say; false with the reason when the
    // stored configuration no longer works (the setting is kept).
    bool Restore(QString* pError);
    // On with this configuration file (again, if it was on), or off; kept in
    // the settings. False with the reason (a bad line of the file, a port
    // taken), and then it stays as it was.
    bool Apply(bool bOn, const QString& strConfigFile, QString* pError);
    // Off without touching the settings, before the feed goes.
    void Stop();
    // At each poll, after the feed handed on the new records.
    void Tick(IDevice* pDevice, bool bConnected);
    void Retranslate();

    bool IsOn() const { return m_pReporter != nullptr; }
    bool IsBrokerConnected() const;
    QLabel* BrokerLabel() const { return m_pBrokerLabel; }

private:
    void UpdateLabel();

    CRecordFeed* m_pFeed;
    CKV520Device* m_pDevice;
    // Owned by the status bar, which may go first.
    QPointer<QLabel> m_pBrokerLabel;
    std::unique_ptr<CMonitorReporter> m_pReporter;
    QString m_strConfiguredId;
    QString m_strConfigFile;
    bool m_bPublishes = false;
    bool m_bMqttPending = false;
};
