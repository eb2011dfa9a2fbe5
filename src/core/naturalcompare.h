#pragma once

#include <QString>

// Names as a person reads them: case ignored, runs of digits by their value,
// so "log_2" comes before "log_10". (The collator's numeric mode is missing
// from some toolkit builds.) Negative, zero or positive like QString::compare.
int NaturalCompare(const QString& a, const QString& b);
