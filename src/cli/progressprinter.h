#pragma once

#include <cstdio>

// Shows a running percentage on a stream: a bar redrawn in place on a
// terminal, one plain "NN%" line per change otherwise, so that logs and
// pipes get readable lines instead of carriage returns.
class CProgressPrinter
{
public:
    explicit CProgressPrinter(std::FILE* pStream);
    // For tests and for streams whose kind the caller knows.
    CProgressPrinter(std::FILE* pStream, bool bTerminal);

    void Show(int nPercent);
    // Ends the bar's line; nothing to do for plain lines.
    void Finish();

    static bool IsTerminal(std::FILE* pStream);

private:
    std::FILE* m_pStream;
    bool m_bTerminal;
    int m_nLast = -1;
};
