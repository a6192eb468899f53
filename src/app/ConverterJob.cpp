#include "app/ConverterJob.h"

#include "app/Backups.h"
#include "app/FontSetJob.h"
#include "converter/core/SystemFontSlots.h"
#include "host/seams/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace korven::app {

namespace {

// "ltn13.pgf (serif, bold, small)"
QString SlotInWords(const QString& name) {
    static const QRegularExpression slot(QStringLiteral(R"(^ltn(\d+)$)"));
    const QRegularExpressionMatch m = slot.match(name);
    const int number = m.hasMatch() ? m.captured(1).toInt() : -1;
    if (number < 0 || number >= kSetFileCount) {
        return name;
    }
    const converter::SystemFontSlot& s = converter::systemFontSlots()[std::size_t(number)];
    return QStringLiteral("%1 (%2%3)")
        .arg(QString::fromStdString(converter::slotFileName(number)),
             QString::fromStdString(converter::slotKind(s)),
             s.small ? QStringLiteral(", small") : QString());
}

// "U+0370-U+0373 U+2030": three or more in a row as one range, as the converter writes them.
QString CodePointList(const QStringList& codes) {
    QStringList parts;
    for (qsizetype i = 0; i < codes.size();) {
        qsizetype end = i + 1;
        while (end < codes.size() && codes[end].mid(2).toUInt(nullptr, 16) ==
                                         codes[end - 1].mid(2).toUInt(nullptr, 16) + 1) {
            ++end;
        }
        if (end - i >= 3) {
            parts << codes[i] + u'-' + codes[end - 1];
        } else {
            end = i + 1;
            parts << codes[i];
        }
        i = end;
    }
    return parts.join(u' ');
}

// "Left out U+2030 from ltn4.pgf ltn5.pgf", one line per distinct list of characters.
QStringList LeftOutLines(const ConverterAccount& account) {
    QStringList order;
    QHash<QString, QStringList> files;
    for (const ConverterAccount::File& f : account.files) {
        if (f.leftOut.isEmpty()) {
            continue;
        }
        const QString characters = CodePointList(f.leftOut);
        if (!files.contains(characters)) {
            order << characters;
        }
        files[characters] << QFileInfo(f.path).fileName();
    }
    QStringList lines;
    for (const QString& characters : order) {
        // A list every Latin file shares names the set once rather than its sixteen files.
        const QStringList& in = files[characters];
        const QString where =
            in == SetFileNames()
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

QString ConverterWords(const QString& errorOutput) {
    QStringList words;
    for (const QString& raw : errorOutput.split(u'\n')) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.section(QStringLiteral(": "), 1).startsWith(u"note:")) {
            words << line;
        }
    }
    return words.join(u'\n');
}

ConverterAccount ReadAccount(const QByteArray& json) {
    ConverterAccount account;
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    if (root.value(QStringLiteral("program")).toString() != QStringLiteral("ttf2pgf")) {
        return account;
    }
    account.read = true;
    account.outcome = root.value(QStringLiteral("outcome")).toString();
    for (const QJsonValue& value : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject f = value.toObject();
        ConverterAccount::File file;
        file.path = f.value(QStringLiteral("path")).toString();
        file.bytes = f.value(QStringLiteral("bytes")).toInteger();
        file.glyphs = f.value(QStringLiteral("glyphs")).toInt(-1);
        for (const QJsonValue& c : f.value(QStringLiteral("leftOut")).toArray()) {
            file.leftOut << c.toString();
        }
        account.files << file;
    }
    const QJsonObject set = root.value(QStringLiteral("set")).toObject();
    account.sansFamily = set.value(QStringLiteral("sansSerif")).toString();
    account.serifFamily = set.value(QStringLiteral("serif")).toString();
    for (const QJsonValue& name : set.value(QStringLiteral("synthesized")).toArray()) {
        account.synthesized << name.toString();
    }
    return account;
}

ConverterObservation ObserveConverter(host::ProcessHandle& handle, const QString& converterPath,
                                      const QString& commandLine, const QString& outputPath) {
    ConverterObservation seen;
    seen.converterPath = converterPath;
    seen.commandLine = commandLine;
    seen.outputPath = outputPath;
    switch (handle.State()) {
    case host::ProcessState::Running:
        seen.state = ConverterObservation::State::Running;
        return seen;
    case host::ProcessState::Exited:
        seen.state = ConverterObservation::State::Exited;
        seen.exitCode = handle.ExitCode();
        break;
    case host::ProcessState::Crashed:
        seen.state = ConverterObservation::State::Crashed;
        break;
    case host::ProcessState::FailedToStart:
        seen.state = ConverterObservation::State::FailedToStart;
        seen.lastErrorLine = handle.FailureText();
        seen.converterExists = QFileInfo::exists(converterPath);
        return seen;
    }
    seen.standardOutput = handle.StandardOutput();
    return seen;
}

std::unique_ptr<ConverterJob> ConverterJob::Start(host::ProcessStarter& starter, Kind kind,
                                                  const ConverterInvocation& invocation,
                                                  const QString& output, const QString& pickedFont,
                                                  int expectedFiles) {
    std::unique_ptr<ConverterJob> job(new ConverterJob);
    job->kind_ = kind;
    job->converterPath_ = invocation.program;
    // The line offered for running it by hand is the one a shell runs as started, without
    // the account, which only the window reads.
    job->commandLine_ = ShellCommandLine(invocation);
    job->output_ = output;
    job->outputExisted_ = QFileInfo(output).isFile();
    job->pickedFont_ = pickedFont;
    job->expectedFiles_ = expectedFiles;
    ConverterInvocation started = invocation;
    if (kind == Kind::Set) {
        job->accountFolder_ = std::make_unique<QTemporaryDir>();
        started.arguments << QStringLiteral("--report-json")
                          << job->accountFolder_->filePath(QStringLiteral("account.json"));
    }
    job->handle_ = starter.Start(started.program, started.arguments);
    return job;
}

ConverterJob::~ConverterJob() {
    // A job is usually let go by a handler of its own process's Finished signal, so the
    // process goes once that signal is done with.
    if (handle_) {
        handle_.release()->deleteLater();
    }
}

ConverterObservation ConverterJob::Observe() {
    ConverterObservation seen = ObserveConverter(*handle_, converterPath_, commandLine_, output_);
    seen.outputExisted = outputExisted_;
    if (seen.state == ConverterObservation::State::Running ||
        seen.state == ConverterObservation::State::FailedToStart) {
        return seen;
    }
    if (kind_ == Kind::Convert) {
        seen.lastErrorLine = handle_->LastErrorLine();
        seen.outputWritten = seen.state == ConverterObservation::State::Exited &&
                             SaysWritten(seen.standardOutput, output_) &&
                             QFileInfo(output_).isFile();
        return seen;
    }
    seen.lastErrorLine = ConverterWords(handle_->ErrorOutput());
    if (kind_ == Kind::Restore) {
        return seen;
    }
    scriptNotes_.clear();
    for (const QString& line : handle_->ErrorOutput().split(u'\n')) {
        if (const QString note = ScriptNote(line); !note.isEmpty()) {
            scriptNotes_ << note;
        }
    }
    QFile file(accountFolder_->filePath(QStringLiteral("account.json")));
    account_ = file.open(QIODevice::ReadOnly) ? ReadAccount(file.readAll()) : ConverterAccount();
    written_.clear();
    for (const ConverterAccount::File& f : account_.files) {
        if (QFileInfo(f.path).isFile()) {
            written_ << QFileInfo(f.path).fileName();
        }
    }
    seen.outputWritten =
        account_.outcome == QStringLiteral("done") && written_.size() == expectedFiles_;
    return seen;
}

JobVerdict ConverterJob::Verdict() {
    const ConverterObservation seen = Observe();
    switch (kind_) {
    case Kind::Convert:
        return JudgeConverter(seen);
    case Kind::Set:
        return JudgeSet(seen, written_, account_, expectedFiles_, scriptNotes_);
    case Kind::Restore:
        break;
    }
    return JudgeRestore(seen);
}

bool SaysWritten(const QString& standardOutput, const QString& outputPath) {
    const QString start = QStringLiteral("wrote ") + outputPath + QStringLiteral(": ");
    for (const QString& line : standardOutput.split(u'\n')) {
        if (line.startsWith(start)) {
            return true;
        }
    }
    return false;
}

QString SetWrittenDetails(const ConverterAccount& account, const QString& folder,
                          const QStringList& scriptNotes) {
    QStringList files{QStringLiteral("ltn0.pgf to ltn15.pgf")};
    for (const QString& note : scriptNotes) {
        files << note.section(u' ', 0, 0);
    }
    const QString last = files.takeLast();
    QString text = QStringLiteral("Written: %1 in %2")
                       .arg(files.isEmpty()
                                ? last
                                : files.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last,
                            QDir::toNativeSeparators(folder));
    if (!account.sansFamily.isEmpty()) {
        text += QStringLiteral("\nSans-serif from %1, serif from %2")
                    .arg(account.sansFamily, account.serifFamily);
    }
    if (!account.synthesized.isEmpty()) {
        QStringList made;
        for (const QString& name : account.synthesized) {
            made << SlotInWords(name);
        }
        text += QStringLiteral("\nMade by synthesis: %1").arg(made.join(QStringLiteral(", ")));
    }
    for (const QString& note : scriptNotes) {
        text += QLatin1Char('\n') + note;
    }
    for (const QString& line : LeftOutLines(account)) {
        text += QLatin1Char('\n') + line;
    }
    return text;
}

JobVerdict JudgeSet(const ConverterObservation& seen, const QStringList& written,
                    const ConverterAccount& account, int total, const QStringList& scriptNotes) {
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
        verdict.details = SetWrittenDetails(account, seen.outputPath, scriptNotes);
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
