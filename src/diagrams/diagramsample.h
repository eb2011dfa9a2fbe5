#pragma once

#include <QVariant>
#include <QtGlobal>

// One sample as it is handed around, in 24 bytes (lists pack it further, see
// CDiagramSampleList). The QVariants of the public interface are unpacked on the
// way in: x is held as a double (exact for seconds since 1970 and for 32-bit
// indexes) and its original kind rides in the padding after the tag, so X()
// gives back the variant type the caller passed.
class CDiagramSample
{
public:
    enum XKind : quint8 { XK_Null = 0, XK_UInt64, XK_Int, XK_Double };

    CDiagramSample() = default;
    CDiagramSample(const QVariant& vX, const QVariant& vY, qint32 nTag);
    CDiagramSample(double dX, XKind eKind, double dY, qint32 nTag)
        : m_dX(dX), m_dY(dY), m_nTag(nTag), m_eXKind(eKind) {}

    QVariant X() const;
    QVariant Y() const { return QVariant(m_dY); }
    double XValue() const { return m_dX; }
    quint64 XSeconds() const { return m_dX > 0.0 ? static_cast<quint64>(m_dX) : 0; }
    double YValue() const { return m_dY; }
    qint32 Tag() const { return m_nTag; }
    XKind Kind() const { return static_cast<XKind>(m_eXKind); }

private:
    double m_dX = 0.0;
    double m_dY = 0.0;
    qint32 m_nTag = 0;
    quint8 m_eXKind = XK_Null;
};
