#include "platform/DosboxSettings.h"

#include "platform/TextFile.h"

QStringList DosboxSettingsArguments(const QString& folder) {
    const QString layer = folder + QStringLiteral("/dosbox-layer.conf");
    if (!WriteFileWhole(layer, QByteArrayLiteral("[sdl]\nautolock=false\n"))) return {};
    // -userconf loads the user's settings first, as dosbox does when given no
    // settings file; the layer then changes only what it names.
    return {QStringLiteral("-userconf"), QStringLiteral("-conf"), layer};
}
