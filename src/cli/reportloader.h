#pragma once

#include "reportmodule.h"

#include <QCoreApplication>
#include <QString>

// Finds and loads the report module: beside the tool first (the build tree,
// or a copy moved together), then where the package installs it. Usable
// before the application object exists, which the module itself makes.
class CReportLoader
{
    Q_DECLARE_TR_FUNCTIONS(CReportLoader)

public:
    // The process's one loader; the module stays loaded until the end.
    static CReportLoader& Instance();

    bool Load(QString* pError);
    KV521CreateReportApplication CreateApplication() const { return m_fnCreate; }
    KV521WriteReport WriteReport() const { return m_fnWrite; }
    KV521WriteReportTo WriteReportTo() const { return m_fnWriteTo; }
    KV521WriteReport2 WriteReport2() const { return m_fnWrite2; }
    KV521WriteVisitReport WriteVisitReport() const { return m_fnWriteVisit; }

private:
    CReportLoader() = default;

    KV521CreateReportApplication m_fnCreate = nullptr;
    KV521WriteReport m_fnWrite = nullptr;
    KV521WriteReportTo m_fnWriteTo = nullptr;
    KV521WriteReport2 m_fnWrite2 = nullptr;
    KV521WriteVisitReport m_fnWriteVisit = nullptr;
};
