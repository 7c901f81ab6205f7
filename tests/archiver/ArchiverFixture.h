// A fresh temporary folder per test: `work` stands for the program folder (with its backup folder),
// and `root` around it lets a test see that nothing lands outside.
#pragma once

#include "tests/archiver/ArchiverHarness.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class ArchiverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        root = dir_.path();
        work = root + QStringLiteral("/work");
        ASSERT_TRUE(QDir().mkpath(work + QStringLiteral("/backup")));
        ASSERT_TRUE(QFileInfo::exists(bcpPath())) << bcpPath().toStdString();
    }

    QString at(const QString& name) const { return work + QLatin1Char('/') + name; }

    // The five ledger tables under names in mixed letter case, with table-like contents.
    QMap<QString, QByteArray> makeTables(int rows = 400) {
        const QStringList names{QStringLiteral("realizators.db"), QStringLiteral("Tovar.DB"),
                                QStringLiteral("oper.Db"), QStringLiteral("KASSA.db"),
                                QStringLiteral("info.dB")};
        QMap<QString, QByteArray> tables;
        for (const QString& name : names) {
            tables.insert(name, tableContent(name, rows));
            writeFile(at(name), tables.value(name));
        }
        return tables;
    }

    // Archives the tables as the start-up backup does.
    void backUp(const QString& archive = QStringLiteral("backup\\05.03.2004.bcp")) {
        const BcpRun run = runBcp(work, {"a", "-ep", "-m5", "-hp7304", archive, "*.db"});
        ASSERT_TRUE(run.finished);
        ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    }

    QString archivePath() const { return at(QStringLiteral("backup/05.03.2004.bcp")); }

    QTemporaryDir dir_;
    QString root;
    QString work;
};
