#include "sessioncomparison.h"

#include "alarmrule.h"
#include "recordtexts.h"

#include <QMap>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace {

constexpr int kNoPosition = -1;
constexpr int kSignalKinds = kSignalKindCount; // codes 1 .. 6 are kinds

struct Seen
{
    int64_t nPosition = kNoPosition;
    int64_t nTime = 0;
    bool IsSeen() const { return nPosition != kNoPosition; }
};

struct Summary
{
    Seen kinds[kSignalKinds];
    Seen bands[CSessionComparison::kChannels];
    double maxLevels[CSessionComparison::kChannels] = {};
    Seen maxAt[CSessionComparison::kChannels];
    QMap<int, Seen> alarms; // channel * kSignalKinds + kind
    std::vector<double> frequencies; // sorted, distinct
};

void Mark(Seen& seen, int64_t nPosition, const CDeviceRecord& record)
{
    if (!seen.IsSeen()) {
        seen.nPosition = nPosition;
        seen.nTime = record.m_nTime;
    }
}

double Level(const CDeviceRecord& record, int nEntry)
{
    if (nEntry >= record.m_Levels.size())
        return 0.0;
    const double dLevel = record.m_Levels[nEntry].m_dLevel;
    return std::isfinite(dLevel) ? dLevel : 0.0;
}

int SignalOf(const CDeviceRecord& record, int nEntry)
{
    if (nEntry >= record.m_Levels.size())
        return 0;
    const int nSignal = record.m_Levels[nEntry].m_nSignal;
    return nSignal > 0 && nSignal < kSignalKinds ? nSignal : 0;
}

bool ChannelInAlarm(const CDeviceRecord& record, int nChannel, bool bLog)
{
    if (bLog)
        return (record.m_nBandMask & (1 << nChannel)) != 0;
    for (int nEntry = 2 * nChannel; nEntry < 2 * nChannel + 2 && nEntry < record.m_Levels.size(); ++nEntry) {
        const CDeviceLevel& level = record.m_Levels[nEntry];
        if (level.m_dThreshold > 0.0 && level.m_dLevel >= level.m_dThreshold)
            return true;
    }
    return false;
}

Summary Summarise(const CSessionComparison::Session& session)
{
    Summary summary;
    std::set<double> frequencies;
    for (qsizetype i = 0; i < session.records.size(); ++i) {
        const CDeviceRecord& record = session.records[i];
        for (int nEntry = 0; nEntry < record.m_Levels.size(); ++nEntry)
            if (const int nSignal = SignalOf(record, nEntry))
                Mark(summary.kinds[nSignal], i, record);
        for (int c = 0; c < CSessionComparison::kChannels; ++c) {
            const double dLevel = std::max(Level(record, 2 * c), Level(record, 2 * c + 1));
            if ((record.m_nBandMask & (1 << c)) == 0 || dLevel <= 0.0)
                continue;
            Mark(summary.bands[c], i, record);
            if (dLevel > summary.maxLevels[c] || !summary.maxAt[c].IsSeen()) {
                summary.maxLevels[c] = dLevel;
                summary.maxAt[c] = Seen{i, record.m_nTime};
            }
        }
        if (std::isfinite(record.m_dFrequency) && record.m_dFrequency != 0.0)
            frequencies.insert(record.m_dFrequency);
        if (!CAlarmRule::IsAlarm(record, session.bLog))
            continue;
        for (int c = 0; c < CSessionComparison::kChannels; ++c) {
            if (!ChannelInAlarm(record, c, session.bLog))
                continue;
            const int nSignal = SignalOf(record, 2 * c) ? SignalOf(record, 2 * c) : SignalOf(record, 2 * c + 1);
            Mark(summary.alarms[c * kSignalKinds + nSignal], i, record);
        }
    }
    summary.frequencies.assign(frequencies.begin(), frequencies.end());
    return summary;
}

bool Near(const std::vector<double>& sorted, double dValue, double dTolerance)
{
    const auto it = std::lower_bound(sorted.begin(), sorted.end(), dValue - dTolerance);
    return it != sorted.end() && *it <= dValue + dTolerance;
}

QString KindText(int nSignal)
{
    return SignalKindName(nSignal).trimmed();
}

QString Number(double d)
{
    return QString::number(d, 'f', 1);
}

} // namespace

QString CSessionDifference::KindKey(Kind eKind)
{
    switch (eKind) {
    case Kind::SignalNew: return QStringLiteral("signal-new");
    case Kind::SignalGone: return QStringLiteral("signal-gone");
    case Kind::BandNew: return QStringLiteral("band-new");
    case Kind::BandGone: return QStringLiteral("band-gone");
    case Kind::FrequencyNew: return QStringLiteral("frequency-new");
    case Kind::LevelRose: return QStringLiteral("level-rose");
    case Kind::LevelFell: return QStringLiteral("level-fell");
    case Kind::AlarmNew: return QStringLiteral("alarm-new");
    }
    return QString();
}

QString CSessionComparison::ChannelName(int nChannel)
{
    static const char* const kNames[kChannels] = {"B1", "B1F", "B2"};
    return nChannel >= 0 && nChannel < kChannels ? QLatin1String(kNames[nChannel]) : QString();
}

