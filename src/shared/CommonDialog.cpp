// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/CommonDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>
#include <QRegularExpression>

#include <algorithm>

namespace {
CommonDialog::Responder& testResponder()
{
    static CommonDialog::Responder responder;
    return responder;
}

// Qt's own dialog (where the desktop offers none) opens too narrow for its
// detailed view and its list of places: the places get room for their
// names, the name column takes the room left, the other columns their text.
void ShowColumnsWhole(QFileDialog& dialog)
{
    QSize wanted(820, 480);
    if (const QScreen* screen = dialog.screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(wanted);
    if (auto* panes = dialog.findChild<QSplitter*>(QStringLiteral("splitter")); panes && panes->count() == 2) {
        const int places = dialog.fontMetrics().averageCharWidth() * 24;
        panes->setSizes({places, std::max(places, wanted.width() - places)});
    }
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

} // namespace

QStringList CommonDialog::QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        // Qt reads the patterns from the trailing "( … )" of an entry. Where the
        // description already names exactly the patterns it is kept as written;
        // otherwise its trailing parentheses are replaced by the real patterns.
        static const QRegularExpression trailing(QStringLiteral("\\s*\\(([^()]*)\\)\\s*$"));
        const QRegularExpressionMatch match = trailing.match(description);
        if (match.hasMatch() && match.captured(1).simplified() == patterns)
            result << description;
        else
            result << (match.hasMatch() ? description.left(match.capturedStart()) : description)
                          + QStringLiteral(" (") + patterns + u')';
    }
    return result;
}

QString CommonDialog::StartFolder() const
{
    const QString last = lastFolders_.value(FileKind);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    for (const QString& folder : QStandardPaths::standardLocations(FileKind)) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

bool CommonDialog::ShowOpen(QWidget* parent) { return Show(parent, false); }

bool CommonDialog::ShowSave(QWidget* parent) { return Show(parent, true); }

bool CommonDialog::Show(QWidget* parent, bool saving)
{
    Saving = saving;
    std::optional<QString> chosen;
    if (testResponder()) {
        chosen = testResponder()(*this);
    } else {
        QFileDialog dialog(parent, DialogTitle);
        dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (saving)
            dialog.setDefaultSuffix(DefaultSuffix);
        dialog.setNameFilters(QtNameFilters(Filter));
        dialog.setDirectory(StartFolder());
        if (saving && !SuggestedName.isEmpty())
            dialog.selectFile(SuggestedName);
        ShowColumnsWhole(dialog);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (!chosen || chosen->isEmpty())
        return false;
    FileName = *chosen;
    lastFolders_.insert(FileKind, QFileInfo(FileName).absolutePath());
    return true;
}

void CommonDialog::SetResponderForTesting(Responder responder)
{
    testResponder() = std::move(responder);
}
