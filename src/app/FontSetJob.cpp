#include "app/FontSetJob.h"

#include "app/SetScripts.h"
#include "converter/core/SystemFontSlots.h"
#include "host/seams/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace korven::app {

namespace {

// "ltn13.pgf (serif, bold, small)"
QString SlotInWords(int number) {
    if (number < 0 || number >= kSetFileCount) {
        return QStringLiteral("ltn%1").arg(number);
    }
    const converter::SystemFontSlot& slot = converter::systemFontSlots()[std::size_t(number)];
    return QStringLiteral("%1 (%2%3)")
        .arg(QString::fromStdString(converter::slotFileName(number)),
             QString::fromStdString(converter::slotKind(slot)),
             slot.small ? QStringLiteral(", small") : QString());
}

// The converter's own words when it stops: every line of its error output but the notes on
// which face fills which file. A refused set says why in one line and what that means for
// the folder in the next, so the last line alone would not say why.
QString ErrorWords(const QString& errorOutput) {
    QStringList words;
    for (const QString& raw : errorOutput.split(u'\n')) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.section(QStringLiteral(": "), 1).startsWith(u"note:")) {
            words << line;
        }
    }
    return words.join(u'\n');
}

// "Left out U+2030 from ltn4.pgf ltn5.pgf", one line per distinct list of characters left
// out, from the converter's report lines.
QStringList LeftOutLines(const QString& standardOutput) {
    static const QRegularExpression report(QStringLiteral(
        R"(^wrote .*/((?:ltn\d+|jpn0|kr0)\.pgf): \d+ glyphs?, \d+ bytes?; left out \d+ )"
        R"(characters?: (.+)$)"));
    QStringList order;
    QHash<QString, QStringList> files;
    for (const QString& line : standardOutput.split(u'\n')) {
        const QRegularExpressionMatch m = report.match(line.trimmed());
        if (!m.hasMatch()) {
            continue;
        }
        if (!files.contains(m.captured(2))) {
            order << m.captured(2);
        }
        files[m.captured(2)] << m.captured(1);
    }
    QStringList lines;
    for (const QString& characters : order) {
        // A list every file shares names the set once rather than its sixteen files.
        const QStringList& in = files[characters];
        const QString where =
            in.size() == kSetFileCount
                ? SetFileNames().constFirst() + QStringLiteral(" to ") + SetFileNames().constLast()
                : in.join(QLatin1Char(' '));
        lines << QStringLiteral("Left out %1 from %2").arg(characters, where);
    }
    return lines;
}

// The converter's note on the face a script's file was made from, without its name:
// "jpn0.pgf (Japanese, 18 px) from "FONT", face 0 of 10, ..." with FONT in native form.
QString ScriptNote(const QString& errorLine) {
    const QString note = errorLine.trimmed().section(QStringLiteral("note: "), 1);
    static const QRegularExpression script(
        QStringLiteral(R"re(^((?:jpn0|kr0)\.pgf \([^)]*\) from )"(.*?)"((?:, .*)?)$)re"));
    const QRegularExpressionMatch m = script.match(note);
    return m.hasMatch() ? m.captured(1) + QDir::toNativeSeparators(m.captured(2)) + m.captured(3)
                        : QString();
}

} // namespace

QStringList SetFileNames(const ConversionSettings& settings) {
    QStringList names = SetFileNames();
    for (int script = 0; script < kScriptFileCount; ++script)
        if (!ScriptFont(settings, script).isEmpty())
            names << ScriptFileName(script);
    return names;
}

const QStringList& SetFileNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int n = 0; n < kSetFileCount; ++n) {
            list << QString::fromStdString(converter::slotFileName(n));
        }
        return list;
    }();
    return names;
}

QString SetFolder(const ConversionSettings& settings) {
    QString folder = settings.DestinationFolder;
    // The folder list gives a root with its separator and the handler adds one more; one
    // separator is the root itself and stays.
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')) &&
           !folder.endsWith(QStringLiteral(":\\")) && !folder.endsWith(QStringLiteral(":/"))) {
        folder.chop(1);
    }
    return folder;
}

