#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QDialogButtonBox;
class QThread;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// File > "Export Report...": the report of one site visit. The sessions are
// chosen (at first those of the chosen session's site and day), the
// operator writes the findings or takes them from a text file, and the PDF
// is written with its manifest beside it in a thread of its own, so the
// window goes on while the sources are hashed and the pages painted.
class CQVisitReportDialog : public QDialog
{
    Q_OBJECT
public:
    // Findings longer than this are not notes of a visit.
    static constexpr qint64 kMaxFindings = 1024 * 1024;

    CQVisitReportDialog(const QString& strStorage, QWidget* pParent = nullptr);
    ~CQVisitReportDialog() override;

    void SetSessions(const QStringList& paths);
    // The sessions ticked.
    QStringList Sessions() const;
    void SetFindings(const QString& strText);
    void SetOutput(const QString& strPath);
    QString Output() const;
    QString StatusText() const;
    bool IsRunning() const { return m_pThread != nullptr; }

    // Dialogs that tests answer instead of a file dialog.
    std::function<QStringList(QWidget*, const QString&, const QString&)> m_fnChooseFiles;
    std::function<QString(QWidget*, const QString&, const QString&)> m_fnChooseFile;
    std::function<QString(QWidget*, const QString&, const QString&)> m_fnChooseSaveFile;

public Q_SLOTS:
    // Writes the report off the GUI thread; Finished tells how it went.
    void Export();

Q_SIGNALS:
    // strText: where the report and manifest went, or why it failed.
    void Finished(bool bOk, const QString& strText);

protected:
    void reject() override;

private:
    void OnAddFiles();
    void OnLoadFindings();
    void OnBrowseOutput();
    void SetRunning(bool bRunning);
    QString SessionText(const QString& strPath) const;
    void Fail(const QString& strText);

    QString m_strStorage;
    QListWidget* m_pSessions = nullptr;
    QPlainTextEdit* m_pFindings = nullptr;
    QLineEdit* m_pOutput = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pStatus = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
    QPushButton* m_pExport = nullptr;
    QThread* m_pThread = nullptr;
};
