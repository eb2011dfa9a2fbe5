#include "pdfdocumentinfo.h"

#include <QPageSize>

#include <QPageLayout>

#include <QPdfWriter>

#include <QPainter>

#include <QBuffer>

#include <QRegularExpression>

namespace {

// A text string as UTF-16 with its byte order mark, written in hex: no
// character of it needs escaping.
QByteArray TextString(const QString& strText)
{
    QByteArray utf16("\xFE\xFF", 2);
    for (const QChar ch : strText) {
        utf16.append(char(ch.unicode() >> 8));
        utf16.append(char(ch.unicode() & 0xFF));
    }
    return '<' + utf16.toHex().toUpper() + '>';
}

} // namespace

QByteArray CPdfDocumentInfo::DateText(const QDateTime& time)
{
    const int nOffset = time.offsetFromUtc();
    const int nMinutes = std::abs(nOffset) / 60;
    return "D:" + time.toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1() + (nOffset < 0 ? '-' : '+')
         + QByteArray::number(nMinutes / 60).rightJustified(2, '0') + '\''
         + QByteArray::number(nMinutes % 60).rightJustified(2, '0') + '\'';
}

bool CPdfDocumentInfo::AppendTo(QByteArray& pdf) const
{
    const qsizetype nStartXref = pdf.lastIndexOf("startxref");
    const qsizetype nTrailer = pdf.lastIndexOf("trailer", nStartXref);
    if (nStartXref < 0 || nTrailer < 0)
        return false;
    const QString strTail = QString::fromLatin1(pdf.mid(nTrailer, std::min<qsizetype>(pdf.size() - nTrailer, 4096)));
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(strTail);
    const QRegularExpressionMatch root = QRegularExpression(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)")).match(strTail);
    const QRegularExpressionMatch prev = QRegularExpression(QStringLiteral("startxref\\s+(\\d+)")).match(strTail);
    if (!size.hasMatch() || !root.hasMatch() || !prev.hasMatch())
        return false;
    bool bOk = false;
    const qint64 nObject = size.captured(1).toLongLong(&bOk);
    if (!bOk || nObject <= 0 || prev.captured(1).toLongLong() >= pdf.size())
        return false;

    QByteArray update;
    if (!pdf.endsWith('\n'))
        update += '\n';
    const qint64 nObjectAt = pdf.size() + update.size();
    update += QByteArray::number(nObject) + " 0 obj\n<<";
    const auto entry = [&](const char* pKey, const QString& strValue) {
        if (!strValue.isEmpty())
            update += QByteArray("\n/") + pKey + ' ' + TextString(strValue);
    };
    entry("Title", m_strTitle);
    entry("Author", m_strAuthor);
    entry("Subject", m_strSubject);
    entry("Keywords", m_strKeywords);
    entry("Creator", m_strCreator);
    update += "\n/Producer (Qt " QT_VERSION_STR ")";
    if (m_Created.isValid())
        update += "\n/CreationDate (" + DateText(m_Created) + ')';
    update += "\n>>\nendobj\n";
    const qint64 nXrefAt = pdf.size() + update.size();
    // Each entry is exactly 20 bytes: ten digits, five digits, the kind, two line-end bytes.
    update += "xref\n" + QByteArray::number(nObject) + " 1\n" + QByteArray::number(nObjectAt).rightJustified(10, '0')
            + " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(nObject + 1) + "\n/Info " + QByteArray::number(nObject)
            + " 0 R\n/Root " + root.captured(1).toLatin1() + "\n/Prev " + prev.captured(1).toLatin1() + "\n>>\nstartxref\n"
            + QByteArray::number(nXrefAt) + "\n%%EOF\n";
    pdf += update;
    return true;
}

bool CPdfDocumentInfo::PaintA4(QByteArray& pdf, int nResolution, const QMarginsF& marginsMm,
                               const std::function<void(QPainter&, QPagedPaintDevice&)>& paint) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(nResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, marginsMm, QPageLayout::Millimeter));
        writer.setTitle(m_strTitle);
        writer.setCreator(m_strCreator);
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        paint(painter, writer);
        if (!painter.end())
            return false;
    }
    pdf = buffer.data();
    return true;
}