ConverterInvocation BuildSetInvocation(const ConversionSettings& settings,
                                       const CommandLineStyle& style) {
    ConverterInvocation invocation;
    invocation.program = ConverterProgram(settings, style);
    invocation.arguments << QStringLiteral("--set") << settings.SourceFolder + settings.FontFile
                         << SetFolder(settings) << settings.FontSize
                         << QStringLiteral("i") + settings.ShadowValue
                         << CharactersArguments(settings) << SetFitArguments(settings)
                         << ScriptArguments(settings);
    if (!settings.SerifFont.isEmpty())
        invocation.arguments << QStringLiteral("--serif") << settings.SerifFont;
    return invocation;
}

QStringList ExistingSetFiles(const QString& folder, const QStringList& names) {
    QStringList existing;
    for (const QString& name : names) {
        if (QFileInfo(QDir(folder).filePath(name)).isFile()) {
            existing << name;
        }
    }
    return existing;
}

QString ReplaceSetQuestion(int existing, const QString& folder, int total) {
    // The sixteen alone keep their words; the scripts' files are named when they are asked for.
    const QString kinds = total > kSetFileCount ? QStringLiteral("ltn*.pgf, jpn0.pgf, kr0.pgf")
                                                : QStringLiteral("ltn*.pgf");
    return existing == 1 ? QStringLiteral("1 system font file (%1) already exists in %2.\n"
                                          "Replace it with the new set of %3?")
                               .arg(kinds, QDir::toNativeSeparators(folder))
                               .arg(total)
                         : QStringLiteral("%1 system font files (%2) already exist in %3.\n"
                                          "Replace them with the new set of %4?")
                               .arg(existing)
                               .arg(kinds, QDir::toNativeSeparators(folder))
                               .arg(total);
}

SetSnapshot TakeSetSnapshot(const QString& folder, const QStringList& names) {
    SetSnapshot snapshot;
    for (const QString& name : names) {
        snapshot.push_back(FileSnapshot::Take(QDir(folder).filePath(name)));
    }
    return snapshot;
}

FontSetJob::FontSetJob(std::unique_ptr<host::ProcessHandle> handle, QString converterPath,
                       QString commandLine, QString folder, SetSnapshot before, QStringList names)
    : handle_(std::move(handle)), converterPath_(std::move(converterPath)),
      commandLine_(std::move(commandLine)), folder_(std::move(folder)), before_(std::move(before)),
      names_(std::move(names)) {
    // A snapshot of other files than those asked for could not tell which were written.
    before_.resize(static_cast<std::size_t>(names_.size()));
}

ConverterObservation FontSetJob::Observe() {
    ConverterObservation seen = ObserveConverter(*handle_, converterPath_, commandLine_, folder_);
    if (seen.state == ConverterObservation::State::Running ||
        seen.state == ConverterObservation::State::FailedToStart) {
        return seen;
    }
    const QString errorOutput = handle_->ErrorOutput();
    seen.lastErrorLine = ErrorWords(errorOutput);
    scriptNotes_.clear();
    for (const QString& line : errorOutput.split(u'\n')) {
        if (const QString note = ScriptNote(line); !note.isEmpty())
            scriptNotes_ << note;
    }
    written_.clear();
    for (qsizetype n = 0; n < names_.size(); ++n) {
        const QString path = QDir(folder_).filePath(names_[n]);
        if (before_[std::size_t(n)].WrittenSince(FileSnapshot::Take(path))) {
            written_ << names_[n];
        }
    }
    seen.outputWritten = written_.size() == names_.size();
    return seen;
}

