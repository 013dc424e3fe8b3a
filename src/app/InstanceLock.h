// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

// While one copy of the program holds this lock, another copy started by the
// same user refuses to run, so that two copies never write the records at
// once. The lock belongs to the records' folder: copies that keep their
// records apart do not block each other. A lock left behind by a copy that
// crashed is taken over.
class InstanceLock {
public:
    InstanceLock();

    // True when this copy now holds the lock (or held it already).
    bool TryLock();

    // The lock file of the current user's records folder.
    static QString FilePath();

private:
    QLockFile lock_;
};
