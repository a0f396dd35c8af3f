// Stand-in for the outside programs driven by keystrokes, chosen by the name it
// was started as.
//
// As sixtests.exe: a window whose File menu opens with Alt+F; "O" there asks for
// the path of an input file and "F" for the path of the 3-D file to write, each
// in a dialog that takes a typed path and Enter. Reading the input shows a note
// that Enter closes. The 3-D file holds the path it was read from and the input
// file's lines. It ends two seconds after writing.
//
// As 3vivuvuz.exe: a window with one line that takes a typed path and Enter; the
// path goes to viewed.txt in the working folder, then it ends.
//
// Either way it writes its process id to <name>.pid in its working folder and
// ends by itself after a minute, so a failed test leaves nothing running.
//
// Files in the working folder at its start ask more of the viewer: "popup" keeps
// a tooltip (an override-redirect window, as menus and drop-downs are) on top
// beside its window; "grab" makes its line hold the keyboard. Each is said done
// in "<file>.done".

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

namespace {

bool WriteUtf8(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

// What the stand-in was given, for a test that fails to see why.
void Log(const QString& text) {
    QFile file(QStringLiteral("standin.log"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) file.write(text.toUtf8() + '\n');
}

class SixTests : public QMainWindow {
  public:
    SixTests() {
        setWindowTitle(QStringLiteral("SixTests stand-in"));
        QMenu* menu = menuBar()->addMenu(QStringLiteral("&File"));
        connect(menu->addAction(QStringLiteral("&Open input file...")), &QAction::triggered, this,
                &SixTests::Open);
        connect(menu->addAction(QStringLiteral("&File 3-D mirror...")), &QAction::triggered, this,
                &SixTests::Write3d);
        resize(400, 200);
    }

  private:
    void Open() {
        bool ok = false;
        const QString path =
            QInputDialog::getText(this, QStringLiteral("Open"), QStringLiteral("Input file:"),
                                  QLineEdit::Normal, QString(), &ok);
        Log(QStringLiteral("open %1 [%2]").arg(ok).arg(path));
        if (!ok) return;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            input_ = path;
            lines_ = QString::fromUtf8(file.readAll());
            QMessageBox::information(this, QStringLiteral("SixTests"),
                                     QStringLiteral("Read %1").arg(path));
        } else {
            QMessageBox::warning(this, QStringLiteral("SixTests"),
                                 QStringLiteral("Cannot read %1").arg(path));
        }
    }

    void Write3d() {
        bool ok = false;
        const QString path =
            QInputDialog::getText(this, QStringLiteral("3-D mirror"), QStringLiteral("3-D file:"),
                                  QLineEdit::Normal, QString(), &ok);
        Log(QStringLiteral("3d %1 [%2]").arg(ok).arg(path));
        if (!ok || input_.isEmpty()) return;
        WriteUtf8(path, QStringLiteral("3-D mirror from ") + input_ + QLatin1Char('\n') + lines_);
        QTimer::singleShot(2000, qApp, &QApplication::quit);
    }

    QString input_;
    QString lines_;
};

class Viewer : public QWidget {
  public:
    Viewer() {
        setWindowTitle(QStringLiteral("3-D viewer stand-in"));
        auto* line = new QLineEdit(this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(line);
        connect(line, &QLineEdit::returnPressed, this, [line] {
            WriteUtf8(QStringLiteral("viewed.txt"), line->text());
            QTimer::singleShot(500, qApp, &QApplication::quit);
        });
        resize(400, 80);
        QTimer::singleShot(100, this, [this, line] {
            if (QFile::exists(QStringLiteral("popup"))) {
                // Shown again on top whenever the toolkit hides it (as it does when
                // another program grabs the keyboard): it shows beside that grab.
                popup_.move(x() + 20, y() + height() + 10);
                auto* shown = new QTimer(this);
                connect(shown, &QTimer::timeout, this, [this] { popup_.show(), popup_.raise(); });
                shown->start(5);
            }
            if (QFile::exists(QStringLiteral("grab"))) line->grabKeyboard();
            QTimer::singleShot(200, this, [] {
                for (const char* asked : {"popup", "grab"})
                    if (QFile::exists(asked)) WriteUtf8(asked + QStringLiteral(".done"), QString());
            });
        });
    }

  private:
    QLabel popup_{QStringLiteral("A tooltip of the viewer"), nullptr, Qt::ToolTip};
};

}  // namespace

int main(int argc, char** argv) {
    // Started by tests that run headless themselves: this one needs the display.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const QString name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLower();
    WriteUtf8(name + QStringLiteral(".pid"), QString::number(QCoreApplication::applicationPid()));
    QTimer::singleShot(60000, &app, &QApplication::quit);
    std::unique_ptr<QWidget> window;
    if (name.startsWith(QLatin1String("3vivuvuz")))
        window = std::make_unique<Viewer>();
    else
        window = std::make_unique<SixTests>();
    window->show();
    return app.exec();
}