QString SetWrittenDetails(const QString& standardOutput, const QString& folder,
                          const QStringList& scriptNotes) {
    // "wrote 16 files to DIR: sans-serif FAMILY, serif FAMILY; made by synthesis: ltn4 ltn6",
    // with ", Japanese FAMILY, Korean FAMILY" after the serif family for eighteen.
    static const QRegularExpression summary(
        QStringLiteral(R"(^wrote (\d+) files to (.+): sans-serif (.+), serif (.+?))"
                       R"(((?:, (?:Japanese|Korean) .+?)*)(?:; made by synthesis: (.+))?$)"));
    QStringList files{QStringLiteral("ltn0.pgf to ltn15.pgf")};
    for (const QString& note : scriptNotes)
        files << note.section(u' ', 0, 0);
    const QString last = files.takeLast();
    QString text = QStringLiteral("Written: %1 in %2")
                       .arg(files.isEmpty()
                                ? last
                                : files.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last,
                            QDir::toNativeSeparators(folder));
    for (const QString& line : standardOutput.split(u'\n')) {
        const QRegularExpressionMatch m = summary.match(line.trimmed());
        if (!m.hasMatch()) {
            continue;
        }
        text +=
            QStringLiteral("\nSans-serif from %1, serif from %2").arg(m.captured(3), m.captured(4));
        // ", Japanese Noto Sans CJK JP, Korean Noto Sans CJK KR"
        static const QRegularExpression script(QStringLiteral(", (Japanese|Korean) "));
        const QString scripts = m.captured(5);
        QList<QRegularExpressionMatch> starts;
        for (const QRegularExpressionMatch& s : script.globalMatch(scripts))
            starts << s;
        for (qsizetype n = 0; n < starts.size(); ++n) {
            const qsizetype from = starts[n].capturedEnd();
            const qsizetype to = n + 1 < starts.size() ? starts[n + 1].capturedStart() : -1;
            text += QStringLiteral(", %1 from %2")
                        .arg(starts[n].captured(1), scripts.mid(from, to < 0 ? -1 : to - from));
        }
        if (m.hasCaptured(6)) {
            QStringList made;
            static const QRegularExpression slot(QStringLiteral(R"(^ltn(\d+)$)"));
            for (const QString& name : m.captured(6).split(u' ', Qt::SkipEmptyParts)) {
                const QRegularExpressionMatch s = slot.match(name);
                made << (s.hasMatch() ? SlotInWords(s.captured(1).toInt()) : name);
            }
            text += QStringLiteral("\nMade by synthesis: %1").arg(made.join(QStringLiteral(", ")));
        }
        break;
    }
    for (const QString& note : scriptNotes) {
        text += QLatin1Char('\n') + note;
    }
    for (const QString& line : LeftOutLines(standardOutput)) {
        text += QLatin1Char('\n') + line;
    }
    return text;
}

JobVerdict JudgeSet(const ConverterObservation& seen, const QStringList& written, int total,
                    const QStringList& scriptNotes) {
    using State = ConverterObservation::State;
    if (seen.state != State::Exited || seen.exitCode != 0) {
        // Refusals, crashes and failed starts read exactly as Convert's do.
        return JudgeConverter(seen);
    }
    JobVerdict verdict;
    verdict.finished = true;
    if (seen.outputWritten) {
        verdict.success = true;
        verdict.message = JudgeConverter(seen).message; // Convert's own words for success
        verdict.details = SetWrittenDetails(seen.standardOutput, seen.outputPath, scriptNotes);
        verdict.flags = host::MessageBoxFlag::OkOnly;
        return verdict;
    }
    verdict.message =
        written.isEmpty()
            ? QStringLiteral("The set was not written: the converter ended without writing "
                             "into\n%1")
                  .arg(QDir::toNativeSeparators(seen.outputPath))
            : QStringLiteral("The set was not written whole: the converter ended having "
                             "written only %1 of the %2 files into\n%3\n%4")
                  .arg(written.size())
                  .arg(total)
                  .arg(QDir::toNativeSeparators(seen.outputPath), written.join(QLatin1Char(' ')));
    if (!seen.lastErrorLine.isEmpty()) {
        verdict.message += QStringLiteral("\n\nThe converter said: %1").arg(seen.lastErrorLine);
    }
    verdict.details = QStringLiteral("To run it by hand:\n%1").arg(seen.commandLine);
    verdict.flags = host::MessageBoxFlag::Stop;
    return verdict;
}

} // namespace korven::app
