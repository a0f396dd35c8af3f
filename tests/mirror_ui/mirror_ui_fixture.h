#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QStringList>

#include "app/ui/frmMain.h"
#include "app_ui/frmmain_fixture.h"
#include "mirror/RecentMirrors.h"
#include "platform/ui/FileDialog.h"

// A main window in its own program folder, with helpers for profile files and
// the recent-mirror list.
class MirrorWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        FileDialogService::SetScript([](const FileDialogRequest&) { return QString(); });
        FileDialogService::ClearHistory();
    }

    void TearDown() override {
        FileDialogService::SetScript(nullptr);
        MainWindowTest::TearDown();
    }

    QString MirrorsPath() const { return folder.filePath(QStringLiteral("mirrors")); }
    QString ProfilePath(const QString& name) const {
        return MirrorsPath() + QLatin1Char('/') + name + QStringLiteral(".ini");
    }

    // Writes a profile file as raw bytes: the lines joined with CR LF, with a
    // final CR LF.
    void PutProfile(const QString& name, const QStringList& lines) {
        QDir().mkpath(MirrorsPath());
        QFile file(ProfilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    }

    // A good profile: diameter 8, radius of curvature 96, paraboloid, no
    // obstruction, `zones` zones, next test 1.
    void PutGoodProfile(const QString& name, int zones = 4) {
        PutProfile(name, {name, "8", "96", "-1", "0", QString::number(zones), "1"});
    }

    QByteArray FileBytes(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Fills the list with these captions (the rest empty), as start-up restores it.
    static void SetList(frmMain& w, const QStringList& captions) {
        std::array<QString, kRecentMirrors + 1> all;
        for (int k = 1; k <= kRecentMirrors; ++k)
            all[k] = k <= captions.size() ? captions[k - 1] : QString();
        w.SetRecentList(RecentMirrorsFromCaptions(all));
    }

    static QStringList Captions(const frmMain& w) {
        QStringList captions;
        for (int k = 1; k <= kRecentMirrors; ++k) captions.append(w.Mnu[k]->text());
        return captions;
    }

    // The shown captions, in order.
    static QStringList Shown(const frmMain& w) {
        QStringList shown;
        for (int k = 1; k <= kRecentMirrors; ++k)
            if (w.Mnu[k]->isVisible()) shown.append(w.Mnu[k]->text());
        return shown;
    }
};
