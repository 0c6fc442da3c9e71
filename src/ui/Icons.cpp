#include "ui/Icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The icons are compiled into this static library: their registration must be asked for, or the
// linker leaves it out.
static void InitProgramIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace etikor {

QIcon ProgramIcon(const char* name) {
    static const bool initialised = (InitProgramIcons(), true);
    (void)initialised;
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
    if (!renderer.isValid())
        return {};
    // Drawn here rather than by an icon-engine plugin, which a machine may lack.
    QIcon icon;
    for (const int size : {16, 20, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace etikor
