#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class CPreferencesDialogClass;
}

class CPreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    CPreferencesDialog(int nLanguage, QWidget *parent = nullptr);
    ~CPreferencesDialog() override;

    // The index given at construction unless the dialog was confirmed with OK.
    int GetLanguage() const;

    // Monitoring as it is now. The applier is called with what the user
    // chose when OK is pressed; its reason for refusing (a bad line of the
    // configuration file) is shown and the dialog stays open.
    using MonitoringApplier = std::function<bool(bool bOn, const QString& strConfigFile, QString* pError)>;
    void SetMonitoring(bool bOn, const QString& strConfigFile, MonitoringApplier applier);
    bool IsMonitoringOn() const;
    QString MonitoringConfigFile() const;

private Q_SLOTS:
    void OnOkButton();
    void OnMonitoringBrowseButton();

private:
    std::unique_ptr<Ui::CPreferencesDialogClass> m_pUi;
    int m_nLanguage;
    MonitoringApplier m_MonitoringApplier;
};
