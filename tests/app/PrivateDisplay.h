// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A private X server (Xvfb) for tests that run the real program as a player
// starts it, and xdotool to find and answer its windows.

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class PrivateDisplay {
public:
    ~PrivateDisplay()
    {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            server_.waitForFinished(5000);
        }
    }

    // False (with the reason) when Xvfb or xdotool is missing or the server did not start.
    bool Start(QString& reason)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            reason = QStringLiteral("needs Xvfb and xdotool (tools/setup.sh installs them)");
            return false;
        }
        // Xvfb picks a free display itself and tells its number. Without
        // -noreset it would restart whenever its last client leaves, and a
        // program starting at that moment could not connect.
        server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                               QStringLiteral("-screen"), QStringLiteral("0"),
                                               QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                               QStringLiteral("tcp"), QStringLiteral("-noreset")});
        server_.waitForStarted();
        QElapsedTimer waited;
        waited.start();
        while (!server_.canReadLine() && waited.elapsed() < 15000)
            server_.waitForReadyRead(500);
        const QByteArray number = server_.readLine().trimmed();
        if (number.isEmpty()) {
            reason = QStringLiteral("Xvfb did not start");
            return false;
        }
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(number));
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment_.remove(QStringLiteral("XAUTHORITY"));
        return true;
    }

    // The environment of a program on this display.
    QProcessEnvironment Environment() const { return environment_; }

    // Runs xdotool and returns what it printed, trimmed; empty on failure.
    QString XDoTool(const QStringList& arguments, int timeoutMs = 15000) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(timeoutMs)) {
            tool.kill();
            tool.waitForFinished();
            return {};
        }
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    // The visible windows of process `pid`, waiting until there is one.
    QStringList WindowsOf(qint64 pid) const
    {
        return XDoTool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--pid"), QString::number(pid)})
            .split(u'\n', Qt::SkipEmptyParts);
    }

    QString WindowName(const QString& window) const
    {
        return XDoTool({QStringLiteral("getwindowname"), window});
    }

private:
    QProcess server_;
    QProcessEnvironment environment_;
};
