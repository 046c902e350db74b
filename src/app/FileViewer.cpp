#include "FileViewer.h"

#include "ProgramText.h"
#include "text/RtfReader.h"
#include "text/ViewedText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFutureWatcher>
#include <QMouseEvent>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QtConcurrent>
#include <functional>
#include <optional>
#include <utility>

namespace {

// The core reads GBK itself; Big5 and the other Windows pages come from
// Qt's codecs (ICU), with the core's reading where Qt has none.
std::string decodeCodePage(std::string_view bytes, int codePage) {
    const char* name = codePage == 950    ? "Big5"
                       : codePage == 932  ? "Shift_JIS"
                       : codePage == 949  ? "windows-949"
                       : codePage == 1250 ? "windows-1250"
                       : codePage == 1251 ? "windows-1251"
                       : codePage == 1252 ? "windows-1252"
                                          : nullptr;
    if (name) {
        QStringDecoder decoder(name);
        if (decoder.isValid())
            return QString(
                       decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))))
                .toStdString();
    }
    return kestrum::rtf::decodeCodePage(bytes, codePage);
}

QTextCharFormat charFormat(const kestrum::rtf::Format& format, const QFont& base) {
    QTextCharFormat out;
    QFont font = base;
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setPointSizeF(format.halfPoints / 2.0);
    out.setFont(font);
    if (format.color)
        out.setForeground(QColor::fromRgb(*format.color));
    return out;
}

