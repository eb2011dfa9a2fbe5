#pragma once

#include "kv520menupositions.h"

#include <QList>
#include <QString>

class QRadioButton;
class QSettings;

// The small rules the menu editors share; the positions are the device library's.
namespace KV520Menu {

// The button at index nCode is checked; any other code leaves the whole group
// unchecked (the buttons' exclusivity would otherwise keep an old choice).
void CheckRadio(const QList<QRadioButton*>& buttons, int nCode);
// Index of the checked button, or -1 when none is checked.
int CheckedRadio(const QList<QRadioButton*>& buttons);

// The program's settings store.
QString SettingsOrganization();
QString SettingsApplication();

// nSeconds (0-5999) as "mm:ss".
QString MinutesSeconds(int nSeconds);

} // namespace KV520Menu
