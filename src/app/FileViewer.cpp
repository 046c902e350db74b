#include "FileViewer.h"

#include "ProgramText.h"
#include "text/RtfReader.h"
#include "text/ViewedText.h"

#include <QEvent>
#include <QMouseEvent>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextEdit>

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

void showRich(QTextEdit* viewer, const kestrum::rtf::Document& document) {
    QTextCursor cursor(viewer->document());
    cursor.beginEditBlock();
    for (const auto& run : document.runs)
        cursor.insertText(QString::fromStdString(run.text), charFormat(run.format, viewer->font()));
    cursor.endEditBlock();
    viewer->moveCursor(QTextCursor::Start);
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
// in one took a minute): a block ends after 10,000 characters too, and a
// longer line is broken there.
constexpr qsizetype kLongestBlock = 10000;

void showPlain(QTextEdit* viewer, const QString& text) {
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
    viewer->setPlainText(shown);
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

void showTextOnly(QTextEdit* viewer, const kestrum::rtf::Document& document) {
    showPlain(viewer,
              QStringLiteral("（这个 RTF 文件的格式太多，下面只显示文字，不显示格式。）\n") +
                  QString::fromStdString(document.plainText()));
}

} // namespace

void showFileIn(QTextEdit* viewer, std::string_view bytes) {
    // The document would go on in the last format a rich file left.
    viewer->clear();
    viewer->setCurrentCharFormat(QTextCharFormat());
    switch (kestrum::kindOfText(bytes)) {
    case kestrum::TextKind::Rtf:
        if (auto document = kestrum::rtf::read(bytes, decodeCodePage)) {
            if (formattingFits(*document))
                showRich(viewer, *document);
            else
                showTextOnly(viewer, *document);
            return;
        }
        break; // unreadable rich text is shown as the bytes it is
    case kestrum::TextKind::Utf8:
        showPlain(viewer, utf8Lines(bytes));
        return;
    case kestrum::TextKind::ProgramText:
        break;
    }
    showPlain(viewer, toQtLines(bytes));
}

namespace {

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
        QStringLiteral("—— 文件较大，这里只显示了第 %1 到 %2 MB。点这里显示下一部分 ——")
            .arg(megabytes(from), megabytes(to)),
        link);
}

// The file a viewer shows a part of; a click on the note's link shows the
// next part in place of this one.
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

    void show(const std::string& path, std::uint64_t offset) {
        kestrum::ViewedPart part = kestrum::readViewedPart(path, offset);
        showFileIn(viewer_, part.bytes);
        path_ = path;
        next_ = part.next;
        if (part.more)
            appendNextPartNote(viewer_, offset, part.next);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease ||
            viewer_->anchorAt(static_cast<QMouseEvent*>(event)->pos()) != kNextPartLink)
            return false;
        show(path_, next_);
        return true;
    }

  private:
    QTextEdit* viewer_;
    std::string path_;
    std::uint64_t next_ = 0;
};

} // namespace

void showFileAt(QTextEdit* viewer, const std::string& path) {
    FilePaging::of(viewer)->show(path, 0);
}
