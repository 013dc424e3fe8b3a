// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The one crash-safe way this program writes a file: the records, the stage
// files and the kept proofs all go through it.
//
// A file is written whole under a temporary name beside its final place,
// made to reach the disk, and only then renamed (or linked) into place. A
// crash, a kill or a full disk therefore leaves the old file or the new one,
// never a mixture; at worst a temporary is left beside it.
//
// What it assumes, and why it holds:
// - Several copies of the program may write in one folder at once (the
//   instance lock guards the records' folder only, not the stages folder).
//   Every temporary therefore has a name of its own, made with O_EXCL, and
//   never a fixed one that one writer could take from another.
// - A temporary is locked (flock) by its writer for as long as it exists. A
//   temporary nobody holds a lock on is debris of a writer that died: only
//   such files are ever cleared away, so no copy removes another's write in
//   progress. The locks are released by the system when a process ends,
//   however it ends.
// - A temporary's name carries a mark that only its writer makes (a check
//   of its random letters): a file of the person's own named alike is never
//   taken for debris.
// - The temporary lies in the same folder as the final file, so the rename
//   never crosses a file system and is atomic.
// - A rename lasts through a power cut once the folder is synced too.
namespace CrashSafeFile {

// Replaces the file at `path` with `bytes`, making its folder when needed.
// A path that is a symbolic link stays one: the file at the end of its chain
// is replaced, keeping that file's permissions (a new file is the user's
// alone). 0 when the file reached the disk, otherwise the errno of the
// failure; nothing is printed.
int Replace(const QString& path, const QByteArray& bytes);

// A temporary file beside `path`, locked while this object lives and removed
// with it unless it was moved into place. The first temporary of a path in a
// run clears the debris of crashed writes of it. For writers that place the file
// themselves (a new file under a name not yet taken: link, then Remove).
class Temporary {
public:
    explicit Temporary(const QString& path);
    ~Temporary();
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    // 0 when the temporary was made, otherwise the errno.
    int Error() const { return error_; }
    // Its name, encoded for the system calls.
    const QByteArray& Name() const { return name_; }
    int Descriptor() const { return fd_; }

    // Writes all of `bytes` and makes them reach the disk; 0 or the errno.
    int Write(const QByteArray& bytes);
    // Renames the temporary to `target`, replacing what is there; 0 or the errno.
    int MoveTo(const QByteArray& target);

private:
    QByteArray name_;
    int fd_ = -1;
    int error_ = 0;
};

// Writes all of `bytes` to the open file `fd` and makes them reach the disk;
// 0 or the errno of the failure.
int WriteAndSync(int fd, const QByteArray& bytes);

// Makes a finished rename or link in `folder` last through a power cut as well.
void SyncFolder(const QString& folder);

// Removes the temporaries of `path` that no living writer holds: debris of
// a write that never finished.
void ClearDebris(const QString& path);

// Where a chain of symbolic links ends, even at a file that does not exist;
// the path itself when it is no link, or the links go round in a loop.
QString LinkEnd(const QString& path);

} // namespace CrashSafeFile
