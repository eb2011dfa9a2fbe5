#pragma once

#include "sweepcontext.h"

#include <QStringList>
#include <QToolBar>
#include <QVariantMap>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;

// Where the sweep under way is made: client, address, room, operator and
// notes, each picked from the values used before (kept in the settings and
// taken from the catalogue) or typed new. The context is kept in the
// settings and comes back at the next start. While a recording is written
// the bar shows its room, stands out and cannot be hidden.
class CSweepContextBar : public QToolBar
{
    Q_OBJECT
public:
    // Entries kept per field in the settings.
    static constexpr int kHistorySize = 30;

    explicit CSweepContextBar(QWidget* pParent = nullptr);

    CSweepContext Context() const;
    // Shows context as the current one, without telling anyone.
    void SetContext(const CSweepContext& context);
    // Values a field may offer, by column ("client", "address", "room", "operator").
    void AddKnownValues(const QVariantMap& values);
    QVariantMap KnownValues() const;
    void SetRecording(bool bRecording);
    bool IsRecording() const { return m_bRecording; }
    void Retranslate();

    QComboBox* RoomBox() const { return m_pRoomBox; }
    // The room being recorded, shown only while a recording is written.
    QAction* RecordingAction() const { return m_pRecordingAction; }
    QString RecordingText() const;

Q_SIGNALS:
    // The user has set another context (an edit finished or a value picked).
    void ContextChanged(const CSweepContext& context);

private:
    QComboBox* AddField(QLabel*& pLabel, const char* pKey);
    void Commit();
    void Remember(QComboBox* pBox, const char* pKey);
    void ShowRecording();

    QLabel* m_pClientLabel = nullptr;
    QLabel* m_pAddressLabel = nullptr;
    QLabel* m_pRoomLabel = nullptr;
    QLabel* m_pOperatorLabel = nullptr;
    QLabel* m_pNotesLabel = nullptr;
    QComboBox* m_pClientBox = nullptr;
    QComboBox* m_pAddressBox = nullptr;
    QComboBox* m_pRoomBox = nullptr;
    QComboBox* m_pOperatorBox = nullptr;
    QLineEdit* m_pNotesEdit = nullptr;
    QLabel* m_pRecordingLabel = nullptr;
    QAction* m_pRecordingAction = nullptr;
    CSweepContext m_Committed;
    bool m_bRecording = false;
};
