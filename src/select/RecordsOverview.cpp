// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/RecordsOverview.h"

#include "play/StageRecord.h"
#include "play/StageTable.h"
#include "records/RecordsNotice.h"
#include "records/RegUpRead.h"
#include "records/DailyRecords.h"
#include "select/DailyNumbers.h"
#include "select/DailyResult.h"
#include "select/StageList.h"
#include "shared/AccessibleRole.h"
#include "shared/Announce.h"
#include "shared/FormLayout.h"
#include "shared/JapaneseFont.h"
#include "shared/LocalDay.h"
#include "shared/ProgramPictures.h"
#include "shared/Twips.h"
#include "stages/PlayerStages.h"
#include "stages/StageStars.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <utility>

namespace {

RecordsOverview* openOverview = nullptr;

struct ColumnDesign {
    const char* heading;
    Qt::Alignment alignment;
};

// The title takes what the other columns, as wide as their headings, leave.
constexpr ColumnDesign columnDesigns[RecordsOverview::ColumnCount] = {
    {QT_TRANSLATE_NOOP("RecordsOverview", "面"), Qt::AlignRight},
    {QT_TRANSLATE_NOOP("RecordsOverview", "名前"), Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("RecordsOverview", "挑戦回数"), Qt::AlignRight},
    {QT_TRANSLATE_NOOP("RecordsOverview", "達成記録（秒）"), Qt::AlignRight},
    {QT_TRANSLATE_NOOP("RecordsOverview", "クリア"), Qt::AlignHCenter},
    {QT_TRANSLATE_NOOP("RecordsOverview", "難易度"), Qt::AlignLeft},
};

// A damaged record may hold a very long text; a cell shows its beginning.
constexpr qsizetype LongestShownText = 16;

// The stage of the day's line, under the count and the button, and the
// button to its numbers under it, at the right.
constexpr int DailyLineTwips = 375 + 450;
const QRect DailyLineDesign = Twips::Rect(120, 6285, 6060, 375);
const QRect DailyNumbersDesign = Twips::Rect(4065, 6690, 2115, 375);

QString Shown(const QString& text)
{
    return text.size() <= LongestShownText ? text : text.first(LongestShownText - 1) + u'…';
}

// Sort keys as a player expects them: decimal numbers by value, however many
// digits ("007" as 7), then any other text, then the cells with no value.
QString NumberSortKey(const QString& text)
{
    const bool decimal = !text.isEmpty()
                         && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!decimal)
        return u'1' + text;
    qsizetype first = 0;
    while (first + 1 < text.size() && text[first] == u'0')
        ++first;
    const QString digits = text.sliced(first);
    return u'0' + QString::number(digits.size()).rightJustified(10, u'0') + digits;
}
const QString NoValueKey = QStringLiteral("2");

// A read-only cell that sorts by its key rather than by the text it shows.
// A cell as a screen reader reads it, after its column's heading: for the
// whole row it reads when the keys go up or down.
constexpr int SpokenWithHeadingRole = Qt::UserRole + 1;

class RecordItem : public QTableWidgetItem {
public:
    // `keysAlongRow` tells whether the keys last went along a row.
    RecordItem(const QString& text, QString sortKey, Qt::Alignment alignment, const bool& keysAlongRow)
        : QTableWidgetItem(Shown(text)), sortKey_(std::move(sortKey)), keysAlongRow_(keysAlongRow)
    {
        setTextAlignment(alignment | Qt::AlignVCenter);
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }

    void SetSpoken(QString withHeading, QString alone)
    {
        withHeading_ = std::move(withHeading);
        alone_ = std::move(alone);
    }

    // Going along a row, a screen reader says the new column's heading
    // itself: the cell then gives its value alone, so the heading is heard once.
    QVariant data(int role) const override
    {
        if (role == Qt::AccessibleTextRole && !withHeading_.isEmpty())
            return keysAlongRow_ ? alone_ : withHeading_;
        if (role == SpokenWithHeadingRole)
            return withHeading_;
        return QTableWidgetItem::data(role);
    }

