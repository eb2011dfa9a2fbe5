#include "clitool.h"
#include "language.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

int main(int argc, char* argv[])
{
    // Only the report paints, and it paints into a file: it never needs a
    // display, so the offscreen platform serves it on any machine.
    std::unique_ptr<QCoreApplication> pApp;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (CCliTool::NeedsGui(CCliTool::CommandOf(arguments))) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        pApp = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        pApp = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("KV521 Analyzer"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.05"));
    QCoreApplication::setOrganizationName(QStringLiteral("Lumatrix"));
    CLanguage::Instance().LoadStored();

    CCliTool tool;
    return tool.Run(QCoreApplication::arguments());
}
