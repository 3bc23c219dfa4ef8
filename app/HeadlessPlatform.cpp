#include "app/HeadlessPlatform.h"

#include <QGuiApplication>

namespace polygrav {

bool IsHeadlessPlatform() {
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("offscreen") || name == QLatin1String("minimal");
}

}  // namespace polygrav
