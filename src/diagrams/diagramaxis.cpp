#include "diagramaxis.h"

#include <QMutexLocker>

#include <cmath>

namespace {

// Time spans compare the low 32 bits as a signed difference: an earlier v then
// comes out negative instead of wrapping to a huge unsigned span.
qint32 TimeSpan(quint64 from, quint64 to)
{
    return static_cast<qint32>(static_cast<quint32>(to) - static_cast<quint32>(from));
}

quint64 Secs(const QVariant& v) { return v.toULongLong(); }

} // namespace

QRecursiveMutex& CDiagramAxis::Mutex()
{
    static QRecursiveMutex mutex;
    return mutex;
}

bool CDiagramAxis::SetTimeVisibleMin(quint64 v)
{
    QMutexLocker lock(&Mutex());
    if (v < Secs(m_vDataMin) || TimeSpan(v, Secs(m_vVisibleMax)) < m_nMinTimeSpan)
        return false;
    m_vVisibleMin = QVariant::fromValue<qulonglong>(v);
    return true;
}

bool CDiagramAxis::SetTimeVisibleMax(quint64 v)
{
    QMutexLocker lock(&Mutex());
    if (v > Secs(m_vDataMax) || TimeSpan(Secs(m_vVisibleMin), v) < m_nMinTimeSpan)
        return false;
    m_vVisibleMax = QVariant::fromValue<qulonglong>(v);
    return true;
}

bool CDiagramAxis::SetTimeDataMax(quint64 v)
{
    QMutexLocker lock(&Mutex());
    if (TimeSpan(Secs(m_vDataMin), v) < m_nMinTimeSpan)
        return false;
    m_vDataMax = QVariant::fromValue<qulonglong>(v);
    if (m_vVisibleMax.isNull() || v < Secs(m_vVisibleMax))
        m_vVisibleMax = m_vDataMax;
    return true;
}

bool CDiagramAxis::SetNumVisibleMin(double v)
{
    QMutexLocker lock(&Mutex());
    if (v < m_vDataMin.toDouble()
        || static_cast<int>(m_vVisibleMax.toDouble() - v) < m_nMinSpan)
        return false;
    m_vVisibleMin = v;
    return true;
}

bool CDiagramAxis::SetNumVisibleMax(double v)
{
    QMutexLocker lock(&Mutex());
    if (v > m_vDataMax.toDouble()
        || static_cast<int>(v - m_vVisibleMin.toDouble()) < m_nMinSpan)
        return false;
    m_vVisibleMax = v;
    return true;
}

bool CDiagramAxis::SetYVisibleMin(double v)
{
    QMutexLocker lock(&Mutex());
    if (v < m_dYFullMin || v > m_dYVisibleMax - m_nMinSpan
        || static_cast<int>(std::fabs(m_dYVisibleMax - v)) < m_nMinSpan)
        return false;
    m_dYVisibleMin = v;
    return true;
}

bool CDiagramAxis::SetYVisibleMax(double v)
{
    QMutexLocker lock(&Mutex());
    if (v > m_dYFullMax || v < m_dYVisibleMin + m_nMinSpan
        || static_cast<int>(std::fabs(v - m_dYVisibleMin)) < m_nMinSpan)
        return false;
    m_dYVisibleMax = v;
    return true;
}

bool CDiagramAxis::ShiftTime(qint32 nSeconds)
{
    QMutexLocker lock(&Mutex());
    const quint64 visMin = Secs(m_vVisibleMin);
    const quint64 visMax = Secs(m_vVisibleMax);
    if (nSeconds == 0 || visMin == 0 || visMax == 0)
        return false;
    const quint64 span = visMax - visMin;
    const quint64 dataMin = Secs(m_vDataMin);
    const quint64 dataMax = Secs(m_vDataMax);
    quint64 newMin;
    if (nSeconds < 0) {
        const quint64 n = static_cast<quint64>(-static_cast<qint64>(nSeconds));
        // Compared without subtracting so a window near 0 cannot wrap around.
        newMin = (visMin >= dataMin + n) ? visMin - n : dataMin;
    } else {
        const quint64 n = static_cast<quint64>(nSeconds);
        newMin = (visMax + n <= dataMax) ? visMin + n : (dataMax >= span ? dataMax - span : 0);
    }
    m_vVisibleMin = QVariant::fromValue<qulonglong>(newMin);
    m_vVisibleMax = QVariant::fromValue<qulonglong>(newMin + span);
    return true;
}

bool CDiagramAxis::ShiftNumeric(double dDelta)
{
    QMutexLocker lock(&Mutex());
    if (dDelta == 0.0)
        return false;
    // Move the leading bound first: if it hits the range end the window stays put
    // instead of shrinking.
    if (dDelta > 0) {
        if (SetNumVisibleMax(m_vVisibleMax.toDouble() + dDelta))
            SetNumVisibleMin(m_vVisibleMin.toDouble() + dDelta);
    } else {
        if (SetNumVisibleMin(m_vVisibleMin.toDouble() + dDelta))
            SetNumVisibleMax(m_vVisibleMax.toDouble() + dDelta);
    }
    return true;
}

qsizetype CDiagramAxis::FindTime(const CDiagramSampleList& samples, quint64 t)
{
    if (t == 0 || samples.empty() || t > samples.back().XSeconds())
        return -1;
    return FirstSampleAtOrAfter(samples, static_cast<double>(t));
}

qsizetype CDiagramAxis::FindTimeExact(const CDiagramSampleList& samples, quint64 t)
{
    const qsizetype i = FindTime(samples, t);
    if (i < 0 || samples[static_cast<size_t>(i)].XSeconds() != t)
        return -1;
    return i;
}
