#include "pages/publisherhosts.h"

namespace PublisherHosts {

QString mainHost()
{
    return QStringLiteral(NUMENSIGHT_MAIN_HOST);
}

QString helpHost()
{
    return QStringLiteral(NUMENSIGHT_HELP_HOST);
}

QString withHosts(QString text)
{
    return text.replace(QLatin1String("{main-host}"), mainHost());
}

} // namespace PublisherHosts
