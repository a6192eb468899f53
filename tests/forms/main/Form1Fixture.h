#pragma once

#include "../../converter/core/TestFont.h"
#include "forms/main/Form1.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"
#include "support/FakeHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korven::forms::testing {

// A fresh main window per test over a fake machine, with a temporary folder as the program
// folder. The window changes the current directory on load; the fixture puts it back.
class Form1Fixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        savedCwd_ = QDir::currentPath();
        programFolder_ = MakeFolder(QStringLiteral("program"));
        host_.programFolder = programFolder_;
        host_.backupFolder = root_.filePath(QStringLiteral("backups"));
    }

    void TearDown() override {
        delete form_.data();
        QDir::setCurrent(savedCwd_);
    }

    Form1& Load() {
        form_ = new Form1(Services());
        return *form_;
    }

    // The services the window gets; a test may replace a piece before Load().
    virtual host::HostServices Services() { return host_.Services(); }

    QString MakeFolder(const QString& relative) {
        const QString path = root_.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }

    static void WriteFile(const QString& path, const QByteArray& bytes = "x") {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A small font FreeType opens (the converter is a fake in these tests).
    static void WriteFont(const QString& path) {
        const std::vector<std::uint8_t> bytes =
            converter::testing::buildTestFont(converter::testing::basicGlyphs());
        WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qsizetype>(bytes.size())));
    }

    // Picks `fontName` in `folder` the way a user does: open the folder, click the file.
    void PickFont(const QString& folder, const QString& fontName) {
        ASSERT_EQ(form_->Dir1()->SetPath(folder), host::FolderError::None);
        ASSERT_TRUE(form_->File1()->SelectFile(fontName));
        form_->File1_Click();
    }

    // The line the converter prints for a file it wrote, which Convert's report needs.
    static QString WroteLine(const QString& path) {
        return QStringLiteral("wrote %1: 1 glyph, 1 bytes\n").arg(path);
    }

    // Writes the account a set run gives into the file after "--report-json" in `arguments`:
    // the first `files` of the set in `folder`, with the characters `leftOut` of some slots,
    // and the families and synthesis of a set written whole.
    static void WriteSetAccount(const QStringList& arguments, const QString& folder, int files,
                                int code, const QHash<int, QStringList>& leftOut = {},
                                const QStringList& synthesized = {},
                                const QStringList& moreFiles = {}) {
        QJsonArray written;
        for (int n = 0; n < files; ++n) {
            written.append(QJsonObject{{"path", QStringLiteral("%1/ltn%2.pgf").arg(folder).arg(n)},
                                       {"bytes", 1},
                                       {"glyphs", 1},
                                       {"leftOut", QJsonArray::fromStringList(leftOut.value(n))}});
        }
        for (const QString& name : moreFiles) {
            written.append(QJsonObject{{"path", folder + QLatin1Char('/') + name},
                                       {"bytes", 1},
                                       {"glyphs", 1},
                                       {"leftOut", QJsonArray()}});
        }
        QJsonObject account{{"program", "ttf2pgf"},
                            {"outcome", code == 0 ? "done" : "failed"},
                            {"exitCode", code},
                            {"files", written}};
        if (code == 0) {
            account["set"] = QJsonObject{{"sansSerif", "Body Sans"},
                                         {"serif", "Body Serif"},
                                         {"synthesized", QJsonArray::fromStringList(synthesized)}};
        }
        const qsizetype at = arguments.indexOf(QStringLiteral("--report-json"));
        ASSERT_GE(at, 0) << "a set is asked for its account";
        WriteFile(arguments.at(at + 1), QJsonDocument(account).toJson());
    }

    // The fake converter last started ends as its state already says: its Finished goes out.
    void EndConverter() {
        ASSERT_FALSE(host_.processes.started.isEmpty());
        host::testing::FakeProcessHandle* handle = host_.processes.started.last().handle;
        ASSERT_NE(handle, nullptr);
        handle->Finish(handle->state, handle->exitCode);
    }

    void PickDestination(const QString& folder) {
        ASSERT_EQ(form_->Dir2()->SetPath(folder), host::FolderError::None);
    }

    QTemporaryDir root_;
    QString savedCwd_;
    QString programFolder_;
    host::testing::FakeHost host_;
    QPointer<Form1> form_;
};

} // namespace korven::forms::testing
