#include "mqttpublisher.h"

#include "forwardqueue.h"
#include "tracecategories.h"

#include <QMetaObject>

#include <mosquitto.h>

#include <mutex>

namespace {

constexpr int kKeepAliveSecs = 30;
// Broker away: the first attempt again after a second, backing off to this.
constexpr unsigned kReconnectMaxSecs = 5;

QByteArray Local(const QString& strText)
{
    return strText.toLocal8Bit();
}

const char* OrNull(const QByteArray& text)
{
    return text.isEmpty() ? nullptr : text.constData();
}

} // namespace

CMqttPublisher::CMqttPublisher(QObject* pParent)
    : QObject(pParent)
{
    static std::once_flag s_Init;
    std::call_once(s_Init, [] { mosquitto_lib_init(); });
}

CMqttPublisher::~CMqttPublisher()
{
    Stop();
}

bool CMqttPublisher::Start(const Settings& settings, QString* pError)
{
    Stop();
    const QByteArray clientId = settings.m_strClientId.toUtf8();
    m_pMosq = mosquitto_new(clientId.constData(), true, this);
    if (!m_pMosq) {
        *pError = QStringLiteral("mosquitto_new: %1").arg(QString::fromLocal8Bit(mosquitto_strerror(errno)));
        return false;
    }
    mosquitto_int_option(m_pMosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(m_pMosq, &CMqttPublisher::OnConnectCallback);
    mosquitto_disconnect_callback_set(m_pMosq, &CMqttPublisher::OnDisconnectCallback);
    mosquitto_publish_callback_set(m_pMosq, &CMqttPublisher::OnPublishCallback);
    mosquitto_reconnect_delay_set(m_pMosq, 1, kReconnectMaxSecs, true);
    int nRc = MOSQ_ERR_SUCCESS;
    if (!settings.m_WillTopic.isEmpty())
        nRc = mosquitto_will_set(m_pMosq, settings.m_WillTopic.constData(), int(settings.m_WillPayload.size()),
                                 settings.m_WillPayload.constData(), 1, true);
    if (nRc == MOSQ_ERR_SUCCESS && !settings.m_strUsername.isEmpty())
        nRc = mosquitto_username_pw_set(m_pMosq, settings.m_strUsername.toUtf8().constData(),
                                        settings.m_strPassword.isEmpty() ? nullptr
                                                                         : settings.m_strPassword.toUtf8().constData());
    if (nRc == MOSQ_ERR_SUCCESS && !settings.m_strCaFile.isEmpty()) {
        const QByteArray ca = Local(settings.m_strCaFile);
        const QByteArray cert = Local(settings.m_strCertFile);
        const QByteArray key = Local(settings.m_strKeyFile);
        nRc = mosquitto_tls_set(m_pMosq, ca.constData(), nullptr, OrNull(cert), OrNull(key), nullptr);
    }
    if (nRc != MOSQ_ERR_SUCCESS) {
        *pError = QString::fromLocal8Bit(mosquitto_strerror(nRc));
        mosquitto_destroy(m_pMosq);
        m_pMosq = nullptr;
        return false;
    }
    // A broker that is away now is tried again by the network thread.
    nRc = mosquitto_connect_async(m_pMosq, settings.m_strHost.toUtf8().constData(), settings.m_nPort, kKeepAliveSecs);
    if (nRc != MOSQ_ERR_SUCCESS)
        qCWarning(lcMonitor).noquote() << QStringLiteral("MQTT broker %1:%2 not reached yet: %3")
                                              .arg(settings.m_strHost)
                                              .arg(settings.m_nPort)
                                              .arg(QString::fromLocal8Bit(mosquitto_strerror(nRc)));
    nRc = mosquitto_loop_start(m_pMosq);
    if (nRc != MOSQ_ERR_SUCCESS) {
        *pError = QString::fromLocal8Bit(mosquitto_strerror(nRc));
        mosquitto_destroy(m_pMosq);
        m_pMosq = nullptr;
        return false;
    }
    m_bLoopRunning = true;
    return true;
}

void CMqttPublisher::Stop(const QByteArray& lastTopic, const QByteArray& lastPayload)
{
    if (!m_pMosq)
        return;
    if (m_bConnected && !lastTopic.isEmpty())
        mosquitto_publish(m_pMosq, nullptr, lastTopic.constData(), int(lastPayload.size()), lastPayload.constData(), 1,
                          true);
    // A clean disconnection: the broker keeps the will to itself, so the
    // state was set above. What is queued before it still goes out.
    mosquitto_disconnect(m_pMosq);
    // Without a connection the network thread may sit in a blocking connect
    // to a host that never answers; the window must not wait for it.
    if (m_bLoopRunning)
        mosquitto_loop_stop(m_pMosq, !m_bConnected);
    m_bLoopRunning = false;
    mosquitto_destroy(m_pMosq);
    m_pMosq = nullptr;
    m_bConnected = false;
    m_nInFlight = -1;
}

bool CMqttPublisher::PublishNow(const QByteArray& topic, const QByteArray& payload, int nQos, bool bRetain)
{
    if (!m_pMosq || !m_bConnected)
        return false;
    return mosquitto_publish(m_pMosq, nullptr, topic.constData(), int(payload.size()), payload.constData(), nQos,
                             bRetain)
        == MOSQ_ERR_SUCCESS;
}

void CMqttPublisher::Pump()
{
    if (!m_pMosq || !m_bConnected || !m_pQueue || m_pQueue->IsEmpty())
        return;
    if (m_nInFlight >= 0 && !m_InFlightSince.hasExpired(kResendMs))
        return;
    const CForwardQueue::Message& message = m_pQueue->Front();
    int nMid = -1;
    const int nRc = mosquitto_publish(m_pMosq, &nMid, message.m_Topic.constData(), int(message.m_Payload.size()),
                                      message.m_Payload.constData(), message.m_nQos, false);
    if (nRc != MOSQ_ERR_SUCCESS)
        return; // the next pump tries again
    m_nInFlight = nMid;
    m_InFlightSince.start();
}

// The callbacks run on libmosquitto's thread; the work is done on ours.
void CMqttPublisher::OnConnectCallback(mosquitto*, void* pThis, int nResult)
{
    auto* pPublisher = static_cast<CMqttPublisher*>(pThis);
    QMetaObject::invokeMethod(pPublisher, "OnConnected", Qt::QueuedConnection, Q_ARG(int, nResult));
}

void CMqttPublisher::OnDisconnectCallback(mosquitto*, void* pThis, int nReason)
{
    auto* pPublisher = static_cast<CMqttPublisher*>(pThis);
    QMetaObject::invokeMethod(pPublisher, "OnDisconnected", Qt::QueuedConnection, Q_ARG(int, nReason));
}

void CMqttPublisher::OnPublishCallback(mosquitto*, void* pThis, int nMid)
{
    auto* pPublisher = static_cast<CMqttPublisher*>(pThis);
    QMetaObject::invokeMethod(pPublisher, "OnPublished", Qt::QueuedConnection, Q_ARG(int, nMid));
}

void CMqttPublisher::OnConnected(int nResult)
{
    if (!m_pMosq)
        return;
    if (nResult != 0) {
        qCWarning(lcMonitor).noquote() << QStringLiteral("MQTT broker refused the connection: %1")
                                              .arg(QString::fromLocal8Bit(mosquitto_connack_string(nResult)));
        return;
    }
    m_bConnected = true;
    qCInfo(lcMonitor) << "MQTT connected";
    // A message in flight is sent again by libmosquitto on the new connection;
    // its confirmation then comes as usual.
    if (m_nInFlight >= 0)
        m_InFlightSince.start();
    Q_EMIT connected();
    Pump();
}

void CMqttPublisher::OnDisconnected(int nReason)
{
    if (!m_bConnected)
        return;
    m_bConnected = false;
    qCWarning(lcMonitor).noquote() << QStringLiteral("MQTT connection lost (%1); messages wait in the queue")
                                          .arg(QString::fromLocal8Bit(mosquitto_strerror(nReason)));
    Q_EMIT disconnected(nReason);
}

void CMqttPublisher::OnPublished(int nMid)
{
    if (nMid != m_nInFlight || !m_pQueue)
        return;
    m_nInFlight = -1;
    m_pQueue->Pop();
    ++m_nDelivered;
    Q_EMIT delivered();
    Pump();
}