QList<CSessionDifference> CSessionComparison::Compare(const Session& now, const Session& base, const Options& options)
{
    const double dTolerance =
        std::isfinite(options.dToleranceKhz) ? std::clamp(options.dToleranceKhz, 0.0, kMaxToleranceKhz) : 0.0;
    const double dMinChange = std::isfinite(options.dMinChangeDb) ? std::max(options.dMinChangeDb, 0.0) : 0.0;
    const Summary current = Summarise(now);
    const Summary before = Summarise(base);
    QList<CSessionDifference> differences;
    const auto add = [&](CSessionDifference::Kind eKind, const Seen& at) -> CSessionDifference& {
        CSessionDifference difference;
        difference.m_eKind = eKind;
        difference.m_nPosition = at.nPosition;
        difference.m_nTime = at.nTime;
        differences << difference;
        return differences.last();
    };

    for (int k = 1; k < kSignalKinds; ++k) {
        if (current.kinds[k].IsSeen() && !before.kinds[k].IsSeen()) {
            CSessionDifference& d = add(CSessionDifference::Kind::SignalNew, current.kinds[k]);
            d.m_nSignal = k;
            d.m_strText = tr("New signal kind: %1").arg(KindText(k));
        }
    }
    for (int k = 1; k < kSignalKinds; ++k) {
        if (!current.kinds[k].IsSeen() && before.kinds[k].IsSeen()) {
            CSessionDifference& d = add(CSessionDifference::Kind::SignalGone, Seen());
            d.m_nSignal = k;
            d.m_strText = tr("Signal kind gone: %1").arg(KindText(k));
        }
    }
    for (int c = 0; c < kChannels; ++c) {
        if (current.bands[c].IsSeen() && !before.bands[c].IsSeen()) {
            CSessionDifference& d = add(CSessionDifference::Kind::BandNew, current.bands[c]);
            d.m_nChannel = c;
            d.m_strText = tr("New band: %1").arg(ChannelName(c));
        } else if (!current.bands[c].IsSeen() && before.bands[c].IsSeen()) {
            CSessionDifference& d = add(CSessionDifference::Kind::BandGone, Seen());
            d.m_nChannel = c;
            d.m_strText = tr("Band gone: %1").arg(ChannelName(c));
        }
    }

    // Each new frequency once: those near one already told are the same carrier.
    std::vector<double> told;
    for (qsizetype i = 0; i < now.records.size(); ++i) {
        const double dFrequency = now.records[i].m_dFrequency;
        if (!std::isfinite(dFrequency) || dFrequency == 0.0 || Near(before.frequencies, dFrequency, dTolerance)
            || Near(told, dFrequency, dTolerance))
            continue;
        told.insert(std::lower_bound(told.begin(), told.end(), dFrequency), dFrequency);
        CSessionDifference& d = add(CSessionDifference::Kind::FrequencyNew, Seen{i, now.records[i].m_nTime});
        d.m_dFrequency = dFrequency;
        d.m_strText = tr("New frequency: %1 MHz").arg(CRecordTexts::FrequencyText(dFrequency));
    }

    // Levels of a channel present in both; a band new or gone is told above.
    for (int c = 0; c < kChannels; ++c) {
        if (!current.bands[c].IsSeen() || !before.bands[c].IsSeen())
            continue;
        const double dChange = current.maxLevels[c] - before.maxLevels[c];
        if (dChange == 0.0 || std::abs(dChange) < dMinChange)
            continue;
        const bool bRose = dChange > 0.0;
        CSessionDifference& d =
            add(bRose ? CSessionDifference::Kind::LevelRose : CSessionDifference::Kind::LevelFell, current.maxAt[c]);
        d.m_nChannel = c;
        d.m_dBefore = before.maxLevels[c];
        d.m_dNow = current.maxLevels[c];
        d.m_strText = (bRose ? tr("Highest level on %1 rose from %2 dB to %3 dB")
                             : tr("Highest level on %1 fell from %2 dB to %3 dB"))
                          .arg(ChannelName(c), Number(d.m_dBefore), Number(d.m_dNow));
    }

    for (auto it = current.alarms.cbegin(); it != current.alarms.cend(); ++it) {
        if (before.alarms.contains(it.key()))
            continue;
        CSessionDifference& d = add(CSessionDifference::Kind::AlarmNew, it.value());
        d.m_nChannel = it.key() / kSignalKinds;
        d.m_nSignal = it.key() % kSignalKinds;
        d.m_strText = d.m_nSignal ? tr("Alarm on %1 (%2), none in the compared session")
                                        .arg(ChannelName(d.m_nChannel), KindText(d.m_nSignal))
                                  : tr("Alarm on %1, none in the compared session").arg(ChannelName(d.m_nChannel));
    }
    // Within a kind of difference, in the order they happen.
    std::stable_sort(differences.begin(), differences.end(),
                     [](const CSessionDifference& a, const CSessionDifference& b) {
                         if (a.m_eKind != b.m_eKind)
                             return int(a.m_eKind) < int(b.m_eKind);
                         return a.m_nPosition < b.m_nPosition;
                     });
    return differences;
}
