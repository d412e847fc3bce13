#include "charts/OffscreenApplication.h"

#include <cstdio>

namespace kivo {
namespace {

// Qt's notes about the platform (such as a missing runtime folder) do not
// concern the user of a command; its errors do.
void KeepErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace

std::unique_ptr<QApplication> MakeOffscreenApplication() {
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepErrorsOnly);
    static int argc = 1;
    static char name[] = "kivo";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace kivo
