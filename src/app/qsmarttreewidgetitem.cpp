#include "qsmarttreewidgetitem.h"

#include <QDate>
#include <QTreeWidget>

namespace {

// Two decimal digits at nPos, or -1.
int TwoDigitsAt(const QString& s, int nPos)
{
    const QChar a = s.at(nPos), b = s.at(nPos + 1);
    if (a < QLatin1Char('0') || a > QLatin1Char('9') || b < QLatin1Char('0') || b > QLatin1Char('9'))
        return -1;
    return (a.unicode() - '0') * 10 + (b.unicode() - '0');
}

// Seconds of "hh:mm:ss" starting at nPos, or -1.
int TimeAt(const QString& s, int nPos)
{
    if (s.at(nPos + 2) != QLatin1Char(':') || s.at(nPos + 5) != QLatin1Char(':'))
        return -1;
    const int h = TwoDigitsAt(s, nPos), m = TwoDigitsAt(s, nPos + 3), sec = TwoDigitsAt(s, nPos + 6);
    if (h < 0 || h > 23 || m < 0 || m > 59 || sec < 0 || sec > 59)
        return -1;
    return h * 3600 + m * 60 + sec;
}

} // namespace

CQSmartTreeWidgetItem::CQSmartTreeWidgetItem(QTreeWidget* pParent)
    : QTreeWidgetItem(pParent, QTreeWidgetItem::Type)
{
}

CQSmartTreeWidgetItem::SortKey CQSmartTreeWidgetItem::KeyOf(const QString& s)
{
    SortKey key;
    if (s.size() == 14 && s.at(2) == QLatin1Char('-') && s.at(5) == QLatin1Char(' ')) {
        const int d = TwoDigitsAt(s, 0), mo = TwoDigitsAt(s, 3), t = TimeAt(s, 6);
        // The text has no year; a leap year keeps 29-02 a date.
        if (t >= 0 && mo >= 1 && mo <= 12 && d >= 1 && d <= QDate(2000, mo, 1).daysInMonth()) {
            key.eKind = SortKey::DateTime;
            key.dValue = (mo * 32.0 + d) * 86400.0 + t;
            return key;
        }
    }
    if (s.size() == 8) {
        const int t = TimeAt(s, 0);
        if (t >= 0) {
            key.eKind = SortKey::Time;
            key.dValue = t;
            return key;
        }
    }
    bool bOk = false;
    const double d = s.toDouble(&bOk);
    if (bOk) {
        key.eKind = SortKey::Number;
        key.dValue = d;
    }
    return key;
}

const CQSmartTreeWidgetItem::CacheEntry& CQSmartTreeWidgetItem::CachedKey(int nColumn) const
{
    if (nColumn >= m_Cache.size())
        m_Cache.resize(nColumn + 1);
    CacheEntry& entry = m_Cache[nColumn];
    if (!entry.bValid) {
        entry.strText = text(nColumn);
        entry.key = KeyOf(entry.strText);
        entry.bValid = true;
    }
    return entry;
}

void CQSmartTreeWidgetItem::setData(int nColumn, int nRole, const QVariant& value)
{
    QTreeWidgetItem::setData(nColumn, nRole, value);
    // The display and edit roles share the text; other roles leave it alone.
    if ((nRole == Qt::DisplayRole || nRole == Qt::EditRole) && nColumn >= 0 && nColumn < m_Cache.size())
        m_Cache[nColumn].bValid = false;
}

bool CQSmartTreeWidgetItem::operator<(const QTreeWidgetItem& other) const
{
    const QTreeWidget* pTree = treeWidget();
    const int nColumn = pTree ? pTree->sortColumn() : 0;
    if (nColumn < 0)
        return QTreeWidgetItem::operator<(other);
    const auto* pSmart = dynamic_cast<const CQSmartTreeWidgetItem*>(&other);
    if (!pSmart) {
        const SortKey b = KeyOf(other.text(nColumn));
        const CacheEntry& a = CachedKey(nColumn);
        if (a.key.eKind == b.eKind && a.key.eKind != SortKey::Text)
            return a.key.dValue < b.dValue;
        return a.strText < other.text(nColumn);
    }
    const CacheEntry& a = CachedKey(nColumn);
    const CacheEntry& b = pSmart->CachedKey(nColumn);
    if (a.key.eKind == b.key.eKind && a.key.eKind != SortKey::Text)
        return a.key.dValue < b.key.dValue;
    return a.strText < b.strText;
}
