#include "naturalcompare.h"

#include <QStringView>

int NaturalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype i2 = i, j2 = j;
            while (i2 < a.size() && a.at(i2).isDigit())
                ++i2;
            while (j2 < b.size() && b.at(j2).isDigit())
                ++j2;
            // Leading zeros do not make a number bigger.
            QStringView numA = QStringView(a).mid(i, i2 - i), numB = QStringView(b).mid(j, j2 - j);
            while (numA.size() > 1 && numA.front() == QLatin1Char('0'))
                numA = numA.mid(1);
            while (numB.size() > 1 && numB.front() == QLatin1Char('0'))
                numB = numB.mid(1);
            if (numA.size() != numB.size())
                return numA.size() < numB.size() ? -1 : 1;
            if (const int n = numA.compare(numB))
                return n;
            i = i2;
            j = j2;
            continue;
        }
        if (const int n = QStringView(a).mid(i, 1).compare(QStringView(b).mid(j, 1), Qt::CaseInsensitive))
            return n;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return (a.size() - i) < (b.size() - j) ? -1 : 1;
    return 0;
}
