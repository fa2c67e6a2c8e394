#include "app/SampleDatabase.h"

#include <QFile>

namespace varnholt::app {

std::vector<std::uint8_t> SampleDatabase() {
    QFile resource(QStringLiteral(":/sample/Varnholt.MFG"));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = resource.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace varnholt::app
