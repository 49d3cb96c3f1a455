#include "support/standins.h"

namespace {
QtMessageHandler previousHandler = nullptr;

void withoutSizeHintWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        previousHandler(type, context, message);
}
} // namespace

// QtTest's own handler, installed as the run starts, passes on nothing.
void hideSizeHintWarnings()
{
    previousHandler = qInstallMessageHandler(withoutSizeHintWarnings);
}