    bool operator<(const QTableWidgetItem& other) const override
    {
        if (const auto* record = dynamic_cast<const RecordItem*>(&other))
            return sortKey_ < record->sortKey_;
        return QTableWidgetItem::operator<(other);
    }

private:
    QString sortKey_;
    const bool& keysAlongRow_;
    QString withHeading_;
    QString alone_;
};

} // namespace

RecordsOverview::RecordsOverview(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("記録一覧"));
    setWindowIcon(ProgramIcon());
    setFont(GothicFont(9, false));
    // Its first size is its smallest: it can be widened for long titles.
    setMinimumSize(Twips::Size(6300, 6435 + DailyLineTwips));
    resize(minimumSize());
    ExposeRole(*this, QAccessible::Window);

    Table = new QTableWidget(StageList::Count(), ColumnCount, this);
    Table->setGeometry(Twips::Rect(120, 120, 6060, 5640));
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setWordWrap(false);
    // Tab leaves the table for the count line and the button, as in any
    // other window; the arrow keys still move between the rows.
    Table->setTabKeyNavigation(false);
    Table->setAccessibleName(tr("記録一覧"));
    PlaceInnerWidgetsBesideTable(*Table);
    Table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Table->setSortingEnabled(true);
    QHeaderView* header = Table->horizontalHeader();
    header->setSortIndicator(StageColumn, Qt::AscendingOrder);
    for (int column = 0; column < ColumnCount; ++column) {
        auto* heading = new QTableWidgetItem(tr(columnDesigns[column].heading));
        heading->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        Table->setHorizontalHeaderItem(column, heading);
        header->setSectionResizeMode(column, column == TitleColumn ? QHeaderView::Stretch : QHeaderView::Fixed);
        if (column != TitleColumn)
            Table->setColumnWidth(column, header->sectionSizeHint(column));
    }
    connect(Table->model(), &QAbstractItemModel::layoutChanged, this, &RecordsOverview::NumberRowHeaders);
    connect(Table, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) { keysAlongRow_ = row >= 0 && row == previousRow; });
    connect(Table, &QTableWidget::activated, this, [this](const QModelIndex& index) {
        const int stage = StageInRow(index.row());
        emit StageChosen(stage);
        Announce(*Table, tr("ステージ選択に %1　%2 を表示しました").arg(stage).arg(StageList::Title(stage)));
    });
    Table->installEventFilter(this);

    ClearCount = new QLabel(this);
    ClearCount->setGeometry(Twips::Rect(120, 5910, 3000, 375));
    // A stop in the tab order, so a screen reader reaches and reads it.
    ClearCount->setFocusPolicy(Qt::TabFocus);

    Command1 = new QPushButton(tr("閉じる"), this);
    Command1->setGeometry(Twips::Rect(4965, 5910, 1215, 375));
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    setTabOrder(Table, ClearCount);
    setTabOrder(ClearCount, Command1);

    DailyLine = new QLabel(this);
    DailyLine->setGeometry(DailyLineDesign);
    DailyLine->setFocusPolicy(Qt::TabFocus);  // reached and read, as the count is
    setTabOrder(Command1, DailyLine);
    DailyNumbersButton = new QPushButton(tr("記録とグラフ(&G)"), this);
    DailyNumbersButton->setGeometry(DailyNumbersDesign);
    connect(DailyNumbersButton, &QPushButton::clicked, this, [this] { DailyNumbers::Open(this); });
    setTabOrder(DailyLine, DailyNumbersButton);
    WidenForColumns();

    connect(&RecordsNotice::Instance(), &RecordsNotice::StageRecordsWritten, this, &RecordsOverview::Refresh);
    connect(&PlayerStagesNotice::Instance(), &PlayerStagesNotice::StagesChanged, this, &RecordsOverview::Refresh);
    connect(&LocalDay::Instance(), &LocalDay::DayChanged, this, &RecordsOverview::Refresh);  // today's line
    CentreOnScreen(*this);
    Refresh();
}

