#include "metricsendpoint.h"

#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>

namespace {

const char* const kChannelNames[CMonitorReporter::kChannels] = {"B1", "B1F", "B2"};

void Metric(QByteArray& text, const char* pName, const char* pType, const char* pHelp, double dValue)
{
    text += QByteArray("# HELP ") + pName + ' ' + pHelp + "\n# TYPE " + pName + ' ' + pType + '\n' + pName + ' '
          + QByteArray::number(dValue, 'g', 15) + '\n';
}

} // namespace

CMetricsEndpoint::CMetricsEndpoint(Source source)
    : m_Source(std::move(source))
{
}

CMetricsEndpoint::~CMetricsEndpoint() = default;

bool CMetricsEndpoint::Listen(const QString& strAddress, int nPort, QString* pError)
{
    QHostAddress address;
    if (!address.setAddress(strAddress)) {
        *pError = tr("%1 is not an IP address to serve the metrics on.").arg(strAddress);
        return false;
    }
    m_pServer = std::make_unique<QHttpServer>();
    m_pServer->route(QStringLiteral("/metrics"), QHttpServerRequest::Method::Get, [this] {
        return QHttpServerResponse(QByteArrayLiteral("text/plain; version=0.0.4; charset=utf-8"), Text(m_Source()));
    });
    if (m_pServer->listen(address, quint16(nPort)) == 0) {
        *pError = tr("Cannot serve the metrics on %1 port %2 (taken?).").arg(strAddress).arg(nPort);
        m_pServer.reset();
        return false;
    }
    return true;
}

QByteArray CMetricsEndpoint::Text(const CMonitorReporter::Figures& figures)
{
    QByteArray text;
    Metric(text, "kv521_link_up", "gauge", "1 while the detector answers.", figures.m_bLinkUp ? 1 : 0);
    Metric(text, "kv521_broker_up", "gauge", "1 while the MQTT broker is connected.", figures.m_bBrokerUp ? 1 : 0);
    Metric(text, "kv521_frames_good_total", "counter", "Frames received whole.", double(figures.m_nGoodFrames));
    Metric(text, "kv521_frames_bad_total", "counter", "Frames short or with a bad sum.", double(figures.m_nBadFrames));
    Metric(text, "kv521_records_total", "counter", "Records recorded.", double(figures.m_nRecords));
    Metric(text, "kv521_alarms_total", "counter", "Alarms raised by the detector.", double(figures.m_nAlarms));
    Metric(text, "kv521_queue_length", "gauge", "Messages waiting for the broker.", double(figures.m_nQueued));
    Metric(text, "kv521_queue_dropped_total", "counter", "Messages dropped from a full queue.",
           double(figures.m_nDropped));
    text += "# HELP kv521_level_db The last level of each channel, in dB.\n# TYPE kv521_level_db gauge\n";
    for (int c = 0; c < CMonitorReporter::kChannels; ++c) {
        if (!figures.m_bChannelSeen[c])
            continue;
        text += QByteArray("kv521_level_db{channel=\"") + kChannelNames[c] + "\",component=\"dc\"} "
              + QByteArray::number(figures.m_dLastDc[c], 'g', 15) + '\n';
        text += QByteArray("kv521_level_db{channel=\"") + kChannelNames[c] + "\",component=\"ac\"} "
              + QByteArray::number(figures.m_dLastAc[c], 'g', 15) + '\n';
    }
    return text;
}
