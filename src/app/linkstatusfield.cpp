#include "linkstatusfield.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

CLinkStatusField::CLinkStatusField(QWidget* pParent)
    : QWidget(pParent)
    , m_pStateLabel(new QLabel(this))
    , m_pPortLabel(new QLabel(this))
{
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(4);
    pLayout->addWidget(m_pStateLabel);
    pLayout->addWidget(m_pPortLabel);
    m_pPortLabel->hide();
    setCursor(Qt::PointingHandCursor);
    Retranslate();
}

void CLinkStatusField::SetPortName(const QString& strName)
{
    if (strName == m_strPortName)
        return;
    m_strPortName = strName;
    m_pPortLabel->setText(QStringLiteral("\u00b7 ") + strName);
    m_pPortLabel->setVisible(!strName.isEmpty());
}

void CLinkStatusField::Retranslate()
{
    setToolTip(tr("Click to choose the detector's port"));
    setAccessibleName(tr("Link"));
}

void CLinkStatusField::mousePressEvent(QMouseEvent* pEvent)
{
    // Taken, so that the release comes here and not to the window behind.
    if (pEvent->button() == Qt::LeftButton)
        pEvent->accept();
    else
        QWidget::mousePressEvent(pEvent);
}

void CLinkStatusField::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton && rect().contains(pEvent->position().toPoint()))
        Q_EMIT clicked();
    QWidget::mouseReleaseEvent(pEvent);
}

void CLinkStatusField::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::LanguageChange)
        Retranslate();
    QWidget::changeEvent(pEvent);
}
