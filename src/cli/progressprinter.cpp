#include "progressprinter.h"

#include <algorithm>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
constexpr int kBarWidth = 40;
}

CProgressPrinter::CProgressPrinter(std::FILE* pStream)
    : CProgressPrinter(pStream, IsTerminal(pStream))
{
}

CProgressPrinter::CProgressPrinter(std::FILE* pStream, bool bTerminal)
    : m_pStream(pStream)
    , m_bTerminal(bTerminal)
{
}

bool CProgressPrinter::IsTerminal(std::FILE* pStream)
{
#ifdef _WIN32
    return _isatty(_fileno(pStream)) != 0;
#else
    return ::isatty(::fileno(pStream)) != 0;
#endif
}

void CProgressPrinter::Show(int nPercent)
{
    nPercent = std::clamp(nPercent, 0, 100);
    if (nPercent == m_nLast)
        return;
    m_nLast = nPercent;
    if (m_bTerminal) {
        const int nFilled = nPercent * kBarWidth / 100;
        const std::string bar = std::string(size_t(nFilled), '#') + std::string(size_t(kBarWidth - nFilled), '.');
        std::fprintf(m_pStream, "\r[%s] %3d%%", bar.c_str(), nPercent);
    } else {
        std::fprintf(m_pStream, "%d%%\n", nPercent);
    }
    std::fflush(m_pStream);
}

void CProgressPrinter::Finish()
{
    if (m_bTerminal && m_nLast >= 0) {
        std::fputc('\n', m_pStream);
        std::fflush(m_pStream);
    }
    m_nLast = -1;
}
