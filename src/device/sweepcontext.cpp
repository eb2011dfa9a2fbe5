#include "sweepcontext.h"

QString CSweepContext::Site() const
{
    if (m_strClient.isEmpty() || m_strAddress.isEmpty())
        return m_strClient + m_strAddress;
    return m_strClient + QStringLiteral(", ") + m_strAddress;
}

bool CSweepContext::IsEmpty() const
{
    return m_strClient.isEmpty() && m_strAddress.isEmpty() && m_strRoom.isEmpty() && m_strOperator.isEmpty()
        && m_strNotes.isEmpty();
}

bool CSweepContext::operator==(const CSweepContext& other) const
{
    return m_strClient == other.m_strClient && m_strAddress == other.m_strAddress && m_strRoom == other.m_strRoom
        && m_strOperator == other.m_strOperator && m_strNotes == other.m_strNotes;
}
