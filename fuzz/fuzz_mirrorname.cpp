// The mirror-name rules: a name they accept is one plain file name component
// that survives the file system and the profile file unchanged.

#include <QDir>
#include <QFile>

#include "FuzzSupport.h"
#include "mirror/MirrorName.h"
#include "mirror/MirrorProfile.h"
#include "mirror/ResultPaths.h"

namespace {

QString Decode(const FuzzInput& in) {
    switch (in.control % 3) {
        case 0:
            return QString::fromUtf8(in.data);
        case 1:  // raw UTF-16, unpaired surrogates and all
            return QString(reinterpret_cast<const QChar*>(in.data.constData()), in.data.size() / 2);
        default:
            return QString::fromLatin1(in.data);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const FuzzInput in = SplitInput(bytes, size);
    const QString name = Decode(in);
    if (!IsValidProfileName(name)) {
        FUZZ_CHECK(MirrorProfilePath(name).isEmpty(), "no path for a refused name");
        FUZZ_CHECK(!WriteMirrorProfile(name, {name}), "a refused name is never written");
        return 0;
    }
    FUZZ_CHECK(QString::fromUtf8(name.toUtf8()) == name, "the name survives UTF-8");
    FUZZ_CHECK(QFile::decodeName(QFile::encodeName(name)) == name, "the file system keeps it");
    FUZZ_CHECK(QFile::encodeName(name + QStringLiteral(".ini")).size() <= 255,
               "the file name fits every file system");
    const QString path = MirrorProfilePath(name);
    FUZZ_CHECK(!path.isEmpty(), "an accepted name has a path");
    FUZZ_CHECK(QFileInfo(path).absolutePath() == QDir(MirrorsFolder()).absolutePath(),
               "the profile lies in the mirrors folder");
    FUZZ_CHECK(!MirrorResultFolder(QStringLiteral("/r"), name).isEmpty(), "a result folder");

    // Written as a profile and read back under the same name.
    if (in.control & 0x80) {
        const QStringList lines = {name,
                                   QStringLiteral("8"),
                                   QStringLiteral("96"),
                                   QStringLiteral("-1"),
                                   QStringLiteral("0"),
                                   QStringLiteral("4"),
                                   QStringLiteral("1")};
        FUZZ_CHECK(WriteMirrorProfile(name, lines), "the profile is written");
        const ProfileLoad load = ReadMirrorProfile(name);
        FUZZ_CHECK(load.ok && load.profile.WorkFile == name, "the profile reads back");
        QFile::remove(path);
    }
    return 0;
}
