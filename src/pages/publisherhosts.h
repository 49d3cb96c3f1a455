#pragma once

#include <QString>

// The publisher's two web hosts, chosen when the program is built. Captions
// that name the main site write "{main-host}", so that they show the host the
// program's links open.
namespace PublisherHosts {

QString mainHost();
QString helpHost();

// The text with every "{main-host}" replaced by the main host.
QString withHosts(QString text);

} // namespace PublisherHosts
