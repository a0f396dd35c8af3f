#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/ProgramFolder.h"

// A fresh program folder for each test, with helpers to place files in it.
class MirrorFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SetAppPath(dir_.path());
    }
    void TearDown() override { SetAppPath(QString()); }

    QString Root() const { return dir_.path(); }

    // Writes raw bytes at a path relative to the program folder.
    void Put(const QString& relative, const QByteArray& bytes) {
        const QString path = Root() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray Get(const QString& relative) const {
        QFile file(Root() + QLatin1Char('/') + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private:
    QTemporaryDir dir_;
};