QString utf8Lines(std::string_view bytes) {
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// A text document spends most of a big file's showing on making one block
// per line (about 280 ms for the 200,000 lines of 10 MB). Sixteen lines to a
// block, joined by line separators, look and copy the same (the document
// gives the separators back as line feeds) and show sixteen times faster.
// Laying out a block costs more than its length, though (700,000 characters
// in one took a minute, and a part of 10,000-character blocks without spaces
// held the window for half a second): a block ends after 2,000 characters
// too, and a longer line is broken there.
constexpr qsizetype kLongestBlock = 2000;

QString inBlocks(const QString& text) {
    QString shown;
    shown.reserve(text.size() + text.size() / kLongestBlock + 1);
    int linesInBlock = 0;
    qsizetype inBlock = 0, inLine = 0;
    for (QChar c : text) {
        if (c == u'\n') {
            bool blockEnds = ++linesInBlock == 16 || inBlock >= kLongestBlock;
            shown += blockEnds ? QChar(u'\n') : QChar::LineSeparator;
            if (blockEnds) {
                linesInBlock = 0;
                inBlock = 0;
            }
            inLine = 0;
            continue;
        }
        if (++inLine > kLongestBlock) { // a line this long is broken here
            shown += u'\n';
            linesInBlock = 0;
            inBlock = 0;
            inLine = 1;
        }
        ++inBlock;
        shown += c;
    }
    return shown;
}

// A formatted run costs the text document far more than its text, the more
// so the more runs share a paragraph (1.75 million small runs took two
// minutes to show, 43,000 in one paragraph 20 s): past these budgets the
// text is shown plainly, and says so.
constexpr std::size_t kMostFormattedRuns = 200000;
constexpr std::size_t kMostRunsInParagraph = 2000;

bool formattingFits(const kestrum::rtf::Document& document) {
    if (document.runs.size() > kMostFormattedRuns)
        return false;
    std::size_t inParagraph = 0;
    for (const auto& run : document.runs) {
        if (++inParagraph > kMostRunsInParagraph)
            return false;
        if (run.text.find('\n') != std::string::npos)
            inParagraph = 0;
    }
    return true;
}

// What a file becomes before the viewer gets it: formatted runs when it is
// rich text the document can afford, else plain text already in blocks.
struct Readied {
    std::optional<kestrum::rtf::Document> formatted;
    QString plain;
};

// Pure work on the bytes alone, so a rich file's can run away from the
// window (reading 1.75 million small groups takes most of a second).
Readied readied(std::string_view bytes) {
    switch (kestrum::kindOfText(bytes)) {
    case kestrum::TextKind::Rtf:
        if (auto document = kestrum::rtf::read(bytes, decodeCodePage)) {
            if (formattingFits(*document))
                return {std::move(document), {}};
            return {{},
                    inBlocks(QCoreApplication::translate(
                                 "FileViewer",
                                 "（这个 RTF 文件的格式太多，下面只显示文字，不显示格式。）\n") +
                             QString::fromStdString(document->plainText()))};
        }
        break; // unreadable rich text is shown as the bytes it is
    case kestrum::TextKind::Utf8:
        return {{}, inBlocks(utf8Lines(bytes))};
    case kestrum::TextKind::ProgramText:
        break;
    }
    return {{}, inBlocks(toQtLines(bytes))};
}

// The viewer as a file starts: empty, in its own plain format (the document
// would go on in the last format a rich file left).
void startAfresh(QTextEdit* viewer) {
    viewer->clear();
    viewer->setCurrentCharFormat(QTextCharFormat());
}

// Inserts runs from `next` until they are all in or `budgetMs` has passed;
// returns where the next portion starts.
std::size_t insertRuns(QTextEdit* viewer, QTextCursor& at,
                       const std::vector<kestrum::rtf::Run>& runs, std::size_t next,
                       qint64 budgetMs) {
    QElapsedTimer spent;
    spent.start();
    at.beginEditBlock();
    for (; next < runs.size() && spent.elapsed() < budgetMs; ++next)
        at.insertText(QString::fromStdString(runs[next].text),
                      charFormat(runs[next].format, viewer->font()));
    at.endEditBlock();
    return next;
}

constexpr char kPagingName[] = "kestrumFilePaging";
const QString kNextPartLink = QStringLiteral("kestrum:next-part");

QString megabytes(std::uint64_t bytes) {
    return QString::number(static_cast<double>(bytes) / (1 << 20), 'f', 1);
}

// The link at the end of a part that is not the file's last.
void appendNextPartNote(QTextEdit* viewer, std::uint64_t from, std::uint64_t to) {
    QTextCursor cursor(viewer->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(kNextPartLink);
    link.setFontUnderline(true);
    link.setForeground(viewer->palette().link());
    cursor.insertText(
        QCoreApplication::translate(
            "FileViewer", "—— 文件较大，这里只显示了第 %1 到 %2 MB。点这里显示下一部分 ——")
            .arg(megabytes(from), megabytes(to)),
        link);
}

// The file a viewer shows a part of; a click on the note's link shows the
// next part in place of this one. A part is readied on a worker thread and
// goes into the viewer in portions, so the window answers all the while; a
// part still on its way when another is asked for is dropped.
class FilePaging : public QObject {
  public:
    explicit FilePaging(QTextEdit* viewer) : QObject(viewer), viewer_(viewer) {
        setObjectName(kPagingName);
        viewer->viewport()->installEventFilter(this);
    }
    static FilePaging* of(QTextEdit* viewer) {
        auto* paging = viewer->findChild<QObject*>(kPagingName, Qt::FindDirectChildrenOnly);
        return paging ? static_cast<FilePaging*>(paging) : new FilePaging(viewer);
    }

    void show(const std::string& path, std::uint64_t offset, std::function<void()> whenShown) {
        kestrum::ViewedPart part = kestrum::readViewedPart(path, offset);
        startAfresh(viewer_);
        path_ = path;
        from_ = offset;
        next_ = part.next;
        more_ = part.more;
        whenShown_ = std::move(whenShown);
        done_ = false;
        unsigned showing = ++showing_;
        if (part.bytes.size() <= kReadiedAtOnce) {
            put(readied(part.bytes));
            return;
        }
        auto* watcher = new QFutureWatcher<Readied>(this);
        connect(watcher, &QFutureWatcher<Readied>::finished, this, [this, watcher, showing] {
            watcher->deleteLater();
            if (showing == showing_)
                put(watcher->result());
        });
        watcher->setFuture(
            QtConcurrent::run([bytes = std::move(part.bytes)] { return readied(bytes); }));
    }

    void stop() {
        ++showing_;
        done_ = true;
        whenShown_ = {};
    }
    bool done() const { return done_; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease ||
            viewer_->anchorAt(static_cast<QMouseEvent*>(event)->pos()) != kNextPartLink)
            return false;
        show(path_, next_, {});
        return true;
    }

  private:
    // A portion of formatted runs takes at most this long to insert; laying
    // it out on the next turn costs about four times as much (40 ms portions
    // held the window for up to 200 ms, these for about 60).
    static constexpr qint64 kPortionMs = 12;
    static constexpr qsizetype kPlainPortion = 50000;
    // A small file is readied at once: no empty viewer flashes before it.
    static constexpr std::size_t kReadiedAtOnce = 64 << 10;

    void put(Readied file) {
        file_ = std::move(file);
        at_ = QTextCursor(viewer_->document());
        putPortion(0, showing_);
    }

    // One portion of the part, from `next` (a run, or a character of plain
    // text); the rest follows on a later turn of the event loop.
    void putPortion(std::size_t next, unsigned showing) {
        if (showing != showing_)
            return;
        next = file_.formatted ? insertRuns(viewer_, at_, file_.formatted->runs, next, kPortionMs)
                               : insertPlain(next);
        std::size_t end = file_.formatted ? file_.formatted->runs.size()
                                          : static_cast<std::size_t>(file_.plain.size());
        if (next < end) {
            QTimer::singleShot(0, this, [this, next, showing] { putPortion(next, showing); });
            return;
        }
        file_ = {};
        finish();
    }

    // Plain text goes in whole blocks of about kPlainPortion characters: the
    // document lays out what came in on the next turn, and 700,000 characters
    // at once held the window for 190 ms.
    std::size_t insertPlain(std::size_t next) {
        const QString& text = file_.plain;
        auto from = static_cast<qsizetype>(next);
        qsizetype end = text.size();
        if (from + kPlainPortion < end) {
            qsizetype blockEnd = text.indexOf(u'\n', from + kPlainPortion);
            end = blockEnd < 0 ? end : blockEnd + 1;
        }
        at_.insertText(text.mid(from, end - from));
        return static_cast<std::size_t>(end);
    }

    void finish() {
        if (more_)
            appendNextPartNote(viewer_, from_, next_);
        viewer_->moveCursor(QTextCursor::Start);
        done_ = true;
        if (auto then = std::exchange(whenShown_, {}))
            then();
    }

    QTextEdit* viewer_;
    std::string path_;
    std::uint64_t from_ = 0, next_ = 0;
    bool more_ = false;
    unsigned showing_ = 0;
    bool done_ = true;
    Readied file_;
    QTextCursor at_;
    std::function<void()> whenShown_;
};

} // namespace

void showFileAt(QTextEdit* viewer, const std::string& path, std::function<void()> whenShown) {
    FilePaging::of(viewer)->show(path, 0, std::move(whenShown));
}

bool isShowingFile(QTextEdit* viewer) {
    return !FilePaging::of(viewer)->done();
}

void clearViewer(QTextEdit* viewer) {
    FilePaging::of(viewer)->stop();
    startAfresh(viewer);
}
