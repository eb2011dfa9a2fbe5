#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMarginsF>
#include <QString>

#include <functional>

class QPainter;
class QPagedPaintDevice;

// The document information a PDF reader shows (author, subject, keywords,
// creation date). QPdfWriter of Qt 6.4 sets only the title and creator, so
// the entries are added afterwards as an incremental update: a new
// information dictionary and a trailer that points to it, appended after the
// writer's bytes, which stay untouched.
class CPdfDocumentInfo
{
public:
    QString m_strTitle;
    QString m_strAuthor;
    QString m_strSubject;
    QString m_strKeywords;
    QString m_strCreator;
    QDateTime m_Created;

    // Paints an A4 portrait PDF into memory, with this title and creator set
    // by the writer itself; false when the painter cannot start or finish.
    // Reports are painted whole before any byte reaches their file.
    bool PaintA4(QByteArray& pdf, int nResolution, const QMarginsF& marginsMm,
                 const std::function<void(QPainter&, QPagedPaintDevice&)>& paint) const;

    // False, and pdf unchanged, when its end is not a cross-reference table
    // and trailer as QPdfWriter writes them.
    bool AppendTo(QByteArray& pdf) const;

    // "D:YYYYMMDDHHmmSS+HH'mm'"
    static QByteArray DateText(const QDateTime& time);
};
