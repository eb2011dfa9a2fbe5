#pragma once

#include "iserialhandle.h"

#include <QByteArray>
#include <QList>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>

// A detector played by the test behind the link: each write is recorded and
// handed to the responder, and its answer can be read at once. No call ever
// waits, so silence on the line costs the worker no time.
class CFakeSerialHandle : public ISerialHandle
{
public:
    // Gets the bytes of one write, returns what the detector answers to them.
    using Responder = std::function<QByteArray(const QByteArray& written)>;

    explicit CFakeSerialHandle(Responder responder, int nOpenLimit = -1)
        : m_Responder(std::move(responder))
        , m_nOpensLeft(nOpenLimit)
    {
    }

    bool Open(const QString&, int, int, Parity, int) override
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_nOpensLeft == 0)
            return false;
        if (m_nOpensLeft > 0)
            --m_nOpensLeft;
        m_bOpen = true;
        m_Waiting.clear();
        return true;
    }

    void Close() override
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_bOpen)
            ++m_nCloses;
        m_bOpen = false;
        m_Waiting.clear();
        m_Changed.notify_all();
    }

    bool IsOpen() const override
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        return m_bOpen;
    }

    long Write(const void* pData, size_t nCount) override
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (!m_bOpen)
            return -1;
        const QByteArray bytes(static_cast<const char*>(pData), qsizetype(nCount));
        m_Writes.append(bytes);
        m_Waiting += m_Responder(bytes);
        m_Changed.notify_all();
        return long(nCount);
    }

    long ReadAvailable(void* pData, size_t nCount) override
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (!m_bOpen)
            return -1;
        const qsizetype n = qMin(qsizetype(nCount), m_Waiting.size());
        std::memcpy(pData, m_Waiting.constData(), size_t(n));
        m_Waiting.remove(0, n);
        return long(n);
    }

    long ReadAfter(int, void* pData, size_t nCount) override { return ReadAvailable(pData, nCount); }

    bool WaitReadable(int) override
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        return m_bOpen && !m_Waiting.isEmpty();
    }

    QString LastError() const override { return QStringLiteral("no detector"); }
    bool LastErrorIsPermission() const override { return false; }

    QList<QByteArray> Writes() const
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        return m_Writes;
    }

    // Waits until the link has been closed nCount times in all.
    bool WaitForCloses(int nCount, int nTimeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_Lock);
        return m_Changed.wait_for(lock, std::chrono::milliseconds(nTimeoutMs), [&] { return m_nCloses >= nCount; });
    }

private:
    mutable std::mutex m_Lock;
    std::condition_variable m_Changed;
    Responder m_Responder;
    int m_nOpensLeft;
    bool m_bOpen = false;
    int m_nCloses = 0;
    QByteArray m_Waiting;
    QList<QByteArray> m_Writes;
};
