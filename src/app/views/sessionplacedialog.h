#pragma once

#include "sweepcontext.h"

#include <QDialog>
#include <QVariantMap>

class QComboBox;

// Asks for the site (client, address) and room of one session of the
// detector's log, offering the values known so far.
class CSessionPlaceDialog : public QDialog
{
    Q_OBJECT
public:
    CSessionPlaceDialog(const QString& strSession, const CSweepContext& place, const QVariantMap& known,
                        QWidget* pParent = nullptr);
    // Client, address and room as entered; the rest stays empty.
    CSweepContext Place() const;

private:
    QComboBox* m_pClientBox;
    QComboBox* m_pAddressBox;
    QComboBox* m_pRoomBox;
};
