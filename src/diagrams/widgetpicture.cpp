#include "widgetpicture.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QImageWriter>
#include <QMenu>
#include <QMessageBox>
#include <QMainWindow>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QWidget>

#include "qdiagramwidget.h"

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

QString CWidgetPicture::Title(QWidget* pWidget, const QString& strName)
{
    if (auto* pDiagram = qobject_cast<CQDiagramWidget*>(pWidget)) {
        const QString strSpan = pDiagram->PictureSpan();
        if (!strSpan.isEmpty())
            return strName + QStringLiteral("  \u2014  ") + strSpan;
    }
    return TitleLine(strName, QDateTime::currentDateTime());
}

QImage CWidgetPicture::Render(QWidget* pWidget, const QString& strTitle)
{
    if (!pWidget || pWidget->width() <= 0 || pWidget->height() <= 0)
        return QImage();
    auto* pDiagram = qobject_cast<CQDiagramWidget*>(pWidget);
    const QList<QPair<QString, QColor>> legend = pDiagram ? pDiagram->Legend() : QList<QPair<QString, QColor>>();
    const qreal dRatio = pWidget->devicePixelRatioF();
    const QFontMetrics metrics(pWidget->font());
    const int nLineHeight = metrics.height() + 6;
    const int nTitleHeight = (strTitle.isEmpty() ? 0 : nLineHeight) + (legend.isEmpty() ? 0 : nLineHeight);
    const QSize logical(pWidget->width(), pWidget->height() + nTitleHeight);
    QImage image(logical * dRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dRatio);
    image.fill(pWidget->palette().color(QPalette::Window));
    QPainter painter(&image);
    painter.setFont(pWidget->font());
    painter.setPen(pWidget->palette().color(QPalette::WindowText));
    int nTop = 0;
    if (!strTitle.isEmpty()) {
        painter.drawText(QRect(4, 0, logical.width() - 8, nLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(strTitle, Qt::ElideRight, logical.width() - 8));
        nTop = nLineHeight;
    }
    // The legend: a swatch of each trace's colour before its name.
    int nX = 4;
    const int nSwatch = metrics.height() / 2 + 2;
    for (const auto& [strName, colour] : legend) {
        const int nWidth = nSwatch + 4 + metrics.horizontalAdvance(strName) + 12;
        if (nX + nWidth > logical.width())
            break;
        painter.fillRect(QRect(nX, nTop + (nLineHeight - nSwatch) / 2, nSwatch, nSwatch), colour);
        painter.drawText(QRect(nX + nSwatch + 4, nTop, nWidth, nLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         strName);
        nX += nWidth;
    }
    // The picture shows the data, not where the mouse happens to be.
    if (pDiagram)
        pDiagram->SetOverlaysHidden(true);
    pWidget->render(&painter, QPoint(0, nTitleHeight), QRegion(), QWidget::DrawChildren);
    if (pDiagram)
        pDiagram->SetOverlaysHidden(false);
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

QString CWidgetPicture::SaveWithDialog(QWidget* pWidget, const QString& strName)
{
    if (!pWidget)
        return QString();
    // Taken before the dialog opens: it is what the user asked for.
    const QImage image = Render(pWidget, Title(pWidget, strName));
    QString strFolder = QSettings().value(QLatin1String(kFolderKey)).toString();
    if (strFolder.isEmpty() || !QDir(strFolder).exists())
        strFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString strStart = QDir(strFolder).filePath(SafeFileName(strName) + QStringLiteral(".png"));
    QString strPath = QFileDialog::getSaveFileName(pWidget, tr("Save Image"), strStart, tr("PNG images (*.png)"));
    if (strPath.isEmpty())
        return QString();
    if (!strPath.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        strPath += QStringLiteral(".png");
    QString strError;
    if (!SavePng(image, strPath, &strError)) {
        QMessageBox::warning(pWidget, QCoreApplication::applicationName(),
                             tr("Could not save the image!") + QLatin1Char('\n') + strError, QMessageBox::Ok);
        return QString();
    }
    QSettings().setValue(QLatin1String(kFolderKey), QFileInfo(strPath).absolutePath());
    if (auto* pWindow = qobject_cast<QMainWindow*>(pWidget->window()))
        pWindow->statusBar()->showMessage(tr("Image saved to %1").arg(QDir::toNativeSeparators(strPath)), 10000);
    return strPath;
}

void CWidgetPicture::CopyToClipboard(QWidget* pWidget, const QString& strName)
{
    Copy(Render(pWidget, Title(pWidget, strName)));
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
