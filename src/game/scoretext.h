#pragma once

#include <QString>

class ScoreBook;

// The score text: a snapshot of both tests' counts, two lines with an empty
// one between them, CR LF line ends, nothing after the last " Attempts".
QString scoreText(const ScoreBook &book);
