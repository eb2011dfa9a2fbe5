#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

// A picture of one view (a diagram, the panel) as the user sees it, with a
// title line above it naming what it shows and when, for reports and mails:
// saved as PNG or put on the clipboard.
class CWidgetPicture
{
    Q_DECLARE_TR_FUNCTIONS(CWidgetPicture)

public:
    // The view at its screen's pixel ratio with strTitle above it; a null
    // image for a widget of no size.
    static QImage Render(QWidget* pWidget, const QString& strTitle);
    static QString TitleLine(const QString& strName, const QDateTime& when);
    // The title for pWidget: a diagram's names the time span of its data in
    // view, anything else the moment the picture is taken.
    static QString Title(QWidget* pWidget, const QString& strName);
    // Where the last picture was saved; the save dialog opens there.
    static constexpr const char* kFolderKey = "Pictures/Folder";

    static bool SavePng(const QImage& image, const QString& strPath, QString* pError = nullptr);
    static void Copy(const QImage& image);

    // Asks for a file name and saves the view there, or warns why it could
    // not; the saved file's path, or "".
    static QString SaveWithDialog(QWidget* pWidget, const QString& strName);
    static void CopyToClipboard(QWidget* pWidget, const QString& strName);

    // "Save Image..." and "Copy Image" entries for pWidget; fnName is asked
    // when an entry is chosen, so it names what is shown then.
    static void AddActions(QMenu* pMenu, QWidget* pWidget, const std::function<QString()>& fnName);
};
