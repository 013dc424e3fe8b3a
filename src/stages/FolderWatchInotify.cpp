// SPDX-License-Identifier: GPL-3.0-or-later
// FolderWatch on Linux: inotify.
#include "stages/FolderWatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

// Two watches: the folder's, which names every file changed in it, and the
// nearest folder above it that exists (its parent, usually), which says when
// the folder itself comes, goes or is renamed: then both are set up anew.
struct FolderWatch::System {
    QString folder;
    int events = -1;
    int folderWatch = -1;
    int aboveWatch = -1;
    QByteArray nextBelow;  // the name under the folder above on the way to the folder

    void Unwatch(int& watch)
    {
        if (watch >= 0)
            ::inotify_rm_watch(events, watch);
        watch = -1;
    }

    void Arm()
    {
        Unwatch(folderWatch);
        Unwatch(aboveWatch);
        constexpr uint32_t inFolder = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO
                                      | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
        constexpr uint32_t above = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF
                                   | IN_ONLYDIR;
        folderWatch = ::inotify_add_watch(events, QFile::encodeName(folder).constData(), inFolder);
        QString below = QDir::cleanPath(folder);
        QString over = QFileInfo(below).path();
        while (over != below && !QFileInfo(over).isDir()) {
            below = over;
            over = QFileInfo(over).path();
        }
        nextBelow = QFile::encodeName(QFileInfo(below).fileName());
        if (over != below)
            aboveWatch = ::inotify_add_watch(events, QFile::encodeName(over).constData(), above);
    }
};

FolderWatch::FolderWatch(const QString& folder, QObject* parent) : QObject(parent), system_(std::make_unique<System>())
{
    system_->folder = folder;
    system_->events = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (system_->events < 0 || folder.isEmpty()) {
        qWarning("The folder %s is not followed: no inotify", qUtf8Printable(folder));
        return;
    }
    system_->Arm();
    auto* notifier = new QSocketNotifier(system_->events, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        System& system = *system_;
        QStringList names;
        bool anew = false;
        alignas(inotify_event) char buffer[16384];
        for (ssize_t got; (got = ::read(system.events, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += ssize_t(sizeof(inotify_event) + event->len);
                const QByteArray name = event->len ? QByteArray(event->name) : QByteArray();
                if (event->mask & IN_Q_OVERFLOW)
                    anew = true;
                else if (event->wd == system.folderWatch) {
                    if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT))
                        anew = true;
                    else if (!name.isEmpty())
                        names << QFile::decodeName(name);
                } else if (event->wd == system.aboveWatch) {
                    anew = anew || name == system.nextBelow || (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED));
                }
                // Anything else is of a watch removed already.
            }
        }
        if (anew) {
            system.Arm();
            emit FolderChanged();
        } else if (!names.isEmpty()) {
            emit NamesChanged(names);
        }
    });
}

FolderWatch::~FolderWatch()
{
    if (system_->events >= 0)
        ::close(system_->events);
}
