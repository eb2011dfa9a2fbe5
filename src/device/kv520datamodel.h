#pragma once

#include "devicelivestate.h"
#include "devicerawrecord.h"
#include "kv520protocol.h"

#include <QByteArray>
#include <QDateTime>

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

// What the detector has told us: the history ring of records, the live state,
// the menu and clock blocks and the oscilloscope trace. The exchange worker
// stores frames here; the GUI thread reads copies. One short lock guards
// everything but the write index, and it is never held while the link waits.
class CKV520DataModel
{
public:
    CKV520DataModel();

    // Stores one data frame (5250 bytes, checksum already tested) as the live
    // state and as the record at the write index.
    void StoreDataFrame(const uint8_t* pFrame, int32_t nTickBase);

    // Empties the history logically (records stay in memory, as before).
    void ResetHistory();

    int WriteIndex() const { return m_nWriteIndex.load(std::memory_order_acquire); }
    bool HasWrapped() const { return m_bWrapped.load(std::memory_order_acquire); }
    // Number of valid records: the write index, or the whole ring once it wrapped.
    int StoredCount() const;
    // Records stored since the last reset; unlike the write index it never
    // wraps, so a reader can tell how many it has missed. Record k of this
    // count sits at ring index k % kHistorySize.
    int64_t StoredTotal() const { return m_nStoredTotal.load(std::memory_order_acquire); }

    // A copy of record nIndex; false (and an all-zero record) when nIndex is not
    // a stored record.
    bool Record(int nIndex, DeviceRawRecord& out) const;
    // Copies up to nCount records from nFirst on (ring indices, no wrap inside);
    // returns how many were copied.
    int CopyRecords(int nFirst, int nCount, DeviceRawRecord* pOut) const;

    CDeviceLiveState LiveState() const;
    int ModeFlags() const;
    QByteArray OscilloscopeSamples(int* pParam = nullptr) const;

    // Menu block. Bytes written by the user interface stay as written until they
    // have been sent with command 5 (or are discarded), so a data frame stored
    // between the edit and the command cannot undo the edit.
    uint8_t MenuByte(int nPos) const;
    void SetMenuByte(int nPos, int nValue);
    std::array<uint8_t, KV520::kMenuSize> MenuBlock() const;
    // Writes nCount bytes from position 0 on, as a menu file does.
    void SetMenuBytes(const uint8_t* pData, int nCount);
    void DiscardMenuEdits();

    // Clock block: month 1-12, day 1-31, hour, minute, second. Follows the
    // stored data frames unless the user set a time that has not been sent yet.
    std::array<uint8_t, KV520::kClockSize> ClockBlock() const;
    // The clock block that sets the detector to the PC's time pcNow: every
    // way of setting the clock from the PC sends exactly these bytes.
    static std::array<uint8_t, KV520::kClockSize> PcClockBlock(const QDateTime& pcNow);
    void SetClockBlock(const std::array<uint8_t, KV520::kClockSize>& clock);
    // The settings (menu positions 0-53) and the clock as the detector last
    // reported them, edits not yet sent left out; false before its first
    // stored data frame.
    bool DetectorState(std::array<uint8_t, KV520::kMenuExchanged>& menu,
                       std::array<uint8_t, KV520::kClockSize>& clock) const;

    // The 54 + 5 bytes of a settings write. When menu byte 31 is set the clock
    // block is first taken from pcNow. The pending edits count as sent.
    QByteArray TakeMenuWrite(const QDateTime& pcNow);

private:
    mutable std::mutex m_Lock;
    std::unique_ptr<DeviceRawRecord[]> m_pHistory;
    std::atomic<int> m_nWriteIndex{0};
    std::atomic<bool> m_bWrapped{false};
    std::atomic<int64_t> m_nStoredTotal{0};
    uint8_t m_nFirstMonth = 0;
    uint8_t m_nLargestDay = 0;

    CDeviceLiveState m_Live;
    std::array<uint8_t, KV520::kMenuSize> m_Menu{};
    std::array<bool, KV520::kMenuExchanged> m_MenuEdited{};
    std::array<uint8_t, KV520::kClockSize> m_Clock{};
    bool m_bClockEdited = false;
    std::array<uint8_t, KV520::kMenuExchanged> m_DetectorMenu{};
    std::array<uint8_t, KV520::kClockSize> m_DetectorClock{};
    bool m_bDetectorSeen = false;
    QByteArray m_OscSamples;
};