void RecordsOverview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!DailyLine)
        return;  // still being built
    const QSize extra = size() - Twips::Size(6300, 6435 + DailyLineTwips);
    Table->setGeometry(Twips::Rect(120, 120, 6060, 5640).adjusted(0, 0, extra.width(), extra.height()));
    ClearCount->setGeometry(Twips::Rect(120, 5910, 3000, 375).translated(0, extra.height()));
    Command1->setGeometry(Twips::Rect(4965, 5910, 1215, 375).translated(extra.width(), extra.height()));
    DailyLine->setGeometry(DailyLineDesign.adjusted(0, 0, extra.width(), 0).translated(0, extra.height()));
    DailyNumbersButton->setGeometry(DailyNumbersDesign.translated(extra.width(), extra.height()));
}

// Longer headings or titles than the design's (a translation) widen the table
// and the window: no column is pushed out of sight, and the thirty titles
// show whole.
void RecordsOverview::WidenForColumns()
{
    const int cellMargins = 2 * Table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Table)
                            + 3 * Table->fontMetrics().averageCharWidth();
    int titleWidth = Table->horizontalHeader()->sectionSizeHint(TitleColumn);
    for (int stage = 0; stage < StageTable::Count; ++stage)
        titleWidth = std::max(titleWidth, Table->fontMetrics().horizontalAdvance(StageList::Title(stage)) + cellMargins);
    int wanted = titleWidth + 2 * Table->frameWidth() + Table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < ColumnCount; ++column) {
        if (column != TitleColumn)
            wanted += Table->columnWidth(column);
    }
    const int extra = wanted - Table->width();
    if (extra <= 0)
        return;
    setMinimumSize(minimumSize() + QSize(extra, 0));
    resize(minimumSize());
}

RecordsOverview::~RecordsOverview()
{
    if (openOverview == this)
        openOverview = nullptr;
}

RecordsOverview* RecordsOverview::LoadAndShow(QWidget* owner)
{
    if (openOverview)
        openOverview->Refresh();
    else
        openOverview = new RecordsOverview(owner);
    openOverview->setWindowState(openOverview->windowState() & ~Qt::WindowMinimized);
    openOverview->show();
    openOverview->raise();
    openOverview->activateWindow();
    return openOverview;
}

RecordsOverview* RecordsOverview::Instance() { return openOverview; }

