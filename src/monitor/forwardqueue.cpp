#include "forwardqueue.h"

#include "checkedsavefile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// A line longer than any message this service makes is not one of them.
constexpr qint64 kMaxLine = 1 << 16;
} // namespace

CForwardQueue::CForwardQueue(const QString& strFile, int nLimit)
    : m_strFile(strFile)
    , m_nLimit(qMax(1, nLimit))
{
}

QByteArray CForwardQueue::Encode(const Message& message)
{
    QJsonObject object;
    object.insert(QStringLiteral("topic"), QString::fromUtf8(message.m_Topic));
    object.insert(QStringLiteral("payload"), QString::fromUtf8(message.m_Payload));
    object.insert(QStringLiteral("qos"), message.m_nQos);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

bool CForwardQueue::Load(QString* pError)
{
    m_Messages.clear();
    m_nSkipped = 0;
    const QFileInfo info(m_strFile);
    if (!info.exists())
        return true;
    QFile file(m_strFile);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        *pError = tr("Cannot read the queue %1.").arg(m_strFile);
        return false;
    }
    while (!file.atEnd()) {
        const QByteArray line = file.readLine(kMaxLine);
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        Message message;
        message.m_Topic = object.value(QStringLiteral("topic")).toString().toUtf8();
        message.m_Payload = object.value(QStringLiteral("payload")).toString().toUtf8();
        message.m_nQos = object.value(QStringLiteral("qos")).toInt(-1);
        if (message.m_Topic.isEmpty() || message.m_nQos < 0 || message.m_nQos > 2) {
            ++m_nSkipped;
            continue;
        }
        Push(message);
    }
    // What was read is what the file holds, unless lines were skipped or dropped.
    m_nUnwritten = 0;
    m_bRewrite = m_nSkipped > 0 || m_nDropped > 0;
    return true;
}

bool CForwardQueue::Push(const Message& message)
{
    bool bKept = true;
    if (int(m_Messages.size()) >= m_nLimit) {
        Pop();
        ++m_nDropped;
        bKept = false;
    }
    m_Messages.push_back(message);
    ++m_nUnwritten;
    return bKept;
}

void CForwardQueue::Pop()
{
    if (m_Messages.empty())
        return;
    if (m_nUnwritten >= int(m_Messages.size()))
        --m_nUnwritten; // never reached the file
    else
        m_bRewrite = true;
    m_Messages.pop_front();
}

bool CForwardQueue::Sync(QString* pError)
{
    if (m_bRewrite)
        return Rewrite(pError);
    if (m_nUnwritten == 0)
        return true;
    QDir().mkpath(QFileInfo(m_strFile).absolutePath());
    QFile file(m_strFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        *pError = tr("Cannot write the queue %1: %2").arg(m_strFile, file.errorString());
        return false;
    }
    QByteArray data;
    for (auto it = m_Messages.end() - m_nUnwritten; it != m_Messages.end(); ++it)
        data += Encode(*it);
    // A short write leaves a torn last line, which the next load skips; the
    // whole file is rewritten then so nothing is left out.
    if (file.write(data) != data.size() || !file.flush()) {
        *pError = tr("Cannot write the queue %1: %2").arg(m_strFile, file.errorString());
        m_bRewrite = true;
        return false;
    }
    m_nUnwritten = 0;
    return true;
}

bool CForwardQueue::Rewrite(QString* pError)
{
    if (m_Messages.empty()) {
        if (QFile::exists(m_strFile) && !QFile::remove(m_strFile)) {
            *pError = tr("Cannot remove the delivered queue %1.").arg(m_strFile);
            return false;
        }
    } else {
        QDir().mkpath(QFileInfo(m_strFile).absolutePath());
        QByteArray data;
        for (const Message& message : m_Messages)
            data += Encode(message);
        CCheckedSaveFile file(m_strFile);
        if (!file.Open() || !file.Write(data) || !file.Commit()) {
            *pError = tr("Cannot write the queue %1: %2").arg(m_strFile, file.ErrorString());
            return false;
        }
    }
    m_bRewrite = false;
    m_nUnwritten = 0;
    return true;
}
