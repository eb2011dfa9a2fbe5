#pragma once

#include "monitorreporter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>

class QHttpServer;

// The service's figures at /metrics in the Prometheus text format, served by
// Qt's HTTP server on the address it is given (loopback unless told
// otherwise). Anything but GET /metrics is answered 404.
class CMetricsEndpoint
{
    Q_DECLARE_TR_FUNCTIONS(CMetricsEndpoint)

public:
    using Source = std::function<CMonitorReporter::Figures()>;

    explicit CMetricsEndpoint(Source source);
    ~CMetricsEndpoint();

    bool Listen(const QString& strAddress, int nPort, QString* pError);
    // The exposition text of these figures.
    static QByteArray Text(const CMonitorReporter::Figures& figures);

private:
    Source m_Source;
    std::unique_ptr<QHttpServer> m_pServer;
};
