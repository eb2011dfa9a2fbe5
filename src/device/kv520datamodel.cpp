#include "kv520datamodel.h"
#include "kv520menupositions.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

using namespace KV520;

CKV520DataModel::CKV520DataModel()
    : m_pHistory(new DeviceRawRecord[kHistorySize]())
    , m_OscSamples(kOscSampleCount, '\0')
{
    // A valid date before the first frame arrives, so an editor never shows garbage.
    const QDateTime now = QDateTime::currentDateTime();
    m_Clock = {uint8_t(now.date().month()), uint8_t(now.date().day()), uint8_t(now.time().hour()),
               uint8_t(now.time().minute()), uint8_t(now.time().second())};
}

void CKV520DataModel::StoreDataFrame(const uint8_t* f, int32_t nTickBase)
{
    const int i = m_nWriteIndex.load(std::memory_order_relaxed);
    std::lock_guard<std::mutex> guard(m_Lock);
    DeviceRawRecord& rec = m_pHistory[i];
    rec.Clear();
    const uint8_t nDayByte = f[kDay];
    const uint8_t nMonthByte = f[kMonth];
    rec.Day = uint8_t(nDayByte + 1);
    rec.Month = uint8_t(nMonthByte + 1);
    if (i == 0) {
        m_nFirstMonth = nMonthByte;
        m_nLargestDay = nDayByte;
    }
    int32_t nTime = int32_t(nDayByte) * kTicksPerDay + nTickBase;
    if (nDayByte > m_nLargestDay)
        m_nLargestDay = nDayByte;
    if (nMonthByte != m_nFirstMonth)
        nTime += int32_t(m_nLargestDay) * kTicksPerDay;
    rec.SetTime(nTime);

    CDeviceLiveState& s = m_Live;
    s.m_nModeFlags = f[kModeFlags];
    s.m_nStatusA = f[kStatusA];
    s.m_nStatusAClear = f[kStatusA] == 0 ? 1 : 0;
    s.m_nStatusB = f[kStatusB];
    s.m_nBandMask = f[kBandMask];
    s.m_nLanguage = (f[kIndicators] >> 1) & 1;
    s.m_nAlarm = f[kIndicators] & 1;
    s.m_nIndicator3 = (f[kIndicators] >> 3) & 1;
    s.m_nStatusWord = qFromLittleEndian<quint16>(f + kStatusWord);
    s.m_nStatusC = f[kStatusC];
    std::memcpy(s.m_Levels, f + kLevelBlock, kLevelBlockSize);
    std::memcpy(s.m_Thresholds, f + kThresholdBlock, kThresholdBlockSize);
    for (int p = 0; p < kMenuExchanged; ++p)
        if (!m_MenuEdited[p])
            m_Menu[p] = f[kMenuBlock + p];
    s.m_nOscParam = f[kOscParam];
    std::memcpy(m_OscSamples.data(), f + kOscSamples, kOscSampleCount);
    if (s.m_nModeFlags & kModeThresholdsInLevels) {
        std::memcpy(s.m_Thresholds, s.m_Levels + 9, 3);
        std::memcpy(s.m_Thresholds + 3, s.m_Levels + 12, 3);
    }
    s.m_nChangeByte = 0;
    s.m_nTickBase = nTickBase;
    ++s.m_nFrameCount;

    m_DetectorClock = {rec.Month, rec.Day, uint8_t((nTickBase / kTicksPerHour) % 24),
                       uint8_t((nTickBase / kTicksPerMinute) % 60), uint8_t((nTickBase / kTicksPerSecond) % 60)};
    if (!m_bClockEdited)
        m_Clock = m_DetectorClock;
    std::memcpy(m_DetectorMenu.data(), f + kMenuBlock, kMenuExchanged);
    m_bDetectorSeen = true;

    std::memcpy(rec.Levels, s.m_Levels, kLevelBlockSize);
    std::memcpy(rec.Thresholds, s.m_Thresholds, kThresholdBlockSize);
    rec.SetStatusWord(0);
    rec.BandMask = f[kBandMask];

    int nNext = i + 1;
    if (nNext >= kHistorySize) {
        nNext = 0;
        m_bWrapped.store(true, std::memory_order_release);
    }
    m_nWriteIndex.store(nNext, std::memory_order_release);
    m_nStoredTotal.fetch_add(1, std::memory_order_release);
}