int RecordsOverview::StageInRow(int row) const
{
    const QTableWidgetItem* item = Table->item(row, StageColumn);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

// Every cell is made anew from the store; the table then sorts itself again
// by the column the player chose, and the chosen stage stays chosen.
void RecordsOverview::Refresh()
{
    const int chosenStage = StageInRow(Table->currentRow());
    Table->setSortingEnabled(false);
    const int stageCount = StageList::Count();
    Table->setRowCount(stageCount);
    int clearedCount = 0;
    for (int stage = 0; stage < stageCount; ++stage) {
        const RegUpRead::StageRecordTexts record = RegUpRead::PeekStage(StageList::RecordKey(stage));
        const bool cleared = StageRecord::ClearRecorded(record.clearTime);
        clearedCount += cleared ? 1 : 0;

        const auto cell = [&](Column column, const QString& text, QString sortKey) {
            auto* item = new RecordItem(text, std::move(sortKey), columnDesigns[column].alignment, keysAlongRow_);
            item->setData(Qt::UserRole, stage);
            Table->setItem(stage, column, item);
        };
        const QString number = QString::number(stage);
        const QString title = StageList::Title(stage);
        cell(StageColumn, number, NumberSortKey(number));
        cell(TitleColumn, title, u'1' + title);
        // Titles are whole, shortened only by the column's width, and whole in the tooltip.
        Table->item(stage, TitleColumn)->setText(title);
        Table->item(stage, TitleColumn)->setToolTip(title);
        cell(AttemptColumn, record.chargeNum, NumberSortKey(record.chargeNum));
        // A stage never cleared has no time: it sorts after every time.
        cell(TimeColumn, cleared ? record.clearTime : tr("－", "no time yet"),
             cleared ? NumberSortKey(record.clearTime) : NoValueKey);
        cell(ClearedColumn, cleared ? tr("○", "cleared") : QString(),
             cleared ? QStringLiteral("0") : QStringLiteral("1"));
        // A player's stage whose proof is under way has no stars yet.
        const int stars = StageList::Stars(stage);
        cell(StarsColumn, StageList::Proven(stage) ? StarsText(stars) : tr("確認中"), QString::number(stars));
        // A screen reader reads each cell after its heading, as the arrow
        // keys reach it; the marks and the empty cells are read as words.
        for (int column = 0; column < ColumnCount; ++column) {
            QString value = Table->item(stage, column)->text();
            if (column == TimeColumn && !cleared)
                value = tr("記録なし");
            else if (column == StarsColumn && stars > 0 && StageList::Proven(stage))
                value = QString::number(stars);
            QString spoken = tr("%1 %2", "a column's heading and the value under it").arg(Heading(column), value);
            if (column == ClearedColumn)
                value = spoken = cleared ? tr("クリア済み") : tr("未クリア");
            static_cast<RecordItem*>(Table->item(stage, column))->SetSpoken(spoken, value);
        }
    }
    Table->setSortingEnabled(true);
    NumberRowHeaders();
    ClearCount->setText(tr("クリア %1/%2").arg(clearedCount).arg(stageCount));
    DailyLine->setText(DailySummaryText(DailyRecords::SummaryNow()));
    DailyLine->setAccessibleName(DailyLine->text());

    // The chosen stage stays chosen; at the first reading the top row is,
    // so the arrow keys start from a row the player sees.
    for (int row = 0; row < Table->rowCount(); ++row) {
        if (StageInRow(row) == chosenStage || (chosenStage < 0 && row == 0))
            Table->selectRow(row);
    }
}

// The table hides its row header, yet a screen reader still reads it beside
// each row: it gives the row's stage number, as the 面 column does.
void RecordsOverview::NumberRowHeaders()
{
    for (int row = 0; row < Table->rowCount(); ++row) {
        auto* header = new QTableWidgetItem(QString::number(StageInRow(row)));
        header->setData(Qt::AccessibleTextRole, Table->item(row, StageColumn)->data(SpokenWithHeadingRole));
        Table->setVerticalHeaderItem(row, header);
    }
}

QString RecordsOverview::Heading(int column) const { return Table->horizontalHeaderItem(column)->text(); }

// Each cell of the row as a screen reader reads it, after its heading.
QString RecordsOverview::SpokenRow(int row) const
{
    QStringList cells;
    for (int column = 0; column < ColumnCount; ++column) {
        const QTableWidgetItem* item = Table->item(row, column);
        if (!item)
            continue;
        cells.append(item->data(SpokenWithHeadingRole).toString());
    }
    return cells.join(tr("、", "between the cells of a row read aloud"));
}

bool RecordsOverview::eventFilter(QObject* watched, QEvent* event)
{
    // The screen reader hears of the table, not of the row it stands on.
    if (watched == Table && event->type() == QEvent::FocusIn && Table->currentRow() >= 0)
        Announce(*Table, SpokenRow(Table->currentRow()));
    return QWidget::eventFilter(watched, event);
}

void RecordsOverview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // The keys go back to the main window, whatever the window system
        // would give them to.
        QWidget* owner = parentWidget();
        close();
        if (owner)
            owner->activateWindow();
    } else
        QWidget::keyPressEvent(event);
}
