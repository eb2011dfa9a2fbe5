#include "widgetpicture.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QImageWriter>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QStandardPaths>
#include <QWidget>

namespace {

// File names from view names: no separators or characters some systems refuse.
QString SafeFileName(const QString& strName)
{
    QString strSafe;
    for (const QChar c : strName)
        strSafe += (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) ? c : QLatin1Char('_');
    return strSafe.isEmpty() ? QStringLiteral("kv521") : strSafe;
}

} // namespace

QString CWidgetPicture::TitleLine(const QString& strName, const QDateTime& when)
{
    return strName + QStringLiteral("  \u2014  ") + when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QImage CWidgetPicture::Render(QWidget* pWidget, const QString& strTitle)
{
    if (!pWidget || pWidget->width() <= 0 || pWidget->height() <= 0)
        return QImage();
    const qreal dRatio = pWidget->devicePixelRatioF();
    const QFontMetrics metrics(pWidget->font());
    const int nTitleHeight = strTitle.isEmpty() ? 0 : metrics.height() + 6;
    const QSize logical(pWidget->width(), pWidget->height() + nTitleHeight);
    QImage image(logical * dRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dRatio);
    image.fill(pWidget->palette().color(QPalette::Window));
    QPainter painter(&image);
    if (nTitleHeight > 0) {
        painter.setFont(pWidget->font());
        painter.setPen(pWidget->palette().color(QPalette::WindowText));
        painter.drawText(QRect(4, 0, logical.width() - 8, nTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(strTitle, Qt::ElideRight, logical.width() - 8));
    }
    pWidget->render(&painter, QPoint(0, nTitleHeight), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image;
}

bool CWidgetPicture::SavePng(const QImage& image, const QString& strPath, QString* pError)
{
    if (image.isNull()) {
        if (pError)
            *pError = tr("The view has no size to take a picture of.");
        return false;
    }
    QImageWriter writer(strPath, "png");
    if (writer.write(image))
        return true;
    if (pError)
        *pError = writer.errorString();
    return false;
}

void CWidgetPicture::Copy(const QImage& image)
{
    if (!image.isNull())
        QApplication::clipboard()->setImage(image);
}

void CWidgetPicture::SaveWithDialog(QWidget* pWidget, const QString& strName)
{
    if (!pWidget)
        return;
    // Taken before the dialog opens: it is what the user asked for.
    const QImage image = Render(pWidget, TitleLine(strName, QDateTime::currentDateTime()));
    const QString strStart = QDir(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
                                 .filePath(SafeFileName(strName) + QStringLiteral(".png"));
    QString strPath = QFileDialog::getSaveFileName(pWidget, tr("Save Image"), strStart, tr("PNG images (*.png)"));
    if (strPath.isEmpty())
        return;
    if (!strPath.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        strPath += QStringLiteral(".png");
    QString strError;
    if (!SavePng(image, strPath, &strError))
        QMessageBox::warning(pWidget, QCoreApplication::applicationName(),
                             tr("Could not save the image!") + QLatin1Char('\n') + strError, QMessageBox::Ok);
}

void CWidgetPicture::CopyToClipboard(QWidget* pWidget, const QString& strName)
{
    Copy(Render(pWidget, TitleLine(strName, QDateTime::currentDateTime())));
}

void CWidgetPicture::AddActions(QMenu* pMenu, QWidget* pWidget, const std::function<QString()>& fnName)
{
    if (!pMenu || !pWidget)
        return;
    QObject::connect(pMenu->addAction(tr("Save &Image...")), &QAction::triggered, pWidget,
                     [pWidget, fnName] { SaveWithDialog(pWidget, fnName ? fnName() : QString()); });
    QObject::connect(pMenu->addAction(tr("Cop&y Image")), &QAction::triggered, pWidget,
                     [pWidget, fnName] { CopyToClipboard(pWidget, fnName ? fnName() : QString()); });
}
