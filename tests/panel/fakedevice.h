#pragma once

#include "idevice.h"
#include "kv520protocol.h"

#include <algorithm>
#include <array>
#include <cstring>

// A detector that is whatever the test says it is; key presses are recorded.
class CFakeDevice : public IDevice
{
public:
    bool m_bConnected = true;
    CDeviceLiveState m_Live;
    std::array<uint8_t, 108> m_Menu = {};
    CDeviceRecord m_LastRecord;
    QList<int> m_Keys;
    int m_nLiveReads = 0;

    void Start() override {}
    void Stop() override {}
    bool IsConnected() override { return m_bConnected; }
    bool HasFailed() override { return false; }
    void PressKey(int nKey) override { m_Keys.append(nKey); }
    void SetCommand(int) override {}
    bool SaveLogFile(const QString&) override { return false; }
    bool SaveRealtimeFile(const QString&, int, QString&) override { return false; }
    bool LoadDataFile(const QString&, QList<CDeviceRecord>&, int&) override { return false; }
    int GetModeFlags() override { return m_Live.m_nModeFlags; }
    int m_nRecordCount = 0;
    int GetRecordCount() override { return m_nRecordCount; }
    int QueryFixedOne() override { return 1; }
    CDeviceRecord GetRecord(int) override { return m_LastRecord; }
    CDeviceRecord GetLastRecord() override { return m_LastRecord; }
    int QueryFixedMinusOne() override { return -1; }
    QString QueryEmptyText() override { return QString(); }
    uint8_t GetMenuByte(int nPos) override { return nPos >= 0 && nPos < 108 ? m_Menu[nPos] : 0; }
    void SetMenuByte(int nPos, int nValue) override
    {
        if (nPos >= 0 && nPos < 108)
            m_Menu[nPos] = uint8_t(nValue);
    }
    bool LoadMenuFile(const QString&) override { return false; }
    bool SaveMenuFile(const QString&) override { return false; }
    int QueryFixedZero() override { return 0; }
    QDateTime GetDeviceTime() override { return QDateTime(); }
    void SetDeviceTime(const QDateTime&) override {}
    const std::atomic<int>* GetProgress() override { return nullptr; }
    CDeviceLiveState GetLiveState() override
    {
        ++m_nLiveReads;
        return m_Live;
    }
    QByteArray GetOscilloscopeSamples(int*) override { return QByteArray(); }
    QString GetLinkError(bool*) override { return QString(); }
    void DiscardMenuEdits() override {}
    QString GetLastFileError() override { return QString(); }
    int32_t m_nNewestTick = -1;
    int32_t GetNewestTick() override { return m_nNewestTick; }

    // The record feed's copies carry their place in the total; read back, each
    // is what GetRecord gives for that place.
    int CopyRawRecords(int64_t nFirst, int nMax, DeviceRawRecord* pOut) override
    {
        const int64_t nTotal = GetRecordTotal();
        if (nFirst < 0 || nMax <= 0 || nFirst >= nTotal)
            return 0;
        const int nCount = int(std::min<int64_t>(nMax, nTotal - nFirst));
        for (int i = 0; i < nCount; ++i) {
            const int64_t k = nFirst + i;
            pOut[i].Clear();
            std::memcpy(pOut[i].Thresholds, &k, sizeof k);
        }
        return nCount;
    }
    CDeviceRecord RecordFromRaw(const DeviceRawRecord& raw) override
    {
        int64_t k = 0;
        std::memcpy(&k, raw.Thresholds, sizeof k);
        return GetRecord(int(k % KV520::kHistorySize));
    }
};
