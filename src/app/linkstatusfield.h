#pragma once

#include <QWidget>

class QLabel;

// The link field of the status bar: the link state and, beside it, the port
// it concerns. A click on it opens the port chooser.
class CLinkStatusField : public QWidget
{
    Q_OBJECT

public:
    explicit CLinkStatusField(QWidget* pParent = nullptr);

    // The state text ("Online", "Offline", ...); the owner sets its text.
    QLabel* StateLabel() const { return m_pStateLabel; }
    // Shown as "· NAME"; hidden while empty.
    void SetPortName(const QString& strName);
    QString PortName() const { return m_strPortName; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void Retranslate();

    QLabel* m_pStateLabel = nullptr;
    QLabel* m_pPortLabel = nullptr;
    QString m_strPortName;
};
