#include "appidentity.h"
#include "clitool.h"
#include "language.h"
#include "reportloader.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    // Only the report paints: its module brings the application object that
    // painting needs, so every other command runs without display libraries.
    std::unique_ptr<QCoreApplication> pApp;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString strModuleError;
    if (CCliTool::NeedsGui(CCliTool::CommandOf(arguments)) && CReportLoader::Instance().Load(&strModuleError))
        pApp.reset(CReportLoader::Instance().CreateApplication()(argc, argv));
    else
        pApp = std::make_unique<QCoreApplication>(argc, argv);
    CAppIdentity::Apply();
    CLanguage::Instance().LoadStored();

    CCliTool tool;
    return tool.Run(QCoreApplication::arguments());
}
