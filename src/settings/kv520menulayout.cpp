#include "kv520menulayout.h"

#include "appidentity.h"

#include <QRadioButton>
#include <QTime>

namespace KV520Menu {

void CheckRadio(const QList<QRadioButton*>& buttons, int nCode)
{
    for (QRadioButton* pButton : buttons)
        pButton->setAutoExclusive(false);
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == nCode);
    for (QRadioButton* pButton : buttons)
        pButton->setAutoExclusive(true);
}

int CheckedRadio(const QList<QRadioButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i;
    return -1;
}

QString SettingsOrganization()
{
    return CAppIdentity::Organisation();
}

QString SettingsApplication()
{
    return CAppIdentity::Name();
}

QString MinutesSeconds(int nSeconds)
{
    return QTime(0, 0).addSecs(nSeconds).toString(QStringLiteral("mm:ss"));
}

} // namespace KV520Menu
