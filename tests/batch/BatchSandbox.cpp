#include "BatchSandbox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringEncoder>

#include <gtest/gtest.h>

QByteArray batchBytes(const QStringList& lines, LineEnd end) {
    QStringEncoder encoder("windows-1251");
    EXPECT_TRUE(encoder.isValid());
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encoder.encode(line);
        bytes += end == LineEnd::CrLf ? QByteArray("\r\n") : QByteArray("\n");
    }
    EXPECT_FALSE(encoder.hasError());
    return bytes;
}

BatchSandbox::BatchSandbox(const QString& under)
    : dir_(under.isEmpty() ? QDir::tempPath() + QStringLiteral("/zelmar-batch-XXXXXX")
                           : under + QStringLiteral("/zelmar-batch-XXXXXX")) {}

QString BatchSandbox::root() const {
    return QDir::cleanPath(dir_.path());
}

QString BatchSandbox::path(const QString& relative) const {
    return root() + u'/' + relative;
}

void BatchSandbox::writeFile(const QString& relative, const QByteArray& bytes) const {
    QFile file(path(relative));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << relative.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray BatchSandbox::readFile(const QString& relative) const {
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool BatchSandbox::exists(const QString& relative) const {
    return QFileInfo::exists(path(relative));
}

void BatchSandbox::makeFolder(const QString& relative) const {
    ASSERT_TRUE(QDir().mkpath(path(relative)));
}

void BatchSandbox::writeScript(const QString& relative, const QByteArray& body) const {
    writeFile(relative, "#!/bin/sh\n" + body);
    QFile::setPermissions(path(relative), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup);
}

void BatchSandbox::writeBatch(const QString& relative, const QStringList& lines, LineEnd end) const {
    writeFile(relative, batchBytes(lines, end));
}

QStringList BatchSandbox::entries(const QString& relative) const {
    return QDir(path(relative))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

BatchRun runBatch(const QString& batchPath, const QString& workingFolder, const QProcessEnvironment& extra,
                  const std::function<void()>& childSetup, int timeoutMs) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(extra);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    QElapsedTimer timer;
    timer.start();
    process.start(interpreterPath(), {batchPath});
    BatchRun run;
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << "cmd.exe did not start: " << process.errorString().toStdString();
        return run;
    }
    run.finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.milliseconds = timer.elapsed();
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
