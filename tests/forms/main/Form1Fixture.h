#pragma once

#include "forms/main/Form1.h"
#include "host/toolkit/DirListBox.h"
#include "host/toolkit/FileListBox.h"
#include "support/FakeHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

    // Picks `fontName` in `folder` the way a user does: open the folder, click the file.
    void PickFont(const QString& folder, const QString& fontName) {
        ASSERT_EQ(form_->Dir1()->SetPath(folder), host::FolderError::None);
        ASSERT_TRUE(form_->File1()->SelectFile(fontName));
        form_->File1_Click();
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
