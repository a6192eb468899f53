#include "app/JobVerdict.h"

#include "host/seams/MessageBox.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace korven::app {

namespace {

// The report of a conversion that went well, as the main window shows it.
constexpr char kConcluded[] = "operation concluded correctly";

// The converter's name and folder, split at its last separator of either spelling.
QString NameOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}
QString FolderOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut <= 0 ? path.left(cut + 1) : path.left(cut);
}

QString HowToRetry(const ConverterObservation& seen) {
    if (seen.state == ConverterObservation::State::FailedToStart && !seen.converterExists) {
        // A command line would only name the file that is not there.
        return QStringLiteral("It was looked for at %1, beside this program.\n"
                              "To get it back, reinstall the program's package, or build the "
                              "program again (the converter is built with it).")
            .arg(seen.converterPath);
    }
    if (seen.commandLine.isEmpty()) {
        return QString();
    }
    return QStringLiteral("To run it by hand:\n%1").arg(seen.commandLine);
}

// The user agreed to replace the earlier file; after a failure they need to know it is
// still there as it was.
QString WithEarlierOutput(QString message, const ConverterObservation& seen) {
    if (seen.outputExisted && !seen.outputWritten) {
        message += QStringLiteral("\n\nThe earlier %1 is unchanged.").arg(NameOf(seen.outputPath));
    }
    return message;
}

QString WithErrorLine(QString message, const QString& lastErrorLine) {
    if (!lastErrorLine.isEmpty()) {
        message += QStringLiteral("\n\nThe converter said: %1").arg(lastErrorLine);
    }
    return message;
}

QString FailureMessage(const ConverterObservation& seen) {
    using State = ConverterObservation::State;
    const QString name = NameOf(seen.converterPath);
    switch (seen.state) {
    case State::Running:
        break;
    case State::FailedToStart:
        return seen.converterExists ? QStringLiteral("The converter %1 in %2 could not be run.")
                                          .arg(name, FolderOf(seen.converterPath))
                                    : QStringLiteral("The converter %1 was not found in %2.")
                                          .arg(name, FolderOf(seen.converterPath));
    case State::Crashed:
        return WithErrorLine(
            QStringLiteral("The conversion failed: the converter %1 stopped abnormally.").arg(name),
            seen.lastErrorLine);
    case State::Exited:
        if (seen.exitCode == 0) {
            return WithErrorLine(
                QStringLiteral("The conversion failed: the converter ended without writing\n%1")
                    .arg(seen.outputPath),
                seen.lastErrorLine);
        }
        if (!seen.lastErrorLine.isEmpty()) {
            return QStringLiteral("The conversion failed: the converter %1 stopped with this "
                                  "message:\n%2")
                .arg(name, seen.lastErrorLine);
        }
        return QStringLiteral("The conversion failed: the converter %1 stopped without a "
                              "message (exit code %2).")
            .arg(name)
            .arg(seen.exitCode);
    }
    return QString();
}

// "U+2030" becomes "‰ U+2030": the code alone means nothing to most people. Characters that
// show as nothing (blanks, controls) keep the code alone.
QString WithCharacter(const QString& code) {
    const char32_t c = code.mid(2).toUInt(nullptr, 16);
    if (!QChar::isPrint(c) || QChar::isSpace(c)) {
        return code;
    }
    // A no-break space: the box wraps between entries, never between a character and its code.
    return QString::fromUcs4(&c, 1) + QChar(0x00A0) + code;
}

// Each code, or range of codes, with its characters, as one entry no line break splits
// ("Ͱ U+0370-ӿ U+04FF"); the entries keep the converter's separators.
QString WithCharacters(const QString& codes) {
    static const QRegularExpression entry(
        QStringLiteral(R"(\b(U\+[0-9A-Fa-f]{4,6})(?:-(U\+[0-9A-Fa-f]{4,6}))?\b)"));
    // Word joiners around a range's dash: a line may otherwise break after it.
    static const QString joinedDash = QString(QChar(0x2060)) + u'-' + QChar(0x2060);
    QString shown;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : entry.globalMatch(codes)) {
        shown += codes.mid(from, m.capturedStart() - from);
        shown += WithCharacter(m.captured(1));
        if (m.hasCaptured(2)) {
            shown += joinedDash + WithCharacter(m.captured(2));
        }
        from = m.capturedEnd();
    }
    return shown + codes.mid(from);
}

} // namespace

QString WrittenDetails(const QString& standardOutput, const QString& outputPath) {
    // "wrote PATH: N glyphs, B bytes" and, when some were left out,
    // "; left out K character(s): U+XXXX, U+YYYY". The path may itself hold ": ".
    static const QRegularExpression report(QStringLiteral(
        R"(^wrote (.+): (\d+) glyphs?, \d+ bytes?(?:; left out (\d+) characters?: (.+))?$)"));
    const QStringList lines = standardOutput.split(u'\n');
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = report.match(line.trimmed());
        if (!m.hasMatch()) {
            continue;
        }
        const int count = m.captured(2).toInt();
        QString text =
            QStringLiteral("Written: %1, %2 %3")
                .arg(m.captured(1))
                .arg(count)
                .arg(count == 1 ? QStringLiteral("character") : QStringLiteral("characters"));
        if (m.hasCaptured(3)) {
            const int leftOut = m.captured(3).toInt();
            text +=
                QStringLiteral("\nLeft out %1 %2: %3")
                    .arg(leftOut)
                    .arg(leftOut == 1 ? QStringLiteral("character") : QStringLiteral("characters"))
                    .arg(WithCharacters(m.captured(4)));
        }
        return text;
    }
    return QStringLiteral("Written: %1").arg(outputPath);
}

JobVerdict JudgeConverter(const ConverterObservation& seen) {
    using State = ConverterObservation::State;
    JobVerdict verdict;
    if (seen.state == State::Running) {
        return verdict;
    }
    verdict.finished = true;
    if (seen.state == State::Exited && seen.exitCode == 0 && seen.outputWritten) {
        verdict.success = true;
        verdict.message = QString::fromLatin1(kConcluded);
        verdict.details = WrittenDetails(seen.standardOutput, seen.outputPath);
        verdict.flags = host::MessageBoxFlag::OkOnly;
        return verdict;
    }
    verdict.message = WithEarlierOutput(FailureMessage(seen), seen);
    verdict.details = HowToRetry(seen);
    verdict.flags = host::MessageBoxFlag::Stop;
    return verdict;
}

} // namespace korven::app
