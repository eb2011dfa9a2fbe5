#include "diagramsample.h"

static_assert(sizeof(CDiagramSample) <= 24, "samples must stay compact");

CDiagramSample::CDiagramSample(const QVariant& vX, const QVariant& vY, qint32 nTag)
    : m_dY(vY.toDouble()), m_nTag(nTag)
{
    switch (vX.typeId()) {
    case QMetaType::UnknownType:
        m_eXKind = XK_Null;
        break;
    case QMetaType::ULongLong:
    case QMetaType::UInt:
        m_dX = static_cast<double>(vX.toULongLong());
        m_eXKind = XK_UInt64;
        break;
    case QMetaType::Int:
        m_dX = vX.toInt();
        m_eXKind = XK_Int;
        break;
    default:
        m_dX = vX.toDouble();
        m_eXKind = XK_Double;
        break;
    }
}

QVariant CDiagramSample::X() const
{
    switch (m_eXKind) {
    case XK_UInt64: return QVariant(static_cast<qulonglong>(m_dX));
    case XK_Int: return QVariant(static_cast<int>(m_dX));
    case XK_Double: return QVariant(m_dX);
    default: return QVariant();
    }
}
