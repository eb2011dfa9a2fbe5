#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <atomic>

struct mosquitto;
class CForwardQueue;

// The link to an MQTT broker, through libmosquitto on its own network thread.
// It reconnects by itself; its last will marks the detector offline. Messages
// that must arrive go through the forward queue, one at a time, each taken
// off the queue only when the broker has confirmed it, so they reach the
// broker in order. The rest (the retained state, discovery) is published
// while connected and repeated on every connection.
class CMqttPublisher : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        QString m_strHost;
        int m_nPort = 1883;
        QString m_strClientId;
        QString m_strCaFile;
        QString m_strCertFile;
        QString m_strKeyFile;
        QString m_strUsername;
        QString m_strPassword;
        QByteArray m_WillTopic;
        QByteArray m_WillPayload;
    };

    // A confirmation that has not come this long after the message went out
    // (a broker that forgot it across a reconnection): it is sent again.
    static constexpr int kResendMs = 10000;

    explicit CMqttPublisher(QObject* pParent = nullptr);
    ~CMqttPublisher() override;

    // Starts connecting; false with the reason for settings libmosquitto
    // refuses (a missing certificate file). The broker may be away.
    bool Start(const Settings& settings, QString* pError);
    // Publishes pLastWords (retained, like the will) and disconnects.
    void Stop(const QByteArray& lastTopic = QByteArray(), const QByteArray& lastPayload = QByteArray());

    bool IsConnected() const { return m_bConnected; }
    // Only while connected; false when not sent.
    bool PublishNow(const QByteArray& topic, const QByteArray& payload, int nQos, bool bRetain);

    void SetQueue(CForwardQueue* pQueue) { m_pQueue = pQueue; }
    // Sends the queue's next message when none is waiting for its confirmation.
    void Pump();
    int64_t Delivered() const { return m_nDelivered; }

Q_SIGNALS:
    void connected();
    void disconnected(int nReason);
    void delivered();

private:
    static void OnConnectCallback(mosquitto*, void* pThis, int nResult);
    static void OnDisconnectCallback(mosquitto*, void* pThis, int nReason);
    static void OnPublishCallback(mosquitto*, void* pThis, int nMid);
    // Called by name from libmosquitto's thread: a queued call carries only
    // its argument, no functor object shared between the two threads.
    Q_INVOKABLE void OnConnected(int nResult);
    Q_INVOKABLE void OnDisconnected(int nReason);
    Q_INVOKABLE void OnPublished(int nMid);

    mosquitto* m_pMosq = nullptr;
    bool m_bLoopRunning = false;
    bool m_bConnected = false;
    CForwardQueue* m_pQueue = nullptr;
    int m_nInFlight = -1; // the message id waiting for its confirmation
    QElapsedTimer m_InFlightSince;
    int64_t m_nDelivered = 0;
};
