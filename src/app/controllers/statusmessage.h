#pragma once

#include <QString>

class QStatusBar;

// A status-bar message that belongs to a state (the link, the detector's
// clock): shown while the state holds and taken down when it goes, unless
// another message has replaced it meanwhile. Show(bar, ...) is the one way
// every part of the window puts a message up.
class CStatusMessage
{
public:
    explicit CStatusMessage(QStatusBar* pBar = nullptr) : m_pBar(pBar) {}
    void SetStatusBar(QStatusBar* pBar) { m_pBar = pBar; }

    // An empty text clears the bar; a missing bar (parts built without a window) shows nothing.
    static void Show(QStatusBar* pBar, const QString& strText, int nTimeoutMs = 0);
    // Clears the bar only while it still shows strText: a message the user
    // caused meanwhile stays.
    static void TakeDown(QStatusBar* pBar, const QString& strText);

    // Puts this state's message up.
    void Show(const QString& strText);
    // Makes strText this state's message without putting it up.
    void Set(const QString& strText) { m_strText = strText; }
    // The state is over: its message goes with it.
    void Clear();
    QString Text() const { return m_strText; }
    bool IsEmpty() const { return m_strText.isEmpty(); }
    // The bar shows this state's message now.
    bool IsShown() const;

private:
    QStatusBar* m_pBar;
    QString m_strText;
};
