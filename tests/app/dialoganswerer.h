#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>

// Answers the message and input boxes that the code under test opens with
// exec(), in the order given, and notes what each message box said.
class DialogAnswerer : public QObject
{
public:
    DialogAnswerer()
    {
        connect(&m_Timer, &QTimer::timeout, this, &DialogAnswerer::Poll);
        m_Timer.start(5);
    }

    void Button(QMessageBox::StandardButton eButton)
    {
        m_Answers << [eButton](QWidget* w) {
            auto* pBox = qobject_cast<QMessageBox*>(w);
            if (!pBox)
                return false;
            pBox->button(eButton)->click();
            return true;
        };
    }
    // What a hasty Enter does: the box's default button.
    void Enter()
    {
        m_Answers << [](QWidget* w) {
            auto* pBox = qobject_cast<QMessageBox*>(w);
            if (!pBox || !pBox->defaultButton())
                return false;
            pBox->defaultButton()->click();
            return true;
        };
    }
    void Text(const QString& strText)
    {
        m_Answers << [strText](QWidget* w) {
            auto* pInput = qobject_cast<QInputDialog*>(w);
            if (!pInput)
                return false;
            pInput->setTextValue(strText);
            pInput->accept();
            return true;
        };
    }
    void Cancel()
    {
        m_Answers << [](QWidget* w) {
            auto* pInput = qobject_cast<QInputDialog*>(w);
            if (!pInput)
                return false;
            pInput->reject();
            return true;
        };
    }

    QStringList m_Seen; // texts of the message boxes, in order
    int m_nUnexpected = 0;
    int Pending() const { return int(m_Answers.size()); }

private:
    void Poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == m_pLast)
            return;
        if (!qobject_cast<QMessageBox*>(w) && !qobject_cast<QInputDialog*>(w))
            return; // a progress dialog: it finishes by itself
        if (auto* pBox = qobject_cast<QMessageBox*>(w))
            m_Seen << pBox->text();
        m_pLast = w;
        // A dialog nobody expected is closed, so the test fails instead of hanging.
        if (m_Answers.isEmpty() || !m_Answers.takeFirst()(w)) {
            ++m_nUnexpected;
            qobject_cast<QDialog*>(w)->reject();
        }
    }

    QTimer m_Timer;
    QPointer<QWidget> m_pLast;
    QList<std::function<bool(QWidget*)>> m_Answers;
};
