// The page "全部搜索": every category's text files and this run's working
// files searched as the user types, on worker threads; a hit opens its file.
#include "save2.h"

#include "Desktop.h"
#include "FileViewer.h"
#include "ProgramText.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/ProgramState.h"
#include "text/Search.h"
#include "text/ViewedText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace kestrum;

namespace {

enum HitRole { FileRole = Qt::UserRole, LineRole, CategoryRole, WorkingFileRole };

QString lineText(const std::string& bytes) {
    return isUtf8(bytes) ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
                         : toQt(bytes);
}

} // namespace

void TForm2::buildSearchPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(1, 1, 1, 1);
    Edit3 = new QLineEdit;
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setPlaceholderText(tr("要找的文字"));
    exactCase1 = new QCheckBox(tr("区分大小写"));
    ListBox4 = new QListWidget;
    ListBox4->setObjectName(QStringLiteral("ListBox4"));
    for (QWidget* w : {static_cast<QWidget*>(Edit3), static_cast<QWidget*>(exactCase1),
                       static_cast<QWidget*>(ListBox4)})
        column->addWidget(w);
    PageControl1->addTab(page, tr("全部搜索"));
}

void TForm2::connectSearchHandlers() {
    searchDelay_ = new QTimer(this);
    searchDelay_->setSingleShot(true);
    searchDelay_->setInterval(50); // typing on: one search when the keys rest
    connect(searchDelay_, &QTimer::timeout, this,
            [this] { guarded(desktop_, [&] { startSearch(); }); });
    connect(Edit3, &QLineEdit::textChanged, searchDelay_, qOverload<>(&QTimer::start));
    hitDrain_ = new QTimer(this);
    hitDrain_->setSingleShot(true);
    hitDrain_->setInterval(0); // a timer, not a posted event: input and painting come between
    connect(hitDrain_, &QTimer::timeout, this, [this] { guarded(desktop_, [&] { drainHits(); }); });
    connect(exactCase1, &QCheckBox::toggled, searchDelay_, qOverload<>(&QTimer::start));
    connect(ListBox4, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { guarded(desktop_, [&] { openHit(item); }); });
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        selectPage(SearchPage);
        Edit3->setFocus();
        Edit3->selectAll();
    });
}

void TForm2::startSearch() {
    search_.reset(); // cancels the search before, which reports nothing more
    ++searchGeneration_;
    hitQueue_.clear();
    searchFinished_ = false;
    ListBox4->clear();
    std::string query = fromQt(Edit3->text());
    if (query.empty()) {
        setMessage(QString(), false);
        return;
    }
    std::vector<std::string> folders, workingFiles;
    searchCategories_.clear();
    for (const auto& name : categories::names(state_.settings)) {
        std::string folder =
            withSlash(categories::folder(state_.settings, name, state_.folders.program));
        folders.push_back(folder);
        searchCategories_.emplace(folder, name);
        workingFiles.push_back(state_.folders.categoryWorkingFile(name));
        searchCategories_.emplace(workingFiles.back(), name);
    }
    int generation = searchGeneration_;
    searchClock_.start();
    search_ = std::make_unique<search::Search>(
        search::Query{query, exactCase1->isChecked()}, search::Sources{folders, workingFiles},
        [this](std::vector<search::Hit>&& hits) {
            if (hitQueue_.push(std::move(hits)))
                QMetaObject::invokeMethod(hitDrain_, qOverload<>(&QTimer::start),
                                          Qt::QueuedConnection);
        },
        search::kMostHits, 0,
        [this, generation] {
            QMetaObject::invokeMethod(
                this, [this, generation] { searchDone(generation); }, Qt::QueuedConnection);
        });
}

// One portion per turn of the event loop: a few milliseconds of list inserts
// at most, however fast the workers find.
void TForm2::drainHits() {
    constexpr std::size_t kPortion = 400;
    showHits(hitQueue_.take(kPortion));
    if (hitQueue_.draining())
        hitDrain_->start();
    else
        summarizeWhenDrained();
}

void TForm2::showHits(const std::vector<search::Hit>& hits) {
    QString query = Edit3->text();
    auto sensitivity = exactCase1->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (const auto& hit : hits) {
        bool working = searchCategories_.count(hit.file) > 0;
        std::string folder = hit.file.substr(0, hit.file.rfind('/') + 1);
        std::string category = working ? searchCategories_[hit.file] : searchCategories_[folder];
        QString text = lineText(hit.text);
        qsizetype at = text.indexOf(query, 0, sensitivity);
        if (at >= 0)
            text = text.left(at) + QStringLiteral("【") + text.mid(at, query.size()) +
                   QStringLiteral("】") + text.mid(at + query.size());
        QString name = toQt(hit.file.substr(hit.file.rfind('/') + 1));
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 | %2 | %3: %4").arg(toQt(category), name).arg(hit.line).arg(text));
        item->setData(FileRole, toQt(hit.file));
        item->setData(LineRole, static_cast<qulonglong>(hit.line));
        item->setData(CategoryRole, toQt(category));
        item->setData(WorkingFileRole, working);
        ListBox4->addItem(item);
    }
}

void TForm2::searchDone(int generation) {
    if (generation != searchGeneration_ || !search_)
        return;
    searchFinished_ = true;
    summarizeWhenDrained();
}

void TForm2::summarizeWhenDrained() {
    if (!searchFinished_ || hitQueue_.draining())
        return;
    searchFinished_ = false;
    QString summary = tr("找到 %1 处，%2 个文件，用时 %3 毫秒")
                          .arg(search_->hits())
                          .arg(search_->filesWithHits())
                          .arg(searchClock_.elapsed());
    if (search_->truncated())
        summary += tr("（只显示前 %1 处）").arg(search::kMostHits);
    setMessage(summary, true);
}

void TForm2::openHit(QListWidgetItem* item) {
    if (item->data(WorkingFileRole).toBool()) {
        // This run's captures: the category itself, as a click on it opens it.
        auto found = ListBox1->findItems(item->data(CategoryRole).toString(), Qt::MatchExactly);
        if (!found.isEmpty())
            ListBox1->setCurrentItem(found.first());
        return;
    }
    qulonglong hitLine = item->data(LineRole).toULongLong();
    showFileAt(RichEdit4, fromQt(item->data(FileRole).toString()),
               [this, hitLine] { selectViewedLine(hitLine); });
}

void TForm2::selectViewedLine(qulonglong number) {
    // The viewer gives every line back as one "\n", whatever blocks hold them.
    QString text = RichEdit4->toPlainText();
    qsizetype start = 0;
    for (qulonglong line = 1; line < number && start >= 0; ++line)
        start = text.indexOf(u'\n', start) + 1;
    qsizetype end = text.indexOf(u'\n', start);
    QTextCursor cursor(RichEdit4->document());
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(end < 0 ? text.size() : end), QTextCursor::KeepAnchor);
    RichEdit4->setTextCursor(cursor);
    RichEdit4->ensureCursorVisible();
}
