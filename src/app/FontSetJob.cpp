#include "app/FontSetJob.h"

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
    static const QRegularExpression report(
        QStringLiteral(R"(^wrote .*/(ltn\d+\.pgf): \d+ glyphs?, \d+ bytes?; left out \d+ )"
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
        lines << QStringLiteral("Left out %1 from %2")
                     .arg(characters, files[characters].join(QLatin1Char(' ')));
    }
    return lines;
}

} // namespace

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
                                       const CommandLineStyle& style, const QString& backupFolder) {
    ConverterInvocation invocation;
    invocation.program = ConverterProgram(settings, style);
    invocation.arguments << QStringLiteral("--set") << settings.SourceFolder + settings.FontFile
                         << SetFolder(settings) << settings.FontSize
                         << QStringLiteral("i") + settings.ShadowValue
                         << CharactersArguments(settings) << SetFitArguments(settings);
    if (!backupFolder.isEmpty()) {
        invocation.arguments << QStringLiteral("--backup-dir") << backupFolder;
    }
    return invocation;
}

QStringList ExistingSetFiles(const QString& folder) {
    QStringList existing;
    for (const QString& name : SetFileNames()) {
        if (QFileInfo(QDir(folder).filePath(name)).isFile()) {
            existing << name;
        }
    }
    return existing;
}

QString ReplaceSetQuestion(int existing, const QString& folder) {
    return existing == 1 ? QStringLiteral("1 system font file (ltn*.pgf) already exists in %1.\n"
                                          "Replace it with the new set of 16?")
                               .arg(QDir::toNativeSeparators(folder))
                         : QStringLiteral("%1 system font files (ltn*.pgf) already exist in %2.\n"
                                          "Replace them with the new set of 16?")
                               .arg(existing)
                               .arg(QDir::toNativeSeparators(folder));
}

SetSnapshot TakeSetSnapshot(const QString& folder) {
    SetSnapshot snapshot;
    for (int n = 0; n < kSetFileCount; ++n) {
        snapshot[std::size_t(n)] = FileSnapshot::Take(QDir(folder).filePath(SetFileNames()[n]));
    }
    return snapshot;
}

FontSetJob::FontSetJob(std::unique_ptr<host::ProcessHandle> handle, QString converterPath,
                       QString commandLine, QString folder, SetSnapshot before)
    : handle_(std::move(handle)), converterPath_(std::move(converterPath)),
      commandLine_(std::move(commandLine)), folder_(std::move(folder)), before_(before) {}

ConverterObservation FontSetJob::Observe() {
    ConverterObservation seen = ObserveConverter(*handle_, converterPath_, commandLine_, folder_);
    if (seen.state == ConverterObservation::State::Running ||
        seen.state == ConverterObservation::State::FailedToStart) {
        return seen;
    }
    seen.lastErrorLine = ErrorWords(handle_->ErrorOutput());
    written_.clear();
    for (int n = 0; n < kSetFileCount; ++n) {
        const QString path = QDir(folder_).filePath(SetFileNames()[n]);
        if (before_[std::size_t(n)].WrittenSince(FileSnapshot::Take(path))) {
            written_ << SetFileNames()[n];
        }
    }
    seen.outputWritten = written_.size() == kSetFileCount;
    return seen;
}

QString SetWrittenDetails(const QString& standardOutput, const QString& folder) {
    // "wrote 16 files to DIR: sans-serif FAMILY, serif FAMILY; made by synthesis: ltn4 ltn6"
    static const QRegularExpression summary(QStringLiteral(
        R"(^wrote (\d+) files to (.+): sans-serif (.+), serif (.+?)(?:; made by synthesis: (.+))?$)"));
    QString text = QStringLiteral("Written: ltn0.pgf to ltn15.pgf in %1")
                       .arg(QDir::toNativeSeparators(folder));
    for (const QString& line : standardOutput.split(u'\n')) {
        const QRegularExpressionMatch m = summary.match(line.trimmed());
        if (!m.hasMatch()) {
            continue;
        }
        text +=
            QStringLiteral("\nSans-serif from %1, serif from %2").arg(m.captured(3), m.captured(4));
        if (m.hasCaptured(5)) {
            QStringList made;
            static const QRegularExpression slot(QStringLiteral(R"(^ltn(\d+)$)"));
            for (const QString& name : m.captured(5).split(u' ', Qt::SkipEmptyParts)) {
                const QRegularExpressionMatch s = slot.match(name);
                made << (s.hasMatch() ? SlotInWords(s.captured(1).toInt()) : name);
            }
            text += QStringLiteral("\nMade by synthesis: %1").arg(made.join(QStringLiteral(", ")));
        }
        break;
    }
    for (const QString& line : LeftOutLines(standardOutput)) {
        text += QLatin1Char('\n') + line;
    }
    return text;
}

JobVerdict JudgeSet(const ConverterObservation& seen, const QStringList& written) {
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
        verdict.details = SetWrittenDetails(seen.standardOutput, seen.outputPath);
        verdict.flags = host::MessageBoxFlag::OkOnly;
        return verdict;
    }
    verdict.message =
        written.isEmpty()
            ? QStringLiteral("The set was not written: the converter ended without writing "
                             "into\n%1")
                  .arg(QDir::toNativeSeparators(seen.outputPath))
            : QStringLiteral("The set was not written whole: the converter ended having "
                             "written only %1 of the 16 files into\n%2\n%3")
                  .arg(written.size())
                  .arg(QDir::toNativeSeparators(seen.outputPath), written.join(QLatin1Char(' ')));
    if (!seen.lastErrorLine.isEmpty()) {
        verdict.message += QStringLiteral("\n\nThe converter said: %1").arg(seen.lastErrorLine);
    }
    verdict.details = QStringLiteral("To run it by hand:\n%1").arg(seen.commandLine);
    verdict.flags = host::MessageBoxFlag::Stop;
    return verdict;
}

} // namespace korven::app
