#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdint>
#include <deque>

// The messages that must reach the broker (alarms, level summaries), in the
// order they were made, kept on disk until the broker has taken each one: an
// outage of the broker or a restart of the service loses none of them.
// Bounded: when full, the oldest is dropped and counted.
//
// The file is one JSON line per message. New messages are appended; the file
// is rewritten without the delivered ones when it is synced after deliveries,
// so a crash can at worst send a message twice, never lose it.
class CForwardQueue
{
    Q_DECLARE_TR_FUNCTIONS(CForwardQueue)

public:
    struct Message
    {
        QByteArray m_Topic;
        QByteArray m_Payload;
        int m_nQos = 1;
    };

    CForwardQueue(const QString& strFile, int nLimit);

    // Takes up what an earlier run left; false with the reason when the file
    // cannot be read. Lines that are not messages are skipped and counted.
    bool Load(QString* pError);
    int SkippedOnLoad() const { return m_nSkipped; }

    // False when the queue was full and its oldest message was dropped.
    bool Push(const Message& message);
    bool IsEmpty() const { return m_Messages.empty(); }
    int Size() const { return int(m_Messages.size()); }
    int Limit() const { return m_nLimit; }
    const Message& Front() const { return m_Messages.front(); }
    void Pop();
    int64_t Dropped() const { return m_nDropped; }

    // Brings the file up to date; false with the reason when a write failed
    // (the messages stay in memory and the next sync tries again).
    bool Sync(QString* pError);
    QString FilePath() const { return m_strFile; }

private:
    bool Rewrite(QString* pError);
    static QByteArray Encode(const Message& message);

    QString m_strFile;
    int m_nLimit;
    std::deque<Message> m_Messages;
    // The file holds m_Messages minus its newest m_nUnwritten, unless
    // m_bRewrite says the file still holds messages already gone.
    int m_nUnwritten = 0;
    bool m_bRewrite = false;
    int64_t m_nDropped = 0;
    int m_nSkipped = 0;
};
