#pragma once

#include "iserialportenumerator.h"
#include "portchoice.h"

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class CPortChooserDialogClass;
}

class QTreeWidgetItem;

// File > Connection...: lists the serial ports the system sees, kept up to
// date while open, with the automatic search and the built-in simulator as
// the first entries.
class CPortChooserDialog : public QDialog
{
    Q_OBJECT

public:
    // strPortInUse: the port the link has open now, shown as present even
    // where the enumeration misses it.
    CPortChooserDialog(std::shared_ptr<ISerialPortEnumerator> pEnumerator, const CPortChoice& current,
                       bool bSimulatorAvailable, QWidget* pParent = nullptr, const QString& strPortInUse = QString());
    ~CPortChooserDialog() override;

    // The entry selected now.
    CPortChoice Choice() const;
    // Reads the ports again; the timer does it every second while the dialog is open.
    void Refresh();

    static constexpr int kRefreshMs = 1000;
    // The path typed last, offered again in the path field.
    static constexpr const char* kTypedPathKey = "Link/TypedPath";

    void done(int nResult) override;

protected:
    void changeEvent(QEvent* pEvent) override;

private:
    void Fill();
    void Select(const CPortChoice& choice);
    void UpdateOkButton();

    std::unique_ptr<Ui::CPortChooserDialogClass> m_pUi;
    std::shared_ptr<ISerialPortEnumerator> m_pEnumerator;
    bool m_bSimulatorAvailable;
    // The choice the dialog opened with: listed even while its port is away.
    CPortChoice m_Current;
    QString m_strPortInUse;
    QList<SerialPortEntry> m_Ports;
    // The entry of each row below the fixed ones.
    QList<CPortChoice> m_RowChoices;
    QTimer m_RefreshTimer;
};