void CKV520DataModel::ResetHistory()
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_nWriteIndex.store(0, std::memory_order_release);
    m_bWrapped.store(false, std::memory_order_release);
    m_nStoredTotal.store(0, std::memory_order_release);
}

int CKV520DataModel::StoredCount() const
{
    return HasWrapped() ? kHistorySize : WriteIndex();
}

bool CKV520DataModel::Record(int nIndex, DeviceRawRecord& out) const
{
    if (nIndex < 0 || nIndex >= StoredCount()) {
        out.Clear();
        return false;
    }
    std::lock_guard<std::mutex> guard(m_Lock);
    out = m_pHistory[nIndex];
    return true;
}

int CKV520DataModel::CopyRecords(int nFirst, int nCount, DeviceRawRecord* pOut) const
{
    const int nStored = StoredCount();
    if (nFirst < 0 || nCount <= 0 || nFirst >= nStored)
        return 0;
    nCount = std::min(nCount, nStored - nFirst);
    std::lock_guard<std::mutex> guard(m_Lock);
    std::memcpy(static_cast<void*>(pOut), &m_pHistory[nFirst], size_t(nCount) * sizeof(DeviceRawRecord));
    return nCount;
}

CDeviceLiveState CKV520DataModel::LiveState() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Live;
}

int CKV520DataModel::ModeFlags() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Live.m_nModeFlags;
}

QByteArray CKV520DataModel::OscilloscopeSamples(int* pParam) const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    if (pParam)
        *pParam = m_Live.m_nOscParam;
    QByteArray copy(m_OscSamples.constData(), m_OscSamples.size()); // deep copy: never share with the worker
    return copy;
}

uint8_t CKV520DataModel::MenuByte(int nPos) const
{
    if (nPos < 0 || nPos >= kMenuSize)
        return 0;
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Menu[nPos];
}

void CKV520DataModel::SetMenuByte(int nPos, int nValue)
{
    if (nPos < 0 || nPos >= kMenuSize)
        return;
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Menu[nPos] = uint8_t(nValue);
    if (nPos < kMenuExchanged)
        m_MenuEdited[nPos] = true;
}

std::array<uint8_t, KV520::kMenuSize> CKV520DataModel::MenuBlock() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Menu;
}

void CKV520DataModel::SetMenuBytes(const uint8_t* pData, int nCount)
{
    nCount = std::clamp(nCount, 0, kMenuSize);
    std::lock_guard<std::mutex> guard(m_Lock);
    for (int p = 0; p < nCount; ++p) {
        m_Menu[p] = pData[p];
        if (p < kMenuExchanged)
            m_MenuEdited[p] = true;
    }
}

void CKV520DataModel::DiscardMenuEdits()
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_MenuEdited.fill(false);
    m_bClockEdited = false;
}

std::array<uint8_t, KV520::kClockSize> CKV520DataModel::ClockBlock() const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    return m_Clock;
}

bool CKV520DataModel::DetectorState(std::array<uint8_t, KV520::kMenuExchanged>& menu,
                                    std::array<uint8_t, KV520::kClockSize>& clock) const
{
    std::lock_guard<std::mutex> guard(m_Lock);
    menu = m_DetectorMenu;
    clock = m_DetectorClock;
    return m_bDetectorSeen;
}

void CKV520DataModel::SetClockBlock(const std::array<uint8_t, KV520::kClockSize>& clock)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    m_Clock = clock;
    m_bClockEdited = true;
}

std::array<uint8_t, KV520::kClockSize> CKV520DataModel::PcClockBlock(const QDateTime& pcNow)
{
    // The detector takes the day 0-based in this message, the month 1-based.
    return {uint8_t(pcNow.date().month()), uint8_t(pcNow.date().day() - 1), uint8_t(pcNow.time().hour()),
            uint8_t(pcNow.time().minute()), uint8_t(pcNow.time().second())};
}

QByteArray CKV520DataModel::TakeMenuWrite(const QDateTime& pcNow)
{
    std::lock_guard<std::mutex> guard(m_Lock);
    if (m_Menu[KV520Menu::kSyncPc] != 0)
        m_Clock = PcClockBlock(pcNow);
    QByteArray out;
    out.reserve(kMenuExchanged + kClockSize);
    out.append(reinterpret_cast<const char*>(m_Menu.data()), kMenuExchanged);
    out.append(reinterpret_cast<const char*>(m_Clock.data()), kClockSize);
    m_MenuEdited.fill(false);
    m_bClockEdited = false;
    return out;
}
