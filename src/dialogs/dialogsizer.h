#pragma once

#include <QObject>

class QWidget;

// Gives the toolkit's stock dialogs a width that fits their title and text.
// Message and input boxes size themselves to their few words, which leaves a
// translated window title cut off and a one-word question in a sliver of a
// window. Installed on the application, it widens each such box as it opens.
class CDialogSizer : public QObject
{
    Q_OBJECT
public:
    explicit CDialogSizer(QObject* pParent = nullptr);

    // The narrowest a dialog with this title should be.
    static int MinimumWidth(const QWidget* pDialog);

    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    static void Widen(QWidget* pDialog);
};
