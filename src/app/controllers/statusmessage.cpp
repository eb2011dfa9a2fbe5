#include "statusmessage.h"

#include <QStatusBar>

#include <utility>

void CStatusMessage::Show(QStatusBar* pBar, const QString& strText, int nTimeoutMs)
{
    if (!pBar)
        return;
    if (strText.isEmpty())
        pBar->clearMessage();
    else
        pBar->showMessage(strText, nTimeoutMs);
}

void CStatusMessage::TakeDown(QStatusBar* pBar, const QString& strText)
{
    if (pBar && !strText.isEmpty() && pBar->currentMessage() == strText)
        pBar->clearMessage();
}

void CStatusMessage::Show(const QString& strText)
{
    m_strText = strText;
    Show(m_pBar, strText);
}

void CStatusMessage::Clear()
{
    TakeDown(m_pBar, std::exchange(m_strText, QString()));
}

bool CStatusMessage::IsShown() const
{
    return m_pBar && !m_strText.isEmpty() && m_pBar->currentMessage() == m_strText;
}
