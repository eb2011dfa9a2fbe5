#pragma once

#include <QString>
#include <QUrl>
#include <QPalette>
#include <QWidget>

#include <memory>

namespace Ui {
class CManualWindowClass;
}

class CLanguage;
class QEvent;

// The user manual of the current language in its own top-level window, with a find box.
class CManualWindow : public QWidget
{
    Q_OBJECT

public:
    // pLanguage names the manual to show and must outlive the window; without one
    // the English manual is shown.
    explicit CManualWindow(const CLanguage *pLanguage = nullptr, QWidget *parent = nullptr);
    ~CManualWindow() override;

    // The manual page carried for strLanguage, the English one when there is none.
    static QUrl DocumentUrl(const QString &strLanguage);

    static const char *const GeometryKey;
    static QRect DefaultGeometry();
    // The colours of the manual's pages, taken from the window's palette.
    static QString StyleSheetFor(const QPalette &palette);

public Q_SLOTS:
    void OnFindEdit(QString strText);

protected:
    void changeEvent(QEvent *pEvent) override;

private Q_SLOTS:
    void OnFindNext();

private:
    void LoadDocument();
    void RestoreGeometry();
    bool FindFrom(const QString &strText, int nPosition);

    std::unique_ptr<Ui::CManualWindowClass> m_pUi;
    const CLanguage *m_pLanguage;
};
