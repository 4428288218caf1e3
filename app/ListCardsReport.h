// What "Make Cards for a List" tells once the cards are made: the run's closing sentence
// first, then each row that needs a look and each note, in the dialog's own words (the
// command line program's name and its "note:" left out).
#pragma once

#include <QString>

// output: the run's standard output without its progress lines; errors: its standard error.
QString ListCardsReport(const QString& output, const QString& errors, bool stopped);
