#pragma once

#include <QList>
#include <QString>
#include <QTreeWidgetItem>

// A list row that sorts its cells by what they hold: "dd-MM hh:mm:ss" dates
// by date, "hh:mm:ss" times by time, numbers by value, anything else as text.
class CQSmartTreeWidgetItem : public QTreeWidgetItem
{
public:
    explicit CQSmartTreeWidgetItem(QTreeWidget* pParent = nullptr);

    bool operator<(const QTreeWidgetItem& other) const override;
    // Forgets the sort key of a cell whose text changes.
    void setData(int nColumn, int nRole, const QVariant& value) override;

    struct SortKey
    {
        enum Kind { DateTime, Time, Number, Text };
        Kind eKind = Text;
        double dValue = 0.0;
    };
    static SortKey KeyOf(const QString& strText);

private:
    struct CacheEntry;
    // Parsing dates, or even fetching a cell's text, for every comparison would
    // make sorting a few thousand rows visibly slow: each cell's key and text are
    // taken once and kept until the cell changes.
    const CacheEntry& CachedKey(int nColumn) const;

    struct CacheEntry
    {
        QString strText;
        SortKey key;
        bool bValid = false;
    };
    mutable QList<CacheEntry> m_Cache;
};
