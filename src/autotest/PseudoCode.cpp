#include "autotest/PseudoCode.h"

#include "core/NumberText.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Builds a text step by step; a step with a value missing is left out whole.
class Steps {
  public:
    void Add(const QString& step) { text_ += step; }
    void AddIf(bool readable, const QString& step) {
        if (readable) text_ += step;
    }
    QString Text() const { return text_; }

  private:
    QString text_;
};

QString Whole(const std::optional<int32_t>& value) {
    return QString::number(value.value_or(0));
}

// The travel of n half steps, in inches at full precision.
QString Distance(const std::optional<int32_t>& halfSteps, double stepSize) {
    return NumText(halfSteps.value_or(0) * stepSize);
}

}  // namespace

QString LRPseudoCode(const LRPseudoCodeValues& v) {
    const QString frames = QString::number(v.frames);
    const QString max = QString::number(v.max);
    const QString min = QString::number(v.min);
    const QString delta = Whole(v.delta);
    const QString reset =
        QStringLiteral("      Reset Current Frame Average to 1 and Start All Over!") + kCrLf;
    const QString endIf = QStringLiteral("   End If") + kCrLf + kCrLf;
    auto cut = [&v](const char* direction, const std::optional<int32_t>& move) {
        return QStringLiteral("      Cut Knife ") + QLatin1String(direction) +
               QStringLiteral(" Return Beam ") + Distance(move, v.lrStepSize) +
               QStringLiteral(" {Or ") + Whole(move) + QStringLiteral(" Half-Steps}") + kCrLf;
    };

    Steps s;
    s.Add(QStringLiteral("If Frame Average > ") + frames + QStringLiteral(" Then") + kCrLf);
    s.AddIf(v.delta.has_value(), QStringLiteral("   If Zone Intensity > ") + max +
                                     QStringLiteral(" + ") + delta +
                                     QStringLiteral(" {Max + Delta} Then:") + kCrLf);
    s.AddIf(v.large.has_value(), cut("Into", v.large));
    s.Add(reset);
    s.Add(endIf);
    s.AddIf(v.delta.has_value(), QStringLiteral("   If Zone Intensity < ") + min +
                                     QStringLiteral(" - ") + delta +
                                     QStringLiteral(" {Min - Delta} Then:") + kCrLf);
    s.AddIf(v.large.has_value(), cut("Out of", v.large));
    s.Add(reset);
    s.Add(endIf);
    s.Add(QStringLiteral("   If Zone Intensity > ") + max + QStringLiteral(" {Max} Then:") + kCrLf);
    s.AddIf(v.small.has_value(), cut("Into", v.small));
    s.Add(reset);
    s.Add(endIf);
    s.Add(QStringLiteral("   If Zone Intensity < ") + min + QStringLiteral(" {Min} Then:") + kCrLf);
    s.AddIf(v.small.has_value(), cut("Out of", v.small));
    s.Add(reset);
    s.Add(endIf);
    s.Add(QStringLiteral("End If ** If the code gets this far,") + kCrLf +
          QStringLiteral("          ** Then its time to Rough Adust Distance from Mirror! :) "));
    return s.Text();
}

QString TFPseudoCode(const TFPseudoCodeValues& v) {
    const QString reset =
        QStringLiteral("         Reset Frame Average to 1 and Start Over!") + kCrLf;
    auto compare = [](const std::optional<int32_t>& delta) {
        return QStringLiteral("      If Left Zone Value > Right Zone Value + ") + Whole(delta) +
               QStringLiteral(" Then:") + kCrLf;
    };
    auto move = [&v](const char* direction, const std::optional<int32_t>& halfSteps) {
        return QStringLiteral("         Move Knife ") + QLatin1String(direction) +
               QStringLiteral(" Mirror ") + Distance(halfSteps, v.stepSize) +
               QStringLiteral(" {or ") + Whole(halfSteps) + QStringLiteral(" Half-Steps") + kCrLf;
    };

    Steps s;
    s.Add(QStringLiteral("   ***Assuming Knife On Right side of light source!***") + kCrLf);
    s.Add(QStringLiteral("If Frame Average > ") + QString::number(v.frames) +
          QStringLiteral(" Then ") + kCrLf);
    s.Add(QStringLiteral("   If Found_Oblate = False Then:") + kCrLf);
    s.AddIf(v.oblateDelta.has_value(), compare(v.oblateDelta));
    s.AddIf(v.oblateMove.has_value(), move("Towards", v.oblateMove));
    s.Add(reset);
    s.Add(QStringLiteral("      Else") + kCrLf);
    s.Add(QStringLiteral("          Found_Oblate = True") + kCrLf);
    s.Add(QStringLiteral("      End If") + kCrLf);
    s.Add(QStringLiteral("   End If") + kCrLf + kCrLf);
    s.Add(QStringLiteral("   If Found_Oblate = True Then:") + kCrLf);
    s.AddIf(v.roughDelta.has_value(), compare(v.roughDelta));
    s.AddIf(v.roughMove.has_value(), move("Away From", v.roughMove));
    s.Add(reset);
    s.Add(QStringLiteral("      End If") + kCrLf);
    s.Add(QStringLiteral("   End IF") + kCrLf);
    s.Add(QStringLiteral(" End If") + kCrLf);
    s.Add(
        QStringLiteral("**** If we made it this far, then its time to Move onto Final Null Code!"));
    return s.Text();
}
