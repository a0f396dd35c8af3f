#include "mirror/MirrorEditor.h"

#include <limits>

#include "core/NumberText.h"
#include "mirror/MirrorName.h"
#include "mirror/ZoneGeometry.h"
#include "platform/TextFile.h"

namespace {

constexpr int kMinEditorZones = 2;
constexpr qint64 kMaxOpenedFileBytes = 64 * 1024;
constexpr int kOpenedLines = 8;

// A field holds a number when the general format reads it. A line break would
// split the profile file's line, so such a text is no number.
bool FieldNumber(const QString& text, double& value) {
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) return false;
    return ParseNumber(text, value);
}

class Checker {
  public:
    Checker(const EditorAsk& ask, MirrorSpecsCheck& check) : ask_(ask), check_(check) {}

    MsgResult Show(const QString& text, const QString& title, MsgButtons buttons = MsgButtons::OK,
                   int defaultButton = 0) {
        MsgBoxRequest request;
        request.text = text;
        request.title = title;
        request.buttons = buttons;
        request.defaultButton = defaultButton;
        check_.messages.append(request);
        return ask_ ? ask_(request) : MsgResult::OK;
    }

    void Refuse(const QString& text, const QString& title) {
        Show(text, title);
        bad = true;
    }

    bool bad = false;

  private:
    const EditorAsk& ask_;
    MirrorSpecsCheck& check_;
};

}  // namespace

MirrorSpecsCheck CheckMirrorSpecs(const MirrorEditorFields& fields, bool profileOpened,
                                  bool cancelling, const EditorAsk& ask) {
    MirrorSpecsCheck check;
    Checker c(ask, check);

    // Name.
    const QString& name = fields.NName;
    if (name.isEmpty()) {
        if (cancelling) {
            check.outcome = MirrorSpecsOutcome::LeftSilently;
            return check;
        }
        c.Refuse(QStringLiteral("How about a Name for this info :)"),
                 QStringLiteral("Naming Error!"));
    } else {
        bool illegal = false;
        for (const QChar ch : name) {
            if (IsIllegalNameChar(ch)) {
                c.Refuse(QStringLiteral("Name may not contain /\\:*?<>|!"),
                         QStringLiteral("Illegal Characters!"));
                illegal = true;
            }
        }
        // Names a file system can't hold as one plain file name.
        const QString problem = illegal ? QString() : ProfileNameProblem(name);
        if (!problem.isEmpty()) c.Refuse(problem, QStringLiteral("Naming Error!"));
    }

    // Existing file.
    if (!c.bad && !profileOpened && MirrorProfileExists(name)) {
        const MsgResult answer = c.Show(QStringLiteral("File Exists! Overwrite file?"),
                                        QStringLiteral("File Warning!"), MsgButtons::OKCancel, 1);
        if (answer != MsgResult::OK) c.bad = true;
    }

    double diameter = 0;
    if (!FieldNumber(fields.Ndiam, diameter))
        c.Refuse(QStringLiteral("Improper format in mirror diameter!"),
                 QStringLiteral("Diameter error!"));
    else if (diameter < 2)
        c.Refuse(QStringLiteral("Mirror must be greater than 2!"),
                 QStringLiteral("Diameter Error"));

    double roc = 0;
    if (!FieldNumber(fields.NRoc, roc))
        c.Refuse(QStringLiteral("Improper format in ROC entry!"), QStringLiteral("ROC Error!"));
    else if (roc <= 1)
        c.Refuse(QStringLiteral("Roc Must be > 1"), QStringLiteral("ROC Error"));

    double conic = 0;
    if (!FieldNumber(fields.NCC, conic))
        c.Refuse(QStringLiteral("Improper format in Deformation entry!"),
                 QStringLiteral("Deformation Constant error!"));

    double obstruction = 0;
    if (!FieldNumber(fields.Nobst, obstruction))
        c.Refuse(QStringLiteral("Improper format in Secondary Obstruction entry!"),
                 QStringLiteral("Obstruction Error!"));
    else if (obstruction < 0)
        c.Refuse(QStringLiteral("Your secondary has a Negative value?"),
                 QStringLiteral("You Wish!"));

    double zones = 0;
    if (!FieldNumber(fields.NNZ, zones))
        c.Refuse(QStringLiteral("Improper format in Zone entry!"), QStringLiteral("Zone Error!"));
    else if (zones < kMinEditorZones || zones > kMaxZones)
        c.Refuse(QStringLiteral("Number of Zones must be from %1 to %2!")
                     .arg(kMinEditorZones)
                     .arg(kMaxZones),
                 QStringLiteral("Zone Error!"));

    // The next test number is the number text of tests + 1, kept for line 7 and
    // taken as the profile reader takes that line, within the numbers a profile
    // may hold.
    double tests = 0;
    QString nextText;
    double next = 0;
    bool testsOk = FieldNumber(fields.NSeries, tests);
    if (testsOk) {
        nextText = NumText(tests + 1);
        testsOk = ParseNumber(nextText, next);
        const double whole = RoundHalfEven(next);
        testsOk = testsOk && whole >= kMinTestNumber && whole <= kMaxTestNumber;
    }
    if (!testsOk)
        c.Refuse(QStringLiteral("Improper format in Number of Tests Run!"),
                 QStringLiteral("Tests Ran Error"));

    // Values at the ends of the double range pass every check above but give no
    // zone table (an obstruction of 1e308 has an infinite area); the profile
    // reader would refuse the file written from them.
    if (!c.bad) {
        for (const bool fixedSource : {false, true}) {
            const ZoneTableResult table =
                BuildZoneTable(diameter, obstruction, roc, RoundToLong(zones), fixedSource);
            if (!table.ok) {
                c.Refuse(table.reason, QStringLiteral("Zone Error!"));
                break;
            }
        }
    }

    if (c.bad) {
        check.outcome = MirrorSpecsOutcome::Refused;
        return check;
    }

    MirrorProfile& p = check.profile;
    p.WorkFile = name;
    p.MirDiam = diameter;
    p.Roc = roc;
    p.CC = conic;
    p.Obst = obstruction;
    p.NZ = RoundToLong(zones);
    p.WorkNum = RoundToLong(next);
    check.lines = {name, fields.Ndiam, fields.NRoc, fields.NCC, fields.Nobst, fields.NNZ, nextText};
    check.outcome = MirrorSpecsOutcome::Accepted;
    return check;
}

std::optional<MirrorEditorFields> OpenProfileForEditor(const QString& path,
                                                       const MirrorEditorFields& current) {
    QStringList lines;
    if (path.isEmpty() || !ReadTextLines(path, lines, kMaxOpenedFileBytes)) return std::nullopt;
    if (lines.size() > kOpenedLines) lines = lines.mid(0, kOpenedLines);

    MirrorEditorFields fields = current;
    QString* targets[] = {&fields.NName, &fields.Ndiam, &fields.NRoc,
                          &fields.NCC,   &fields.Nobst, &fields.NNZ};
    for (int i = 0; i < 6 && i < lines.size(); ++i) *targets[i] = lines[i];
    double next = 0;
    if (lines.size() >= 7 && ParseNumber(lines[6], next)) fields.NSeries = NumText(next - 1);
    return fields;
}
